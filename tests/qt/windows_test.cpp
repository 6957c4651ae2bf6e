// Windows from the layout tables on Qt: where the widgets go at 96 and 144 dpi,
// captions that fit, and what the window reports to the program.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/qt/windows/window_system.h"
#include "support/qt_test_app.h"
#include "ui/about/about_layout.h"
#include "ui/config/config_layout.h"

namespace murvane::qt {
namespace {

using Log = std::vector<std::string>;

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
      window->Update({"lblVersion"}, {u"Versione 1.3.0", 0, nullptr, std::nullopt});
      const PixelRect client = ClientRect(*layout, dpi);
      EXPECT_EQ(Of(window).Frame().size(), QSize(client.width, client.height)) << layout->name;
      for (const ControlDesc& desc : layout->controls) {
        QWidget* widget = Of(window).ControlWidget(desc.id);
        if (!widget) continue;
        const PixelRect r = ControlRect(*layout, desc, dpi);
        const std::string where = desc.id.name + " at " + std::to_string(dpi.y);
        const QRect inWindow(widget->mapTo(&Of(window).Frame(), QPoint()), widget->size());
        EXPECT_EQ(inWindow, QRect(r.left, r.top, r.width, r.height)) << where;
        EXPECT_TRUE(CaptionFits(*widget)) << where;
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
  EXPECT_EQ(events.log, (Log{"check chkNumLock", "click cmdApply"}));
}

// A move is over the control under the pointer only, never also over the window's
// ground behind it; so the link stays green while the pointer is on it. Enter, Esc,
// the close box and the session's end go to the program.
TEST_F(Windows, MovesKeysAndTheCloseBoxGoToTheProgram) {
  auto about = Make(AboutWindowLayout()), config = Make(ConfigWindowLayout());
  QtWindow& qt = Of(about);
  for (QWidget* widget : {qt.ControlWidget({"lblLink"}), qt.ControlWidget({"Label1"}),
                          qt.ControlWidget({"cmdOK"}), static_cast<QWidget*>(&qt.Frame())}) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(widget->mapToGlobal(QPoint(2, 2))),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
  }
  for (const auto& [window, key] : {std::pair(&about, Qt::Key_Return), {&config, Qt::Key_Escape}}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(&Of(*window).Frame(), &press);
  }
  Of(config).Frame().close();
  system.EndSession();
  EXPECT_EQ(events.log, (Log{"move lblLink", "move Label1", "move cmdOK", "move ", "click cmdOK",
                             "click cmdClose", "close 0", "close 2", "close 2"}));
}

// What a screen reader hears: each control it can reach, and each picture, reads
// differently, with its key in its own name or its frame's; the windows are
// dialogs; the About link is a link, pressed from the screen reader or, after
// one Tab, by Enter and Space, while the window still opens on OK.
TEST_F(Windows, AScreenReaderTellsEveryControlApartAndReachesTheLink) {
  auto config = Make(ConfigWindowLayout()), about = Make(AboutWindowLayout());
  config->Update({"txtCapsLockIconPath", 1}, {u"(Default)", 0, nullptr, std::nullopt});
  std::set<QString> heard;
  std::function<void(QAccessibleInterface*, QString)> walk = [&](auto* node, QString path) {
    if (node->state().focusable || node->role() == QAccessible::Graphic) {
      EXPECT_TRUE(heard.insert(path).second) << path.toStdString();
      EXPECT_TRUE(path.contains(QStringLiteral("Lock")) || path.count(u'/') == 1)
          << path.toStdString();
    }
    for (int i = 0; i < node->childCount(); ++i) {
      const QString name = node->child(i)->text(QAccessible::Name);
      EXPECT_FALSE(name.isEmpty()) << path.toStdString() << " has a nameless child";
      walk(node->child(i), path + u'/' + name);
    }
  };
  for (auto* window : {&config, &about}) {
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&Of(*window).Frame());
    EXPECT_EQ(root->role(), QAccessible::Dialog);
    walk(root, QString());
  }
  EXPECT_EQ(heard.size(), 3u * 7 + 2 + 2);
  auto* picture =
      QAccessible::queryAccessibleInterface(Of(config).ControlWidget({"imgCurCapsLockIcon", 1}));
  ASSERT_TRUE(picture && picture->imageInterface());
  EXPECT_EQ(picture->text(QAccessible::Name), QStringLiteral("CapsLock, icona stato attivo"));
  EXPECT_EQ(picture->imageInterface()->imageDescription(), QStringLiteral("(Default)"));

  QWidget* link = Of(about).ControlWidget({"lblLink"});
  QAccessibleInterface* linkNode = QAccessible::queryAccessibleInterface(link);
  EXPECT_EQ(linkNode->role(), QAccessible::Link);
  linkNode->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  about->Show();
  ASSERT_TRUE(test::RunUntil(
      [&] { return QApplication::focusWidget() == Of(about).ControlWidget({"cmdOK"}); }, 2000));
  for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Return, Qt::Key_Space}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(QApplication::focusWidget(), &press);
  }
  EXPECT_EQ(link->focusPolicy(), Qt::TabFocus) << "a click on the link leaves the focus on OK";
  EXPECT_EQ(events.log, (Log{"click lblLink", "click lblLink", "click lblLink"}));
}

TEST_F(Windows, TheTimerTicksUntilTheWindowGoes) {
  events.timers = true;
  auto window = Make(ConfigWindowLayout());
  ASSERT_TRUE(test::RunUntil([&] { return events.log.size() >= 2; }, 1000));
  EXPECT_EQ(events.log.front(), "timer Timer1");
  window.reset();
  const std::size_t ticks = events.log.size();
  test::RunUntil([] { return false; }, 300);
  EXPECT_EQ(events.log.size(), ticks);
}

}  // namespace
}  // namespace murvane::qt
