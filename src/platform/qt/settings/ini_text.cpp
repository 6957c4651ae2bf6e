#include "platform/qt/settings/ini_text.h"

#include <QStringDecoder>
#include <QStringList>
#include <utility>

namespace murvane::qt {
namespace {

const QByteArray kByteOrderMark = "\xEF\xBB\xBF";

// Binary garbage: any control character a text editor would not write.
bool HasControlBytes(const QByteArray& bytes) {
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') return true;
  }
  return false;
}

int HexDigit(QChar c) {
  const char16_t u = c.unicode();
  if (u >= u'0' && u <= u'9') return u - u'0';
  if (u >= u'a' && u <= u'f') return u - u'a' + 10;
  if (u >= u'A' && u <= u'F') return u - u'A' + 10;
  return -1;
}

// Reads the digits of a \x (base 16) or \0 (base 8) escape from `at` on.
QChar NumberEscape(const QString& raw, qsizetype& at, int base) {
  unsigned value = 0;
  for (int digit; at < raw.size() && (digit = HexDigit(raw[at])) >= 0 && digit < base; ++at)
    value = (value * static_cast<unsigned>(base) + static_cast<unsigned>(digit)) & 0xFFFFu;
  return QChar(static_cast<char16_t>(value));
}

// The control characters QSettings writes as a backslash and a letter.
constexpr std::pair<char16_t, char16_t> kLetterEscapes[] = {
    {u'\a', u'a'}, {u'\b', u'b'}, {u'\f', u'f'}, {u'\n', u'n'},
    {u'\r', u'r'}, {u'\t', u't'}, {u'\v', u'v'}};

QChar SimpleEscape(QChar c) {
  for (const auto& [control, letter] : kLetterEscapes) {
    if (c == letter) return control;
  }
  return c;  // \" \' \? \\ and anything unknown stand for themselves
}

// QSettings' quoting and escapes; an unquoted comma makes a list, which is no
// text, and an unquoted semicolon starts a comment.
std::optional<QString> Unescaped(const QString& raw) {
  QString text;
  bool quoted = false;
  for (qsizetype at = 0; at < raw.size();) {
    const QChar c = raw[at++];
    if (c == u'"') {
      quoted = !quoted;
    } else if (c == u'\\' && at < raw.size()) {
      const QChar code = raw[at++];
      if (code == u'x')
        text += NumberEscape(raw, at, 16);
      else if (code >= u'0' && code <= u'7')
        text += NumberEscape(raw, --at, 8);
      else
        text += SimpleEscape(code);
    } else if (!quoted && c == u',') {
      return std::nullopt;
    } else if (!quoted && c == u';') {
      break;
    } else {
      text += c;
    }
  }
  // "@@" stands for a text that starts with "@"; any other "@" is a typed value.
  if (!text.startsWith(u'@')) return text;
  if (text.startsWith(QStringLiteral("@@"))) return text.mid(1);
  return std::nullopt;
}

QString ControlEscape(char16_t u) {
  if (u == u'\0') return QStringLiteral("\\0");
  for (const auto& [control, letter] : kLetterEscapes) {
    if (u == control) return QStringLiteral("\\") + QChar(letter);
  }
  return QStringLiteral("\\x") + QString::number(u, 16);
}

// As QSettings writes a text, so that earlier versions read it back alike.
QString Escaped(const QString& value) {
  const QString text = value.startsWith(u'@') ? QLatin1Char('@') + value : value;
  QString out;
  bool quote = text.startsWith(u' ') || text.endsWith(u' ');
  bool afterNumber = false;  // a hex digit after \x or \0 would join its number
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    quote = quote || u == u';' || u == u',' || u == u'=';
    if (afterNumber && HexDigit(c) >= 0) {
      out += QStringLiteral("\\x") + QString::number(u, 16);
      continue;
    }
    afterNumber = false;
    if (u < 0x20) {
      const QString escape = ControlEscape(u);
      afterNumber = u == 0 || escape.startsWith(QStringLiteral("\\x"));
      out += escape;
      continue;
    }
    if (u == u'"' || u == u'\\')
      out += QLatin1Char('\\') + c;
    else
      out += c;
  }
  return quote ? QLatin1Char('"') + out + QLatin1Char('"') : out;
}

}  // namespace

std::optional<IniText> IniText::Parse(const QByteArray& bytes) {
  const QByteArray body = bytes.startsWith(kByteOrderMark) ? bytes.mid(3) : bytes;
  if (HasControlBytes(body)) return std::nullopt;
  QStringDecoder utf8(QStringDecoder::Utf8);
  const QString text = utf8(body);
  if (utf8.hasError()) return std::nullopt;
  IniText ini;
  Section* current = nullptr;
  for (const QString& whole : text.split(QLatin1Char('\n'))) {
    const QString line = whole.trimmed();
    if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) continue;
    if (line.startsWith(u'[')) {
      if (!line.endsWith(u']')) return std::nullopt;
      current = &ini.SectionNamed(line.mid(1, line.size() - 2));
      continue;
    }
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0) return std::nullopt;
    if (!current) current = &ini.SectionNamed(QString());
    current->entries.emplace_back(line.left(equals).trimmed(), line.mid(equals + 1).trimmed());
  }
  return ini;
}

std::optional<QString> IniText::Value(const QString& section, const QString& name) const {
  for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
    if (s->name != section) continue;
    for (auto e = s->entries.rbegin(); e != s->entries.rend(); ++e) {
      if (e->first == name) return Unescaped(e->second);
    }
  }
  return std::nullopt;
}

void IniText::Set(const QString& section, const QString& name, const QString& value) {
  Section& s = SectionNamed(section);
  for (auto e = s.entries.rbegin(); e != s.entries.rend(); ++e) {
    if (e->first == name) {
      e->second = Escaped(value);
      return;
    }
  }
  s.entries.emplace_back(name, Escaped(value));
}

// Keys before any section come first, without a heading, as they were read.
QByteArray IniText::Bytes() const {
  QString out;
  for (const Section& s : sections_) {
    if (!s.name.isEmpty()) {
      if (!out.isEmpty()) out += QLatin1Char('\n');
      out += QLatin1Char('[') + s.name + QStringLiteral("]\n");
    }
    for (const auto& [key, value] : s.entries) out += key + QLatin1Char('=') + value + u'\n';
  }
  return out.toUtf8();
}

IniText::Section& IniText::SectionNamed(const QString& name) {
  for (Section& s : sections_) {
    if (s.name == name) return s;
  }
  if (name.isEmpty()) return *sections_.insert(sections_.begin(), Section{name, {}});
  return sections_.emplace_back(Section{name, {}});
}

}  // namespace murvane::qt
