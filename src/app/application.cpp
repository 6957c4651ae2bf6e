#include "app/application.h"

#include "app/frm_main.h"
#include "ui/about/frm_about.h"

namespace murvane {

Application::Application(Platform& platform) : platform_(platform) {}

Application::~Application() = default;

void Application::Start() {
  main_ = std::make_unique<frmMain>(platform_, static_cast<WindowHost&>(*this));
  main_->Load();
}

bool Application::AnyWindowLoaded() const {
  return (main_ && main_->IsLoaded()) || (about_ && about_->IsLoaded());
}

// One About window at a time; after OK it is loaded afresh on the next request.
void Application::ShowAbout() {
  if (!about_ || !about_->IsLoaded()) {
    about_ = std::make_unique<frmAbout>(platform_, static_cast<WindowHost&>(*this));
    about_->Load();
  }
  about_->Show();
}

void Application::WindowUnloaded() {
  if (quit_ || AnyWindowLoaded()) return;
  quit_ = true;
  platform_.windows.Quit();
}

}  // namespace murvane
