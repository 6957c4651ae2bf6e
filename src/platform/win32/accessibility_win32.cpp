#include "platform/win32/accessibility_win32.h"

// The annotation identifiers are defined here, once, rather than pulled from a
// library that would bring every other identifier with them.
#include <initguid.h>
#include <oleacc.h>

#include "platform/win32/text_win32.h"

namespace murvane::win32 {
namespace {

void SetText(IAccPropServices* service, HWND hwnd, const MSAAPROPID& property,
             const std::u16string& text) {
  if (service)
    service->SetHwndPropStr(hwnd, OBJID_CLIENT, CHILDID_SELF, property, Wide(text).c_str());
}

}  // namespace

Annotations::Annotations() {
  // The program's thread may already be in an apartment; a second start is
  // counted and ended like the first, a refused one never ended.
  comStarted_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  void* service = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                 IID_IAccPropServices, &service))) {
    service_ = static_cast<IAccPropServices*>(service);
  }
}

Annotations::~Annotations() {
  if (service_) {
    const MSAAPROPID all[] = {PROPID_ACC_NAME, PROPID_ACC_DESCRIPTION, PROPID_ACC_ROLE};
    for (const auto& [hwnd, notes] : told_) {
      service_->ClearHwndProps(hwnd, OBJID_CLIENT, CHILDID_SELF, all, 3);
    }
    service_->Release();
  }
  if (comStarted_) CoUninitialize();
}

void Annotations::Name(HWND hwnd, const std::u16string& name) {
  Notes& notes = told_[hwnd];
  if (notes.name == name) return;
  notes.name = name;
  SetText(service_, hwnd, PROPID_ACC_NAME, name);
}

void Annotations::Description(HWND hwnd, const std::u16string& description) {
  Notes& notes = told_[hwnd];
  if (notes.description == description) return;
  notes.description = description;
  SetText(service_, hwnd, PROPID_ACC_DESCRIPTION, description);
}

void Annotations::Role(HWND hwnd, long role) {
  Notes& notes = told_[hwnd];
  if (notes.role == role) return;
  notes.role = role;
  if (!service_) return;
  VARIANT value{};
  value.vt = VT_I4;
  value.lVal = role;
  service_->SetHwndProp(hwnd, OBJID_CLIENT, CHILDID_SELF, PROPID_ACC_ROLE, value);
}

Notes Annotations::Told(HWND hwnd) const {
  const auto found = told_.find(hwnd);
  return found == told_.end() ? Notes{} : found->second;
}

}  // namespace murvane::win32
