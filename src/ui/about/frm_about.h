// The About window: who made the program, its version, and a link to the maker.
#pragma once

#include <memory>

#include "app/application.h"
#include "forms/form.h"

namespace murvane {

class frmAbout final : private FormHandlers {
 public:
  frmAbout(Platform& platform, WindowHost& host);
  ~frmAbout() override;

  void Load();
  void Show();
  void Close() { form_->Unload(kUnloadByProgram); }
  bool IsLoaded() const { return form_ && form_->IsLoaded(); }
  Form& Window() { return *form_; }

 private:
  void Click(const ControlId& id) override;
  void MouseMove(const ControlId& id) override;
  void Unloaded() override;

  void Form_Load();
  void lblLink_Click();

  Platform& platform_;
  WindowHost& host_;
  std::unique_ptr<Form> form_;
};

// "Versione 1.3.0": plain decimal numbers, no padding.
std::u16string VersionText(int major, int minor, int revision);

}  // namespace murvane
