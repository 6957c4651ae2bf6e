#include "app/application.h"

#include "app/frm_main.h"
#include "ui/about/frm_about.h"

#include <utility>

namespace murvane {

Application::Application(Platform& platform) : platform_(platform) {}

Application::~Application() = default;

// A second Murvane would put up three more icons and fight the first over the
// settings, so a later start only asks the first to show its window. If nothing
// answers, the claim is stale and this start goes ahead.
StartOutcome Application::Start() {
  const bool first =
      platform_.instance.Claim([this](InstanceRequest request) { OnInstanceRequest(request); });
  if (!first && platform_.instance.AskRunning(InstanceRequest::ShowConfiguration)) {
    return StartOutcome::HandedOver;
  }
  main_ = std::make_unique<frmMain>(platform_, static_cast<WindowHost&>(*this));
  starting_ = true;
  main_->Load();
  starting_ = false;
  if (pending_) OnInstanceRequest(*std::exchange(pending_, std::nullopt));
  if (!main_->IsLoaded() && !quit_) {
    platform_.windows.ShowWarning(
        0, u"Impossibile avviare: la finestra principale non può essere creata.",
        platform_.identity.title);
    return StartOutcome::NoWindow;
  }
  return StartOutcome::Running;
}

// A setup program ends Murvane to replace its files, so an open About window
// goes too: it would keep the process alive.
// The shell calls of start-up can let a request in before the icons are up.
void Application::OnInstanceRequest(InstanceRequest request) {
  if (starting_) {
    pending_ = request;
    return;
  }
  if (!main_ || !main_->IsLoaded()) return;
  if (request == InstanceRequest::ShowConfiguration) return main_->Configure();
  main_->Exit();
  if (about_ && about_->IsLoaded()) about_->Close();
}

void Application::RemoveIcons() {
  if (main_) main_->RemoveIcons();
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
