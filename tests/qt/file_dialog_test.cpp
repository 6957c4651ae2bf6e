// The file dialog on Qt meets the program's request record as the Windows one does.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "platform/fake/fake_platform.h"
#include "platform/qt/dialogs/file_dialog.h"
#include "platform/qt/text.h"
#include "support/qt_test_app.h"
#include "ui/dialogs/common_dialog.h"

namespace murvane::qt {
namespace {

class FileDialogs : public ::testing::Test {
 protected:
  void SetUp() override { test::App(); }
  // The request exactly as the program makes it.
  OpenFileNameRecord ProgramRequest() {
    fake::FakePlatform fake;
    modCommonDialog(fake.Get())
        .ShowOpen(0, std::u16string(u"Icone|*.ico") + u'\0' + u'\0', dir.path().toStdU16String());
    return fake.fileDialog.Requests().at(0);
  }
  QTemporaryDir dir;
};

TEST_F(FileDialogs, TheDialogShowsWhatTheRecordAsks) {
  const DialogRequest asked = ReadRequest(ProgramRequest());
  // AnyFile: the create prompt lets a new name through.
  EXPECT_EQ(std::tuple(asked.title, asked.folder, asked.filters, asked.mode),
            std::tuple(QStringLiteral("Murvane - Apri"), dir.path(),
                       QStringList{QStringLiteral("Icone (*.ico)")}, QFileDialog::AnyFile));
}

// On an Italian desktop Qt's own texts read Italian like the rest of the window,
// the filter shows its name alone, and closing the dialog leaves no state file.
TEST_F(FileDialogs, QtsDialogSpeaksTheDesktopsLanguageAndWritesNothing) {
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  const std::shared_ptr<void> back(nullptr, [](void*) { QLocale::setDefault(QLocale::c()); });
  QtFileDialog dialog;
  dialog.UseQtDialog();
  QString cancel, filter, lookIn;
  dialog.onShown = [&](QFileDialog& shown) {
    cancel = shown.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
    filter = shown.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
    lookIn = shown.findChild<QLabel*>(QStringLiteral("lookInLabel"))->text();
    QMetaObject::invokeMethod(&shown, "reject", Qt::QueuedConnection);
  };
  OpenFileNameRecord record = ProgramRequest();
  EXPECT_FALSE(dialog.GetOpenFileName(record));
  EXPECT_EQ(QStringList({cancel, lookIn, filter}), QStringList({"Annulla", "Cerca in:", "Icone"}));
  EXPECT_EQ(QDir(test::ConfigHome()).entryList(QDir::Files | QDir::Hidden), QStringList{});
}

TEST(FileDialogAnswer, APathLongerThanTheBufferIsRefusedAndCutsFallOnCharacters) {
  OpenFileNameRecord record;
  record.lpstrFile = std::u16string(10, u' ');
  record.nMaxFile = 10;
  EXPECT_FALSE(WriteAnswer(record, QStringLiteral("/tmp/long-name.ico"), 0));
  EXPECT_TRUE(WriteAnswer(record, QStringLiteral("/t/\u00e8.ico"), 0)) << "9 bytes and the NUL";
  EXPECT_EQ(std::tuple(UpToFirstNul(record.lpstrFile), record.nFileOffset, record.nFileExtension),
            std::tuple(u"/t/\u00e8.ico", 3, 6));
}

}  // namespace
}  // namespace murvane::qt
