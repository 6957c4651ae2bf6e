// The open-file dialog on Qt: a QFileDialog set up from the program's
// OPENFILENAMEA-shaped record, whose answer goes back into the record's buffers
// as GetOpenFileNameA would leave them (texts in the locale's charset).
#pragma once

#include <QFileDialog>
#include <QStringList>
#include <functional>

#include "platform/platform.h"

namespace murvane::qt {

constexpr std::uint32_t kOfnFileMustExist = 0x1000;
constexpr std::uint32_t kOfnCreatePrompt = 0x2000;

// What the dialog is asked for, read from the record.
struct DialogRequest {
  QString title;
  QString folder;
  QStringList filters;  // "Icone (*.ico)"
  int filterIndex = 0;  // into filters
  QString initialName;
  QString defaultSuffix;
  QFileDialog::FileMode mode = QFileDialog::AnyFile;
};

DialogRequest ReadRequest(const OpenFileNameRecord& record);
void SetUp(QFileDialog& dialog, const DialogRequest& request);

// Writes the chosen file into the record; false when its buffer is too small,
// as the Windows dialog reports then.
bool WriteAnswer(OpenFileNameRecord& record, const QString& path, int filterIndex);

class QtFileDialog final : public FileDialog {
 public:
  using OwnerLookup = std::function<QWidget*(std::int32_t)>;
  explicit QtFileDialog(OwnerLookup owner = {}) : owner_(std::move(owner)) {}

  // Qt's own dialog instead of the desktop's, so a test can drive it.
  void UseQtDialog() { qtDialog_ = true; }
  // Called with the dialog once it is up; a test answers it from here.
  std::function<void(QFileDialog&)> onShown;

  bool GetOpenFileName(OpenFileNameRecord& record) override;

 private:
  OwnerLookup owner_;
  bool qtDialog_ = false;
};

}  // namespace murvane::qt
