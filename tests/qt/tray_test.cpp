// The tray on Qt: the 88-byte record read back, the Windows shell's answers, Qt
// told only of real changes, and activations turned into mouse messages.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/qt/text_qt.h"
#include "platform/qt/tray_activation_qt.h"
#include "platform/qt/tray_qt.h"
#include "support/qt_test_app.h"

namespace murvane::qt {
namespace {

NotifyIconBuffer Record(std::int32_t window, std::int32_t id, std::int32_t picture,
                        const std::string& tip) {
  NotifyIconBuffer record{};
  WriteField(record, NotifyIconField::cbSize, 88);
  WriteField(record, NotifyIconField::hWnd, window);
  WriteField(record, NotifyIconField::uID, id);
  WriteField(record, NotifyIconField::uFlags, 7);
  WriteField(record, NotifyIconField::uCallbackMessage, 512);
  WriteField(record, NotifyIconField::hIcon, picture);
  std::memset(record.data() + kNotifyTipOffset, ' ', kNotifyTipBytes);
  std::memcpy(record.data() + kNotifyTipOffset, tip.data(), std::min(tip.size(), kNotifyTipBytes));
  return record;
}

TEST(TrayRecord, FieldsAndTheTipUpToItsNulOrItsLastWholeCharacter) {
  const TrayRequest plain =
      DecodeTrayRecord(Record(0x10010, 2, 0x1004, std::string("CapsLock On\0 ", 13)));
  EXPECT_EQ(plain.window, 0x10010);
  EXPECT_EQ(plain.id, 2);
  EXPECT_EQ(plain.flags, 7);
  EXPECT_EQ(plain.callbackMessage, 512);
  EXPECT_EQ(plain.picture, 0x1004);
  EXPECT_EQ(plain.tip, QStringLiteral("CapsLock On"));
  // 63 ASCII bytes and the first byte of "è": the half character goes.
  const std::string cut = std::string(63, 'x') + "\xC3";
  EXPECT_EQ(DecodeTrayRecord(Record(1, 1, 0, cut)).tip, QString(63, QLatin1Char('x')));
}

TEST(TrayRecord, LocaleCharsetIsUtf8AndCutsFallOnCharacters) {
  Utf8CodePage ansi;
  const std::u16string text = u"Bloc Maiusc attivo \u00e8 \u2603\0fine";
  EXPECT_EQ(ansi.FromAnsi(ansi.ToAnsi(text)), text) << "nothing lost, NULs included";
  const std::string bytes = ansi.ToAnsi(u"\u00e8\u00e8");  // four bytes
  EXPECT_EQ(CutOnCharacter(bytes, 3), "\xC3\xA8");
  EXPECT_EQ(CutOnCharacter(bytes, 4), bytes);
  EXPECT_EQ(ansi.FromAnsi(bytes.substr(0, 3)), u"\u00e8");
}

class Tray : public ::testing::Test {
 protected:
  void SetUp() override { test::App(); }
  WindowRegistry windows;
  TrayMenuSession menus;
  QtPictureSource pictures;
  QtNotificationArea tray{pictures, windows, menus};
};

TEST_F(Tray, AnswersLikeTheWindowsShell) {
  NotifyIconBuffer record = Record(0x10010, 1, 0, "NumLock");
  EXPECT_FALSE(tray.Notify(NotifyMessage::Modify, record)) << "no such icon yet";
  EXPECT_FALSE(tray.Notify(NotifyMessage::Delete, record));
  EXPECT_TRUE(tray.Notify(NotifyMessage::Add, record));
  EXPECT_FALSE(tray.Notify(NotifyMessage::Add, record)) << "already there";
  NotifyIconBuffer other = Record(0x10012, 1, 0, "NumLock");
  EXPECT_TRUE(tray.Notify(NotifyMessage::Add, other)) << "same id, other window: another icon";
  EXPECT_TRUE(tray.Notify(NotifyMessage::Modify, record));
  EXPECT_TRUE(tray.Notify(NotifyMessage::Delete, record));
  EXPECT_FALSE(tray.Notify(NotifyMessage::Delete, record));
  EXPECT_EQ(tray.Find(0x10010, 1), nullptr);
  EXPECT_NE(tray.Find(0x10012, 1), nullptr);
  ASSERT_NE(tray.Find(0x10012, 1)->contextMenu(), nullptr) << "D-Bus panels need a menu";
}

TEST_F(Tray, ShowsThePicturesOwnIconAndTellsQtOnlyOfChanges) {
  const PicturePtr on = pictures.LoadResource("CapsLock.on");
  const PicturePtr off = pictures.LoadResource("CapsLock.off");
  ASSERT_TRUE(on && off);
  NotifyIconBuffer record = Record(0x10010, 2, off->Handle(), std::string("CapsLock Off", 13));
  ASSERT_TRUE(tray.Notify(NotifyMessage::Add, record));
  const int pictureSets = tray.PictureSets(), tipSets = tray.TipSets();
  for (int i = 0; i < 100; ++i) tray.Notify(NotifyMessage::Modify, record);
  EXPECT_EQ(tray.PictureSets(), pictureSets) << "the same picture again is no change";
  EXPECT_EQ(tray.TipSets(), tipSets);
  record = Record(0x10010, 2, on->Handle(), std::string("CapsLock On", 12));
  tray.Notify(NotifyMessage::Modify, record);
  const QSystemTrayIcon* icon = tray.Find(0x10010, 2);
  EXPECT_EQ(icon->icon().cacheKey(), pictures.IconOf(on->Handle()).cacheKey())
      << "the picture's own QIcon, not a new one";
  EXPECT_EQ(icon->toolTip(), QStringLiteral("CapsLock On"));
  EXPECT_EQ(tray.PictureSets(), pictureSets + 1);
}

TEST_F(Tray, ActivationsBecomeMouseMessagesLater) {
  test::RecordingEvents events;
  const WindowDesc layout;
  const std::int32_t window = windows.Add(events, layout);
  NotifyIconBuffer record = Record(window, 3, 0, "ScrollLock");
  ASSERT_TRUE(tray.Notify(NotifyMessage::Add, record));
  QSystemTrayIcon* icon = tray.Find(window, 3);
  Q_EMIT icon->activated(QSystemTrayIcon::MiddleClick);
  EXPECT_TRUE(events.log.empty()) << "not from inside Qt's signal";
  Q_EMIT icon->contextMenu()->aboutToShow();
  ASSERT_TRUE(test::RunUntil([&] { return events.log.size() == 2; }));
  EXPECT_EQ(events.log, (std::vector<std::string>{"tray 3 520", "tray 3 517"}));
}

TEST(TrayActivation, DoubleClickNoiseIsDropped) {
  struct Case {
    const char* host;
    std::vector<std::pair<QSystemTrayIcon::ActivationReason, int>> activations;
    std::vector<std::uint32_t> messages;
  };
  using R = QSystemTrayIcon;
  const Case cases[] = {
      {"XEmbed double click", {{R::Trigger, 0}, {R::DoubleClick, 150}}, {514, 515}},
      {"D-Bus double click", {{R::Trigger, 0}, {R::Trigger, 120}, {R::Trigger, 240}}, {514}},
      {"slow clicks", {{R::Trigger, 0}, {R::Trigger, 900}}, {514, 514}},
      {"double then more", {{R::Trigger, 0}, {R::DoubleClick, 100}, {R::Trigger, 200}}, {514, 515}},
      {"right and middle", {{R::Context, 0}, {R::MiddleClick, 10}}, {520}},
  };
  for (const Case& c : cases) {
    ActivationMapper mapper(400);
    std::vector<std::uint32_t> messages;
    for (const auto& [reason, at] : c.activations) {
      if (auto message = mapper.Map(reason, at)) messages.push_back(*message);
    }
    EXPECT_EQ(messages, c.messages) << c.host;
  }
}

}  // namespace
}  // namespace murvane::qt
