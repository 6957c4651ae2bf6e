// The file dialog on Qt meets the program's request record as the Windows one does.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
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
  void SetUp() override {
    test::App();
    for (const char* name : {"caps.ico", "NUM.ICO", "notes.txt"}) {
      ASSERT_TRUE(QFile(dir.filePath(name)).open(QIODevice::WriteOnly));
    }
  }
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

TEST_F(FileDialogs, QtsDialogListsIconsOfEitherCaseAndAnswersIntoTheBuffer) {
  QtFileDialog dialog;
  dialog.UseQtDialog();
  QStringList listed;
  dialog.onShown = [&](QFileDialog& shown) {
    auto* model = shown.findChild<QFileSystemModel*>();
    ASSERT_NE(model, nullptr);
    test::RunUntil([&] { return model->rowCount(model->index(dir.path())) >= 2; });
    QModelIndex folder = model->index(dir.path());
    for (int row = 0; row < model->rowCount(folder); ++row) {
      const QModelIndex entry = model->index(row, 0, folder);
      if (model->flags(entry) & Qt::ItemIsEnabled) listed.append(model->fileName(entry));
    }
    // Typed, as a user does: a picked row reaches the name box only later.
    shown.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("NUM.ICO"));
    QMetaObject::invokeMethod(&shown, "accept", Qt::QueuedConnection);
  };
  OpenFileNameRecord record = ProgramRequest();
  ASSERT_TRUE(dialog.GetOpenFileName(record));
  listed.sort();
  EXPECT_EQ(listed, (QStringList{QStringLiteral("NUM.ICO"), QStringLiteral("caps.ico")}));
  EXPECT_EQ(UpToFirstNul(record.lpstrFile), dir.filePath("NUM.ICO").toStdU16String());
  EXPECT_EQ(record.lpstrFile.size(), 1038u) << "the whole buffer comes back";
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
