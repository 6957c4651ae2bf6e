#include "platform/qt/settings/ini_text.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringView>
#include <algorithm>
#include <iterator>
#include <utility>

namespace murvane::qt {
namespace {

const QByteArray kByteOrderMark = "\xEF\xBB\xBF";

bool IsLineEnd(char c) {
  return c == '\n' || c == '\r';
}
bool IsSpace(char c) {
  return c == ' ' || c == '\t' || IsLineEnd(c);
}

int Digit(char c, int base) {
  int digit = -1;
  if (c >= '0' && c <= '9') digit = c - '0';
  if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
  return digit < base ? digit : -1;
}

struct Line {
  QByteArrayView text;
  qsizetype equals = -1;        // the first '=' outside quotes, within text
  bool openQuote = false;       // the file ended inside quotes
  bool danglingEscape = false;  // the file ended in a lone backslash
};

// A line as QSettings cuts it: an unquoted \r, \n or ';' ends it, a backslash
// takes the next byte with it (so one at the end joins the next line), quotes
// run on across line ends, and a ';' first on a line makes it a comment.
std::optional<Line> NextLine(QByteArrayView data, qsizetype& at) {
  qsizetype start = at;
  while (start < data.size() && IsSpace(data[start])) ++start;
  Line line;
  qsizetype i = start;
  while (i < data.size()) {
    const char c = data[i++];
    if (c == '=') {
      if (!line.openQuote && line.equals < 0) line.equals = i - 1 - start;
    } else if (IsLineEnd(c)) {
      if (i == start + 1) {
        ++start;
      } else if (!line.openQuote) {
        --i;
        break;
      }
    } else if (c == '\\') {
      if (i == data.size()) {
        line.danglingEscape = true;
      } else {
        const char next = data[i++];
        if (i < data.size() && IsLineEnd(next) && IsLineEnd(data[i]) && data[i] != next) ++i;
      }
    } else if (c == '"') {
      line.openQuote = !line.openQuote;
    } else if (c == ';') {
      if (i == start + 1) {
        while (i < data.size() && !IsLineEnd(data[i])) ++i;
        while (i < data.size() && IsSpace(data[i])) ++i;
        start = i;
      } else if (!line.openQuote) {
        --i;
        break;
      }
    }
  }
  at = i;
  if (i <= start) return std::nullopt;
  line.text = data.sliced(start, i - start);
  return line;
}

// QSettings' key and section escapes: "\" for "/", %XX and %UXXXX for the rest.
QString UnescapedKey(QByteArrayView bytes) {
  const QString text = QString::fromUtf8(bytes);
  QString key;
  for (qsizetype i = 0; i < text.size();) {
    const QChar c = text[i++];
    if (c == u'\\') {
      key += u'/';
      continue;
    }
    const qsizetype digits = i < text.size() && text[i] == u'U' ? 4 : 2;
    const qsizetype first = digits == 4 ? i + 1 : i;
    bool ok = false;
    const ushort code = c == u'%' && first + digits <= text.size()
                            ? QStringView(text).sliced(first, digits).toUShort(&ok, 16)
                            : 0;
    if (!ok) {
      key += c;
      continue;
    }
    key += QChar(code);
    i = first + digits;
  }
  return key;
}

QByteArray EscapedKey(const QString& key) {
  QByteArray out;
  for (const QChar c : key) {
    const char16_t u = c.unicode();
    if (u == u'/') {
      out += '\\';
    } else if ((u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9') ||
               u == u'_' || u == u'-' || u == u'.') {
      out += static_cast<char>(u);
    } else if (u <= 0xFF) {
      out += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
    } else {
      out += "%U" + QByteArray::number(u, 16).toUpper().rightJustified(4, '0');
    }
  }
  return out;
}

// [General] holds the keys outside any section; a section truly named so is
// written "[%General]".
QString GroupOf(QByteArrayView name) {
  if (name.compare("general", Qt::CaseInsensitive) == 0) return QString();
  if (name.compare("%general", Qt::CaseInsensitive) == 0)
    return QString::fromLatin1(name.sliced(1)) + u'/';
  return UnescapedKey(name) + u'/';
}

QByteArray Heading(const QString& group) {
  const QByteArray name = EscapedKey(group.chopped(1));
  return '[' + (name.compare("general", Qt::CaseInsensitive) == 0 ? '%' + name : name) + ']';
}

// The control characters QSettings writes as a backslash and a letter.
constexpr std::pair<char, char> kLetterEscapes[] = {
    {'\a', 'a'}, {'\b', 'b'}, {'\f', 'f'}, {'\n', 'n'}, {'\r', 'r'}, {'\t', 't'}, {'\v', 'v'}};

// One of QSettings' typed values ("@Rect(1 2 3 4)" and the like), which are no text.
bool IsTyped(const QString& s) {
  if (!s.endsWith(u')')) return false;
  for (const char* kind : {"@ByteArray(", "@Variant(", "@DateTime("})
    if (s.startsWith(QLatin1String(kind))) return true;
  const QStringView args = QStringView(s).sliced(s.indexOf(u'(') + 1);
  const qsizetype count = args.count(u' ') + args.count(u')');  // as QSettings counts them
  if (s.startsWith(QLatin1String("@Rect("))) return count == 4;
  if (s.startsWith(QLatin1String("@Size(")) || s.startsWith(QLatin1String("@Point(")))
    return count == 2;
  return s == QLatin1String("@Invalid()");
}

// A value as QSettings reads it: spaces and tabs around it go unless quoted,
// escapes as in C, bytes as UTF-8 (one decoder for the whole value, as there),
// an unquoted comma makes a list; "@@" starts a text that starts with "@".
std::optional<QString> Text(QByteArrayView raw) {
  QString text;
  QStringDecoder utf8(QStringDecoder::Utf8);
  bool list = false, inQuotes = false, quoted = false, trim = true;
  qsizetype i = 0, kept = 0;  // the trailing trim stops at `kept` characters
  const auto skipSpaces = [&] {
    while (i < raw.size() && (raw[i] == ' ' || raw[i] == '\t')) ++i;
    kept = text.size();
  };
  const auto trimEnd = [&] {
    while (text.size() > kept && (text.back() == u' ' || text.back() == u'\t')) text.chop(1);
  };
  skipSpaces();
  while (i < raw.size()) {
    const char c = raw[i++];
    if (c == '\\') {
      if (i == raw.size()) {  // here, and at the end of a number, QSettings stops untrimmed
        trim = false;
        break;
      }
      const char code = raw[i++];
      const int base = code == 'x' ? 16 : Digit(code, 8) >= 0 ? 8 : 0;
      if (base == 16 && i == raw.size()) {
        trim = false;
        break;
      }
      if (base && (base == 8 || Digit(raw[i], 16) >= 0)) {
        char16_t value = base == 8 ? static_cast<char16_t>(Digit(code, 8)) : 0;
        for (int d; i < raw.size() && (d = Digit(raw[i], base)) >= 0; ++i)
          value = static_cast<char16_t>(value * base + d);
        text += QChar(value);
        trim = i < raw.size();
        if (!trim) break;
      } else if (IsLineEnd(code)) {
        if (i < raw.size() && IsLineEnd(raw[i]) && raw[i] != code) ++i;
      } else {
        for (const auto& [control, letter] : kLetterEscapes) {
          if (code == letter) text += QLatin1Char(control);
        }
        if (code == '"' || code == '?' || code == '\'' || code == '\\') text += QLatin1Char(code);
      }
      kept = text.size();
    } else if (c == '"') {
      quoted = true;
      inQuotes = !inQuotes;
      if (!inQuotes) skipSpaces();
    } else if (c == ',' && !inQuotes) {
      if (!quoted) trimEnd();
      list = true;
      text.clear();
      quoted = false;
      skipSpaces();
    } else {
      qsizetype end = i;
      while (end < raw.size() && raw[end] != '\\' && raw[end] != '"' && raw[end] != ',') ++end;
      text += utf8(raw.sliced(i - 1, end - i + 1));
      i = end;
    }
  }
  if (trim && !quoted) trimEnd();
  if (list || (text.startsWith(u'@') && IsTyped(text))) return std::nullopt;
  if (text.startsWith(QLatin1String("@String(")) && text.endsWith(u')'))
    return text.sliced(8).chopped(1);
  return text.startsWith(QLatin1String("@@")) ? text.sliced(1) : text;
}

// As QSettings writes a text, so that it and earlier versions read it back alike.
QByteArray Escaped(const QString& value) {
  const QString text = value.startsWith(u'@') ? QLatin1Char('@') + value : value;
  QStringEncoder utf8(QStringEncoder::Utf8);  // one encoder keeps surrogate pairs whole
  QByteArray out;
  bool quote = false;
  bool afterNumber = false;  // a hex digit after \x or \0 would join its number
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    quote = quote || u == u';' || u == u',' || u == u'=';
    if (afterNumber && u < 0x80 && Digit(static_cast<char>(u), 16) >= 0) {
      out += "\\x" + QByteArray::number(u, 16);
      continue;
    }
    afterNumber = false;
    const auto letter = std::find_if(std::begin(kLetterEscapes), std::end(kLetterEscapes),
                                     [u](const auto& e) { return e.first == u; });
    if (letter != std::end(kLetterEscapes)) {
      out += '\\' + QByteArray(1, letter->second);
    } else if (u < 0x20) {
      out += u == 0 ? QByteArray("\\0") : "\\x" + QByteArray::number(u, 16);
      afterNumber = true;
    } else if (u == u'"' || u == u'\\') {
      out += '\\' + QByteArray(1, static_cast<char>(u));
    } else {
      out += utf8(QStringView(&c, 1));
    }
  }
  if (quote || out.startsWith(' ') || out.endsWith(' ')) return '"' + out + '"';
  return out;
}

}  // namespace

IniText IniText::Parse(const QByteArray& bytes) {
  QByteArrayView data = bytes;
  if (data.startsWith(kByteOrderMark)) data = data.sliced(kByteOrderMark.size());
  IniText ini;
  Section* current = &ini.SectionOfGroup(QString());
  qsizetype at = 0;
  while (const std::optional<Line> line = NextLine(data, at)) {
    if (line->text.startsWith('[')) {
      // QSettings reads the name up to "]" and drops anything after it.
      const qsizetype close = line->text.indexOf(']');
      if (close >= 0 && !line->text.sliced(close + 1).trimmed().isEmpty()) ++ini.skipped_;
      const QByteArrayView name = line->text.first(close < 0 ? line->text.size() : close);
      current = &ini.SectionOfGroup(GroupOf(name.sliced(1).trimmed()));
    } else if (line->equals < 0) {
      ++ini.skipped_;
    } else {
      // Written back as read; closed, so that what follows it in a save stays apart.
      QByteArray value = line->text.sliced(line->equals + 1).toByteArray();
      if (line->danglingEscape) value += ' ';
      if (line->openQuote) value += '"';
      current->entries.emplace_back(UnescapedKey(line->text.first(line->equals).trimmed()),
                                    std::move(value));
    }
  }
  return ini;
}

// QSettings knows a key by its group and name together, so "[a]" "b\c=" and
// "[a\b]" "c=" are one key; the last one in the file counts.
std::pair<QString, QByteArray>* IniText::Find(const QString& section, const QString& name) {
  const QString key = (section.isEmpty() ? section : section + u'/') + name;
  std::pair<QString, QByteArray>* found = nullptr;
  for (Section& s : sections_) {
    if (!key.startsWith(s.group)) continue;
    for (auto& entry : s.entries) {
      if (key.size() == s.group.size() + entry.first.size() && key.endsWith(entry.first))
        found = &entry;
    }
  }
  return found;
}

std::optional<QString> IniText::Value(const QString& section, const QString& name) const {
  const auto* entry = const_cast<IniText*>(this)->Find(section, name);
  return entry ? Text(entry->second) : std::nullopt;
}

void IniText::Set(const QString& section, const QString& name, const QString& value) {
  if (auto* entry = Find(section, name)) {
    entry->second = Escaped(value);
    return;
  }
  SectionOfGroup(section.isEmpty() ? section : section + u'/')
      .entries.emplace_back(name, Escaped(value));
}

// Keys outside any section come first, without a heading.
QByteArray IniText::Bytes() const {
  QByteArray out;
  for (const Section& s : sections_) {
    if (!s.group.isEmpty()) {
      if (!out.isEmpty()) out += '\n';
      out += Heading(s.group) + '\n';
    }
    for (const auto& [key, value] : s.entries) out += EscapedKey(key) + '=' + value + '\n';
  }
  return out;
}

IniText::Section& IniText::SectionOfGroup(const QString& group) {
  for (Section& s : sections_) {
    if (s.group == group) return s;
  }
  if (group.isEmpty()) return *sections_.insert(sections_.begin(), Section{group, {}});
  return sections_.emplace_back(Section{group, {}});
}

}  // namespace murvane::qt
