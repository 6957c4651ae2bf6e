// The on-screen display on Qt: a passing panel that leaves the focus where it
// is, goes by itself, is replaced rather than doubled, and the menu's tick.
#include <gtest/gtest.h>

#include <QScreen>

#include "platform/qt/osd/display_window.h"
#include "platform/qt/tray/notification_area.h"
#include "support/qt_test_app.h"
#include "support/recording_events.h"
#include "support/tray_record.h"
#include "ui/config/config_layout.h"

namespace murvane::qt {
namespace {

// The display's window, when there is exactly one.
QWidget* Panel() {
  QWidgetList all = QApplication::topLevelWidgets();
  all.removeIf([](QWidget* w) { return w->windowTitle() != u"Murvane - Avviso a schermo"; });
  return all.size() == 1 ? all.front() : nullptr;
}
const auto Up = [] { return Panel() && Panel()->isVisible(); };

class Display : public ::testing::Test {
 protected:
  QApplication& app = test::App();
  QtPictureSource pictures;
  const DisplayRow row{pictures.LoadResource("CapsLock.on"), u"CapsLock On"};
  bool dark = false, fullScreen = false;
  QtDisplayWindow display{pictures, [this] { return dark; }, [this] { return fullScreen; }};
};

TEST_F(Display, LeavesTheFocusAloneIsReplacedNotDoubledAndGoesAfterItsTime) {
  QWidget typing;  // where the user types
  typing.show();
  ASSERT_TRUE(test::RunUntil([&] { return QApplication::focusWindow() == typing.windowHandle(); }));
  for (int i = 0; i < 500; ++i) display.Show({row});
  ASSERT_TRUE(test::RunUntil(Up));
  const auto unlisted = Qt::ToolTip | Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput;
  EXPECT_EQ(Panel()->windowFlags() & unlisted, unlisted);
  EXPECT_FALSE(
      test::RunUntil([&] { return QApplication::focusWindow() != typing.windowHandle(); }, 1000));
  display.Show({row, row});
  EXPECT_FALSE(test::RunUntil(std::not_fn(Up), 1200)) << "the second Show starts its time again";
  EXPECT_TRUE(test::RunUntil(std::not_fn(Up), 3000)) << "gone after its time";
}

TEST_F(Display, FollowsTheThemeAtTheBottomCentreAndStaysAwayFromFullScreen) {
  const QRect area = QApplication::primaryScreen()->availableGeometry();
  for (const bool darkTheme : {true, false}) {
    dark = darkTheme;
    display.Show({row, row, row});
    ASSERT_TRUE(test::RunUntil(Up));
    QWidget& panel = *Panel();
    const QColor ground = panel.grab().toImage().pixelColor(panel.width() - 6, panel.height() / 2);
    EXPECT_EQ(ground.lightness() < 128, darkTheme) << ground.name().toStdString();
    EXPECT_NEAR(panel.geometry().center().x(), area.center().x(), 1);
    EXPECT_TRUE(panel.geometry().bottom() < area.bottom() && panel.y() > area.center().y());
    EXPECT_GE(panel.height(), 3 * 32 + 2 * 14) << "three rows of 32-pixel pictures, and a margin";
  }
  fullScreen = true;
  display.Show({row});
  EXPECT_FALSE(Up()) << "not over a film or slides";
}

// A panel keeps the menu it read, so a new tick reaches every icon's menu at
// once, changed in place: the panel hears of one item, not of a new menu.
TEST_F(Display, ItsMenuItemsTickReachesEveryIconsMenuInPlace) {
  WindowRegistry windows;
  TrayMenuSession menus;
  QtNotificationArea tray{pictures, windows, menus};
  test::RecordingEvents events;
  const WindowDesc& layout = ConfigWindowLayout();
  const std::int32_t window = windows.Add(events, layout);
  for (std::int32_t id : {1, 2}) {
    NotifyIconBuffer record = murvane::test::TrayRecord(window, id, 0, "Murvane");
    ASSERT_TRUE(tray.Notify(NotifyMessage::Add, record));
  }
  const QAction* item = tray.Find(window, 2)->contextMenu()->actions().back();
  MenuDesc menu = layout.menus[0];
  for (const bool checked : {true, false, true}) {
    menu.items.back().checked = checked;
    windows.SetTrayMenu(window, menu);
    for (std::int32_t id : {1, 2}) {
      const QAction* shown = tray.Find(window, id)->contextMenu()->actions().back();
      EXPECT_EQ(std::pair(shown->isCheckable(), shown->isChecked()), std::pair(checked, checked));
    }
    ASSERT_EQ(tray.Find(window, 2)->contextMenu()->actions().back(), item);
  }
}

}  // namespace
}  // namespace murvane::qt
