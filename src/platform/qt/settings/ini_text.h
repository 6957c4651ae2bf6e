// The settings file's text in the INI form QSettings writes, read and written
// here so that a save is one write of the whole file and a damaged file is
// recognised as damaged every time it is read, not only by the first reader.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace murvane::qt {

class IniText {
 public:
  // Nothing when the bytes are not such a file: not UTF-8, control characters,
  // an unclosed section or a line that is neither a section nor key=value.
  static std::optional<IniText> Parse(const QByteArray& bytes);

  // A value holding one text; nothing when absent, a list or another type.
  std::optional<QString> Value(const QString& section, const QString& name) const;
  void Set(const QString& section, const QString& name, const QString& value);
  QByteArray Bytes() const;

 private:
  struct Section {
    QString name;
    std::vector<std::pair<QString, QString>> entries;  // values as written, escaped
  };
  Section& SectionNamed(const QString& name);

  std::vector<Section> sections_;
};

}  // namespace murvane::qt
