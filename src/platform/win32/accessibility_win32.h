// What a screen reader hears beyond what the system's controls say for themselves:
// names, descriptions and roles, given through oleacc's annotation of window
// handles. Where the system has no such service (Wine answers E_NOTIMPL), nothing
// is told and nothing fails; the window reads as its controls alone.
#pragma once

#include <windows.h>

#include <map>
#include <string>

struct IAccPropServices;

namespace murvane::win32 {

// What was told about one window handle.
struct Notes {
  std::u16string name;
  std::u16string description;
  long role = 0;  // 0: the control's own
};

// One per program window. Every note is taken back before the window goes, so a
// handle number the system gives out again starts with none.
class Annotations {
 public:
  Annotations();
  ~Annotations();
  Annotations(const Annotations&) = delete;
  Annotations& operator=(const Annotations&) = delete;

  void Name(HWND hwnd, const std::u16string& name);
  void Description(HWND hwnd, const std::u16string& description);
  // A window's own role (ROLE_SYSTEM_DIALOG) or a control's (ROLE_SYSTEM_LINK).
  void Role(HWND hwnd, long role);
  // What this window has told so far about `hwnd`, whether or not the system kept it.
  Notes Told(HWND hwnd) const;

 private:
  bool comStarted_ = false;
  IAccPropServices* service_ = nullptr;
  std::map<HWND, Notes> told_;
};

}  // namespace murvane::win32
