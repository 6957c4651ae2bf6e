#include "ui/about/frm_about.h"

#include "ui/about/about_layout.h"

namespace murvane {

namespace {

std::u16string Decimal(int number) {
  std::string digits = std::to_string(number);
  return std::u16string(digits.begin(), digits.end());
}

constexpr int kSwShowNormal = 1;

}  // namespace

std::u16string VersionText(int major, int minor, int revision) {
  return u"Versione " + Decimal(major) + u"." + Decimal(minor) + u"." + Decimal(revision);
}

frmAbout::frmAbout(Platform& platform, WindowHost& host) : platform_(platform), host_(host) {}

frmAbout::~frmAbout() = default;

void frmAbout::Load() {
  form_ = std::make_unique<Form>(platform_, AboutWindowLayout(), static_cast<FormHandlers&>(*this));
  Form_Load();
}

void frmAbout::Form_Load() {
  const AppIdentity& app = platform_.identity;
  form_->SetCaption(u"Informazioni su " + app.title);
  form_->SetText({"lblTitle"}, app.title);
  form_->SetText({"lblVersion"}, VersionText(app.major, app.minor, app.revision));
  form_->SetText({"lblDescription"}, app.fileDescription);
}

void frmAbout::Show() {
  form_->Show();
}

void frmAbout::Click(const ControlId& id) {
  if (id.name == "lblLink") return lblLink_Click();
  if (id.name == "cmdOK") form_->Unload(kUnloadByProgram);
}

// There is no leave notification, so the link only cools down when the pointer
// next crosses the window's bare background.
void frmAbout::MouseMove(const ControlId& id) {
  if (id.name.empty()) form_->SetForeColour({"lblLink"}, kLinkColour);
  if (id.name == "lblLink") form_->SetForeColour({"lblLink"}, kLinkHotColour);
}

void frmAbout::lblLink_Click() {
  platform_.shell.Execute({0, u"open", kMakerWebPage, u"", u"", kSwShowNormal});
}

void frmAbout::Unloaded() {
  host_.WindowUnloaded();
}

}  // namespace murvane
