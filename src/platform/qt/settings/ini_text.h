// The settings file's text in the INI form QSettings writes, read here line by
// line exactly as QSettings reads it (earlier versions used QSettings, and people
// edit the file by hand), and written so that QSettings reads every text back
// unchanged, so that a save is one write of the whole file.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>
#include <vector>

namespace murvane::qt {

class IniText {
 public:
  // Every key QSettings would read; lines it would skip are skipped and counted.
  static IniText Parse(const QByteArray& bytes);

  // Lines that are neither a section nor key=value, and sections followed by
  // more than a comment: a save cannot carry them over.
  int SkippedLines() const { return skipped_; }

  // A value holding one text; nothing when absent, a list or another type.
  std::optional<QString> Value(const QString& section, const QString& name) const;
  void Set(const QString& section, const QString& name, const QString& value);
  QByteArray Bytes() const;

 private:
  // A section is known by QSettings' group: "" before any section or in
  // [General], otherwise its name and "/" (so "[]" is "/", which no name gives).
  struct Section {
    QString group;
    std::vector<std::pair<QString, QByteArray>> entries;  // values as in the file
  };
  Section& SectionOfGroup(const QString& group);
  std::pair<QString, QByteArray>* Find(const QString& section, const QString& name);

  std::vector<Section> sections_;
  int skipped_ = 0;
};

}  // namespace murvane::qt
