// Windows from the layout tables on Qt: where the widgets go at 96 and 144 dpi,
// captions that fit, and what the window reports to the program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include "platform/qt/windows/window_system.h"
#include "support/qt_test_app.h"
#include "ui/about/about_layout.h"
#include "ui/config/config_layout.h"

namespace murvane::qt {
namespace {

class Windows : public ::testing::Test {
 protected:
  void SetUp() override { test::App(); }
  std::unique_ptr<NativeWindow> Make(const WindowDesc& layout, Dpi dpi = {96, 96}) {
    system.SetDpi(dpi);
    return system.CreateNativeWindow(layout, events);
  }
  QtWindow& Of(const std::unique_ptr<NativeWindow>& made) { return *system.Find(made->Handle()); }
  WindowRegistry registry;
  TrayMenuSession menus;
  QtPictureSource pictures;
  QtWindowSystem system{registry, pictures, menus};
  test::RecordingEvents events;
};

TEST_F(Windows, WidgetsSitWhereTheLayoutSaysAndEveryCaptionFits) {
  for (const Dpi dpi : {Dpi{96, 96}, Dpi{144, 144}}) {
    for (const WindowDesc* layout : {&ConfigWindowLayout(), &AboutWindowLayout()}) {
      auto window = Make(*layout, dpi);
      // The About window's texts come from the program after it is made.
      window->Update({"lblTitle"}, {u"Murvane", 0, nullptr, std::nullopt});
      window->Update({"lblVersion"}, {u"Versione 1.3.0", 0, nullptr, std::nullopt});
      QtWindow& qt = Of(window);
      const PixelRect client = ClientRect(*layout, dpi);
      EXPECT_EQ(qt.Frame().size(), QSize(client.width, client.height)) << layout->name;
      for (const ControlDesc& desc : layout->controls) {
        QWidget* widget = qt.ControlWidget(desc.id);
        if (!widget) continue;
        const PixelRect r = ControlRect(*layout, desc, dpi);
        EXPECT_EQ(widget->geometry(), QRect(r.left, r.top, r.width, r.height))
            << desc.id.name << " at " << dpi.y;
        EXPECT_TRUE(CaptionFits(*widget)) << desc.id.name << " at " << dpi.y << " dpi";
        EXPECT_EQ(widget->isHidden(), !desc.visible) << desc.id.name;
      }
    }
  }
}

TEST_F(Windows, ClicksReportTheControlAndTheCheckBoxWaitsForTheProgram) {
  auto window = Make(ConfigWindowLayout());
  QtWindow& qt = Of(window);
  auto* box = qobject_cast<QCheckBox*>(qt.ControlWidget({"chkNumLock"}));
  ASSERT_TRUE(box && box->isChecked());
  box->click();
  EXPECT_TRUE(box->isChecked()) << "the form model decides";
  window->Update({"chkNumLock"}, {u"Visualizza stato", 0, nullptr, std::nullopt});
  EXPECT_FALSE(box->isChecked());
  // The program may destroy the window from inside the click.
  events.onClick = [&] { window.reset(); };
  qobject_cast<QAbstractButton*>(qt.ControlWidget({"cmdApply"}))->click();
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(events.log, (std::vector<std::string>{"check chkNumLock", "click cmdApply"}));
}

void Mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button = Qt::NoButton,
           QPoint at = {2, 2}) {
  ASSERT_NE(widget, nullptr);
  QMouseEvent event(type, at, widget->mapToGlobal(at), button,
                    type == QEvent::MouseButtonPress ? button : Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

// A move is over the control under the pointer only, never also over the window's
// ground behind it; so the link stays green while the pointer is on it.
TEST_F(Windows, MovesAndClicksReachTheLabelOrButtonUnderThePointer) {
  auto about = Make(AboutWindowLayout());
  QtWindow& qt = Of(about);
  for (const char* name : {"lblLink", "Label1", "cmdOK"})
    Mouse(qt.ControlWidget({name}), QEvent::MouseMove);
  Mouse(&qt.Frame(), QEvent::MouseMove);
  EXPECT_EQ(events.log,
            (std::vector<std::string>{"move lblLink", "move Label1", "move cmdOK", "move "}));
  events.log.clear();
  QWidget* link = qt.ControlWidget({"lblLink"});
  Mouse(link, QEvent::MouseButtonPress, Qt::LeftButton);
  Mouse(link, QEvent::MouseButtonRelease, Qt::LeftButton);
  Mouse(link, QEvent::MouseButtonPress, Qt::LeftButton);  // let go elsewhere: no click
  Mouse(link, QEvent::MouseButtonRelease, Qt::LeftButton, {-5, -5});
  Mouse(link, QEvent::MouseButtonPress, Qt::RightButton);
  Mouse(link, QEvent::MouseButtonRelease, Qt::RightButton);
  events.onClick = [&] { about.reset(); };  // the program may end the window in the click
  Mouse(qt.ControlWidget({"Label1"}), QEvent::MouseButtonPress, Qt::LeftButton);
  Mouse(qt.ControlWidget({"Label1"}), QEvent::MouseButtonRelease, Qt::LeftButton);
  EXPECT_EQ(about, nullptr);
  EXPECT_EQ(events.log, (std::vector<std::string>{"click lblLink", "click Label1"}));
}

TEST_F(Windows, EnterEscAndTheCloseBoxGoToTheProgram) {
  auto about = Make(AboutWindowLayout());
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(&Of(about).Frame(), &enter);
  auto config = Make(ConfigWindowLayout());
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&Of(config).Frame(), &escape);
  Of(config).Frame().close();
  system.EndSession();
  EXPECT_EQ(events.log, (std::vector<std::string>{"click cmdOK", "click cmdClose", "close 0",
                                                  "close 2", "close 2"}));
}

TEST_F(Windows, TheTimerTicksUntilTheWindowGoes) {
  auto window = Make(ConfigWindowLayout());
  ASSERT_TRUE(test::RunUntil([&] { return events.log.size() >= 2; }, 1000));
  EXPECT_EQ(events.log.front(), "timer Timer1");
  window.reset();
  const std::size_t ticks = events.log.size();
  test::RunUntil([] { return false; }, 300);
  EXPECT_EQ(events.log.size(), ticks);
}

// Some panels report the menu closed before the click on its item arrives.
TEST_F(Windows, ATrayMenuAnswersTheChosenItemOnceItCloses) {
  auto window = Make(ConfigWindowLayout());
  TrayMenu tray;
  FillMenu(tray.Menu(), ConfigWindowLayout().menus[0]);
  tray.Opened();
  QTimer::singleShot(50, [&] {
    Q_EMIT tray.Menu().aboutToHide();
    tray.Menu().actions().at(1)->trigger();
  });
  std::string chosen;
  menus.Deliver(tray, [&] { chosen = window->PopupMenu(ConfigWindowLayout().menus[0]); });
  EXPECT_EQ(chosen, "mnuConfigure");
  EXPECT_TRUE(tray.Menu().actions().at(2)->isSeparator()) << "the items stay for the next time";
}

}  // namespace
}  // namespace murvane::qt
