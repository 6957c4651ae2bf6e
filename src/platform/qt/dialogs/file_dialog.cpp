#include "platform/qt/dialogs/file_dialog.h"

#include <QFileInfo>
#include <QTimer>

#include "platform/qt/dialogs/file_dialog_desktop.h"
#include "platform/qt/text.h"
#include "ui/dialogs/common_dialog.h"

namespace murvane::qt {
namespace {

// "Name\0pattern;pattern\0...\0\0" as Qt's "Name (pattern pattern)".
QStringList Filters(const std::u16string& pairs) {
  QStringList parts = ToQString(pairs).split(QChar(u'\0'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size() && !parts[i].isEmpty(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters.append(parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')'));
  }
  return filters;
}

// A whole buffer of exactly `bytes` bytes, as the dialog may fill it.
std::string SizedBuffer(const std::u16string& text, std::uint32_t bytes) {
  std::string buffer(CutOnCharacter(ToUtf8Bytes(text), bytes));
  buffer.resize(bytes, '\0');
  return buffer;
}

// Puts `text` and its NUL at the start of the record's buffer, the rest as it was.
std::u16string Overwrite(const std::u16string& buffer, std::uint32_t bytes,
                         const std::string& text) {
  std::string ansi = SizedBuffer(buffer, bytes);
  ansi.replace(0, text.size() + 1, text + '\0');
  return FromUtf8Bytes(ansi);
}

}  // namespace

DialogRequest ReadRequest(const OpenFileNameRecord& record) {
  DialogRequest request;
  request.title = ToQString(UpToFirstNul(record.lpstrTitle));
  request.folder = ToQString(UpToFirstNul(record.lpstrInitialDir));
  request.filters = Filters(record.lpstrFilter);
  // The index counts from 1; one beyond the list falls back to its first filter.
  const int index = static_cast<int>(record.nFilterIndex) - 1;
  request.filterIndex = index >= 0 && index < request.filters.size() ? index : 0;
  request.initialName = ToQString(UpToFirstNul(record.lpstrFile)).trimmed();
  request.defaultSuffix = ToQString(UpToFirstNul(record.lpstrDefExt));
  // A name that does not exist yet is what the create prompt is for.
  request.mode = (record.Flags & kOfnFileMustExist) && !(record.Flags & kOfnCreatePrompt)
                     ? QFileDialog::ExistingFile
                     : QFileDialog::AnyFile;
  return request;
}

// Name filters match letter case or not as QDir::CaseSensitive says; the dialog's
// filter leaves it out, so "*.ico" also lists PICTURE.ICO.
void SetUp(QFileDialog& dialog, const DialogRequest& request) {
  dialog.setWindowTitle(request.title);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.mode);
  if (!request.folder.isEmpty()) dialog.setDirectory(request.folder);
  dialog.setOption(QFileDialog::HideNameFilterDetails);  // "Icone", as on Windows
  dialog.setNameFilters(request.filters);
  if (!request.filters.isEmpty()) dialog.selectNameFilter(request.filters[request.filterIndex]);
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (!request.initialName.isEmpty()) dialog.selectFile(request.initialName);
}

bool WriteAnswer(OpenFileNameRecord& record, const QString& path, int filterIndex) {
  const std::string file = path.toStdString();
  if (file.size() + 1 > record.nMaxFile) return false;
  record.lpstrFile = Overwrite(record.lpstrFile, record.nMaxFile, file);
  const std::string name = QFileInfo(path).fileName().toStdString();
  if (record.nMaxFileTitle > name.size()) {
    record.lpstrFileTitle = Overwrite(record.lpstrFileTitle, record.nMaxFileTitle, name);
  }
  record.nFileOffset = static_cast<std::uint16_t>(file.size() - name.size());
  const std::size_t dot = name.rfind('.');
  record.nFileExtension = static_cast<std::uint16_t>(
      dot == std::string::npos ? file.size() : record.nFileOffset + dot + 1);
  record.nFilterIndex = static_cast<std::uint32_t>(filterIndex + 1);
  return true;
}

bool QtFileDialog::GetOpenFileName(OpenFileNameRecord& record) {
  const DialogRequest request = ReadRequest(record);
  SpeakTheLocalesLanguage();
  KeepDialogStateInMemory();
  QFileDialog dialog(owner_ ? owner_(record.hwndOwner) : nullptr);
  if (qtDialog_) dialog.setOption(QFileDialog::DontUseNativeDialog);
  SetUp(dialog, request);
  if (onShown) QTimer::singleShot(0, &dialog, [this, &dialog] { onShown(dialog); });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  const int filterIndex = static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter()));
  return WriteAnswer(record, dialog.selectedFiles().first(), std::max(filterIndex, 0));
}

}  // namespace murvane::qt
