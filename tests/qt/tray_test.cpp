// The tray on Qt: the 88-byte record read back, the Windows shell's answers, Qt
// told only of real changes, and activations turned into mouse messages.
#include <gtest/gtest.h>

#include "platform/qt/text.h"
#include "platform/qt/tray/activation.h"
#include "platform/qt/tray/notification_area.h"
#include "support/qt_test_app.h"
#include "support/tray_record.h"

namespace murvane::qt {
namespace {

using murvane::test::TrayRecord;

// The fields are read as the fake shell reads them, which every behaviour test relies on.
TEST(TrayRecord, TheTipEndsAtItsNulOrItsLastWholeCharacter) {
  // 63 ASCII bytes and the first byte of "è": the half character goes.
  const std::string cut = std::string(63, 'x') + "\xC3";
  EXPECT_EQ(FromUtf8Bytes(ReadNotifyIcon(TrayRecord(1, 1, 0, cut)).tip), std::u16string(63, u'x'));
  const std::u16string text = u"Bloc Maiusc attivo \u00e8 \u2603\0fine";
  EXPECT_EQ(Utf8CodePage().FromAnsi(Utf8CodePage().ToAnsi(text)), text) << "nothing lost";
  EXPECT_EQ(CutOnCharacter("\xC3\xA8\xC3\xA8", 3), "\xC3\xA8");
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
  using M = NotifyMessage;
  const std::pair<M, bool> steps[] = {{M::Modify, false}, {M::Delete, false}, {M::Add, true},
                                      {M::Add, false},    {M::Modify, true},  {M::Delete, true},
                                      {M::Delete, false}};
  NotifyIconBuffer record = TrayRecord(0x10010, 1, 0, "NumLock"), other = TrayRecord(0x10012, 1, 0);
  ASSERT_TRUE(tray.Notify(M::Add, other)) << "same id, other window: another icon";
  for (const auto& [message, answer] : steps)
    EXPECT_EQ(tray.Notify(message, record), answer) << static_cast<int>(message);
  ASSERT_NE(tray.Find(0x10012, 1), nullptr);
  EXPECT_NE(tray.Find(0x10012, 1)->contextMenu(), nullptr) << "D-Bus panels need a menu";
}

TEST_F(Tray, ShowsThePicturesOwnIconAndTellsQtOnlyOfChanges) {
  const PicturePtr on = pictures.LoadResource("CapsLock.on");
  const PicturePtr off = pictures.LoadResource("CapsLock.off");
  ASSERT_TRUE(on && off);
  NotifyIconBuffer record = TrayRecord(0x10010, 2, off->Handle(), "CapsLock Off");
  ASSERT_TRUE(tray.Notify(NotifyMessage::Add, record));
  for (int i = 0; i < 100; ++i) tray.Notify(NotifyMessage::Modify, record);
  record = TrayRecord(0x10010, 2, on->Handle(), "CapsLock On");
  tray.Notify(NotifyMessage::Modify, record);
  EXPECT_EQ(std::pair(tray.PictureSets(), tray.TipSets()), std::pair(2, 2)) << "only changes";
  const QSystemTrayIcon* icon = tray.Find(0x10010, 2);
  EXPECT_EQ(icon->icon().cacheKey(), pictures.IconOf(on->Handle()).cacheKey()) << "its own";
  EXPECT_EQ(icon->toolTip(), QStringLiteral("CapsLock On"));
}

TEST_F(Tray, ActivationsBecomeMouseMessagesLater) {
  test::RecordingEvents events;
  const WindowDesc layout;
  const std::int32_t window = windows.Add(events, layout);
  NotifyIconBuffer record = TrayRecord(window, 3, 0, "ScrollLock");
  ASSERT_TRUE(tray.Notify(NotifyMessage::Add, record));
  QSystemTrayIcon* icon = tray.Find(window, 3);
  Q_EMIT icon->activated(QSystemTrayIcon::MiddleClick);
  EXPECT_TRUE(events.log.empty()) << "not from inside Qt's signal";
  Q_EMIT icon->contextMenu()->aboutToShow();  // a D-Bus panel reading the items: no click
  icon->contextMenu()->popup(QPoint());       // Qt's own menu on an XEmbed tray
  ASSERT_TRUE(test::RunUntil([&] { return events.log.size() == 2; }));
  EXPECT_EQ(events.log, (std::vector<std::string>{"tray 3 520", "tray 3 517"}));
}

TEST(TrayActivation, DoubleClickNoiseIsDropped) {
  using R = QSystemTrayIcon;
  const std::pair<std::vector<std::pair<R::ActivationReason, int>>, std::vector<std::uint32_t>>
      cases[] = {
          {{{R::Trigger, 0}, {R::DoubleClick, 150}}, {514, 515}},            // XEmbed
          {{{R::Trigger, 0}, {R::Trigger, 120}, {R::Trigger, 240}}, {514}},  // D-Bus
          {{{R::Trigger, 0}, {R::Trigger, 900}}, {514, 514}},                // slow
          {{{R::Context, 0}, {R::MiddleClick, 10}}, {520}},
      };
  for (const auto& [activations, expected] : cases) {
    ActivationMapper mapper(400);
    std::vector<std::uint32_t> messages;
    for (const auto& [reason, at] : activations)
      if (auto message = mapper.Map(reason, at)) messages.push_back(*message);
    EXPECT_EQ(messages, expected) << activations.size() << " activations";
  }
}

}  // namespace
}  // namespace murvane::qt
