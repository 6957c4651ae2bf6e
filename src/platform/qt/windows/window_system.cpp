#include "platform/qt/windows/window_system.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "platform/qt/text.h"

namespace murvane::qt {
namespace {

Dpi ScreenDpi() {
  const QScreen* screen = QApplication::primaryScreen();
  if (!screen) return {};
  return {static_cast<int>(std::lround(screen->logicalDotsPerInchX())),
          static_cast<int>(std::lround(screen->logicalDotsPerInchY()))};
}

// Removes itself from the window system's list when the program destroys it;
// every call the program makes on it counts as the program being busy.
class ListedWindow final : public NativeWindow {
 public:
  ListedWindow(std::unique_ptr<QtWindow> window, std::vector<QtWindow*>& list,
               QuietTicks* quietTicks)
      : window_(std::move(window)), list_(list), quietTicks_(quietTicks) {
    list_.push_back(window_.get());
  }
  ~ListedWindow() override { std::erase(list_, window_.get()); }
  std::int32_t Handle() const override { return window_->Handle(); }
  void Show() override {
    Busy();
    window_->Show();
  }
  void Hide() override {
    Busy();
    window_->Hide();
  }
  void SetCaption(const std::u16string& caption) override {
    Busy();
    window_->SetCaption(caption);
  }
  void Update(const ControlId& control, const ControlView& view) override {
    Busy();
    window_->Update(control, view);
  }
  std::string PopupMenu(const MenuDesc& menu) override {
    Busy();
    return window_->PopupMenu(menu);
  }
  void MenuChanged(const MenuDesc& menu) override { window_->MenuChanged(menu); }

 private:
  void Busy() const {
    if (quietTicks_) quietTicks_->Activity();
  }

  std::unique_ptr<QtWindow> window_;
  std::vector<QtWindow*>& list_;
  QuietTicks* quietTicks_;
};

// The window's timers are its frame's own QTimers, each already connected to
// the program's tick, so the quiet rule's handler runs after it.
void AttachTimers(QtWindow& window, QuietTicks* quietTicks) {
  if (!quietTicks) return;
  for (QTimer* timer : window.Frame().findChildren<QTimer*>(Qt::FindDirectChildrenOnly)) {
    quietTicks->Attach(*timer);
  }
}

}  // namespace

QtWindowSystem::QtWindowSystem(WindowRegistry& registry, QtPictureSource& pictures,
                               TrayMenuSession& trayMenus)
    : registry_(registry), pictures_(pictures), trayMenus_(trayMenus) {}

WindowEnvironment QtWindowSystem::Environment() const {
  QtPictureSource& pictures = pictures_;
  return WindowEnvironment{
      registry_, trayMenus_, [&pictures](std::int32_t handle) { return pictures.IconOf(handle); },
      [&pictures](const std::string& name) { return pictures.LoadResource(name); },
      dpi_.value_or(ScreenDpi())};
}

std::unique_ptr<NativeWindow> QtWindowSystem::CreateNativeWindow(const WindowDesc& layout,
                                                                 NativeWindowEvents& events) {
  if (auto wait = std::exchange(beforeFirstWindow_, nullptr)) wait();
  if (!qApp) return nullptr;
  auto window = std::make_unique<QtWindow>(layout, events, Environment());
  AttachTimers(*window, quietTicks_);
  auto listed = std::make_unique<ListedWindow>(std::move(window), windows_, quietTicks_);
  ApplyTaskList(*windows_.back());
  return listed;
}

// Only the main window, the configuration window, is ever listed; the About
// window is a passing note beside it.
void QtWindowSystem::ApplyTaskList(QtWindow& window) const {
  const bool main = !windows_.empty() && windows_.front() == &window;
  if (listInTaskList_) listInTaskList_(window.Frame(), main && listed_);
}

void QtWindowSystem::SetTaskListVisible(bool visible) {
  listed_ = visible;
  for (QtWindow* window : windows_) ApplyTaskList(*window);
}

QtWindow* QtWindowSystem::Find(std::int32_t handle) const {
  for (QtWindow* window : windows_) {
    if (window->Handle() == handle) return window;
  }
  return nullptr;
}

// Centred on its owner when the owner is on screen, as MessageBox does.
void QtWindowSystem::ShowWarning(std::int32_t owner, const std::u16string& text,
                                 const std::u16string& caption) {
  QtWindow* parent = Find(owner);
  QWidget* parentWidget = parent && parent->Frame().isVisible() ? &parent->Frame() : nullptr;
  QMessageBox box(QMessageBox::Warning, ToQString(caption), ToQString(text), QMessageBox::Ok,
                  parentWidget);
  box.exec();
}

void QtWindowSystem::Quit() {
  quitAsked_ = true;
  QCoreApplication::exit(0);
}

void QtWindowSystem::EndSession() {
  TellEveryWindow([](NativeWindowEvents& events) { events.OnCloseRequest(kUnloadBySystem); });
}

void QtWindowSystem::TrayRecreated() {
  TellEveryWindow([](NativeWindowEvents& events) { events.OnTrayRecreated(); });
}

void QtWindowSystem::TrayGroundChanged() {
  TellEveryWindow([](NativeWindowEvents& events) { events.OnTrayGroundChanged(); });
}

// A window may go while an earlier one is told, so each is looked up afresh.
void QtWindowSystem::TellEveryWindow(const std::function<void(NativeWindowEvents&)>& tell) {
  for (std::int32_t handle : registry_.Handles()) {
    if (const WindowRegistry::Entry* window = registry_.Find(handle)) tell(*window->events);
  }
}

int QtWindowSystem::Run() {
  const int code = QApplication::exec();
  return quitAsked_ ? 0 : code;
}

}  // namespace murvane::qt
