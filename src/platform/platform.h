// Everything Murvane asks of the system, in the program's own terms. The program
// never includes a system header; a backend (win32, qt, fake) implements these
// interfaces and hands them in at start-up.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/form_desc.h"
#include "platform/notify_icon_buffer.h"
#include "platform/open_file_record.h"

namespace murvane {

// --- Notification area ------------------------------------------------------

enum class NotifyMessage : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

class NotificationArea {
 public:
  virtual ~NotificationArea() = default;
  // Returns true when the shell carried the request out. The buffer is passed
  // by reference because the shell may write to it, as Shell_NotifyIconA may.
  virtual bool Notify(NotifyMessage message, NotifyIconBuffer& record) = 0;
  // Whether the icons are drawn on a dark ground (a dark taskbar or panel). When
  // the answer changes, the windows hear OnTrayGroundChanged.
  virtual bool GroundIsDark() = 0;
};

// --- Text conversion at the system edge ------------------------------------

// The system's ANSI code page. Characters it cannot hold become its replacement.
class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  virtual std::string ToAnsi(const std::u16string& text) = 0;
  virtual std::u16string FromAnsi(const std::string& bytes) = 0;
};

// --- Keyboard -----------------------------------------------------------------

// GetKeyState's answer: bit 0 set while the key is toggled, the high bit while it
// is held down.
class KeyboardState {
 public:
  virtual ~KeyboardState() = default;
  virtual std::int16_t GetKeyState(int virtualKey) = 0;
};

// --- Per-user settings and files ----------------------------------------------

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // An absent or unreadable value reads as an empty text.
  virtual std::u16string Read(const std::u16string& application, const std::u16string& section,
                              const std::u16string& name) = 0;
  // False when the value could not be written.
  virtual bool Write(const std::u16string& application, const std::u16string& section,
                     const std::u16string& name, const std::u16string& value) = 0;
  // Writes between these two may be held back and made together, so that a
  // store kept in one file is never left half saved; EndWrites is false when
  // any of them could not be written.
  virtual void BeginWrites() {}
  virtual bool EndWrites() { return true; }
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // A directory search for the path with the attributes of a normal file: true
  // only for an existing file that is not a folder, hidden or system file.
  virtual bool IsNormalFile(const std::u16string& path) = 0;
};

// --- Pictures -------------------------------------------------------------------

// An icon picture. Its handle is what the tray record carries; the picture owns
// the underlying system icon and releases it when the last holder lets it go.
class Picture {
 public:
  virtual ~Picture() = default;
  virtual std::int32_t Handle() const = 0;
};
using PicturePtr = std::shared_ptr<const Picture>;

class PictureSource {
 public:
  virtual ~PictureSource() = default;
  // A picture built into the program ("CapsLock.on", "Murvane", ...).
  virtual PicturePtr LoadResource(const std::string& name) = 0;
  // Null when the file cannot be read or is not a well-formed icon file.
  virtual PicturePtr LoadIconFile(const std::u16string& path) = 0;
};

// --- Dialogs and the shell ---------------------------------------------------------

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // GetOpenFileNameA: true when the user confirmed a file. The record's text
  // fields, whole buffers included, come back as the dialog left them.
  virtual bool GetOpenFileName(OpenFileNameRecord& record) = 0;
};

struct ShellExecuteRequest {
  std::int32_t owner = 0;
  std::u16string operation;
  std::u16string file;
  std::u16string parameters;
  std::u16string directory;
  int showCommand = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  virtual std::int32_t Execute(const ShellExecuteRequest& request) = 0;
};

// --- Windows ---------------------------------------------------------------------------

// The unload reasons the program tells apart.
constexpr int kUnloadByUser = 0;     // close box or system menu
constexpr int kUnloadByProgram = 1;  // the program unloads its own window
constexpr int kUnloadBySystem = 2;   // logoff, shutdown, the task being ended

// What a native window reports back. The form model implements it.
class NativeWindowEvents {
 public:
  virtual ~NativeWindowEvents() = default;
  virtual void OnClick(const ControlId& control) = 0;
  // The user toggled a checkbox; the model decides the new value.
  virtual void OnCheckBoxClicked(const ControlId& control) = 0;
  // control.name empty: the pointer is over the window's own background.
  virtual void OnPointerMove(const ControlId& control) = 0;
  virtual void OnTimer(const ControlId& timer) = 0;
  // The window is asked to unload; return false to keep it.
  virtual bool OnCloseRequest(int reason) = 0;
  // A mouse message (WM_RBUTTONUP, ...) over one of this window's tray icons.
  virtual void OnTrayCallback(std::uint32_t iconId, std::uint32_t mouseMessage) = 0;
  // The notification area was created anew and has forgotten every icon.
  virtual void OnTrayRecreated() = 0;
  // The tray's ground may have turned dark or light; ask NotificationArea.
  virtual void OnTrayGroundChanged() = 0;
};

// What one control shows; the native widget mirrors it.
struct ControlView {
  std::u16string text;
  int value = 0;
  PicturePtr picture;
  std::optional<Colour> foreColour;
};

class NativeWindow {
 public:
  virtual ~NativeWindow() = default;  // destroys the window and its timers
  virtual std::int32_t Handle() const = 0;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  virtual void SetCaption(const std::u16string& caption) = 0;
  virtual void Update(const ControlId& control, const ControlView& view) = 0;
  // Opens the menu at the mouse position and returns once it has closed: the
  // chosen item's name, or empty when nothing was chosen.
  virtual std::string PopupMenu(const MenuDesc& menu) = 0;
  // The menu's ticks changed. A menu built only when it opens needs nothing; a
  // panel that keeps its own copy of the menu must hear of it now.
  virtual void MenuChanged(const MenuDesc& /*menu*/) {}
};

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;
  // The window starts hidden, with every control as its layout declares it.
  // Null when the system could not create it.
  virtual std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDesc& layout,
                                                           NativeWindowEvents& events) = 0;
  // Modal warning with an exclamation icon and one OK button.
  virtual void ShowWarning(std::int32_t owner, const std::u16string& text,
                           const std::u16string& caption) = 0;
  // Whether the application is listed among running tasks (taskbar, switcher).
  virtual void SetTaskListVisible(bool visible) = 0;
  // Ends the message loop; called once no window of the program remains.
  virtual void Quit() = 0;
};

// --- One Murvane per user session ----------------------------------------------------

// What a later start (or a setup program) asks of the Murvane already running.
enum class InstanceRequest { ShowConfiguration, Exit };

class SessionInstance {
 public:
  virtual ~SessionInstance() = default;
  // True when no other Murvane runs in this user session; from then on this one
  // receives the requests of later starts through onRequest, on the program's
  // own thread. A claim left behind by a program that died never counts.
  virtual bool Claim(std::function<void(InstanceRequest)> onRequest) = 0;
  // Hands a request to the Murvane holding the claim; false when none answers.
  virtual bool AskRunning(InstanceRequest request) = 0;
};

// --- On-screen display ---------------------------------------------------------------

// One row of the display: a key's picture and tip for the state it just took.
struct DisplayRow {
  PicturePtr picture;
  std::u16string text;
};

// A passing panel over the user's work, for the key changes the program picks.
class OnScreenDisplay {
 public:
  virtual ~OnScreenDisplay() = default;
  // Shows the rows, one under the other, for about 1.5 s, replacing whatever the
  // display shows now. Returns at once, never takes the focus, and may show
  // nothing while a full-screen program is in front.
  virtual void Show(const std::vector<DisplayRow>& rows) = 0;
};

// --- Who the program is -------------------------------------------------------------------

struct AppIdentity {
  std::u16string title;
  int major = 0;
  int minor = 0;
  int revision = 0;
  std::u16string fileDescription;
  std::u16string companyName;
  std::u16string folder;  // the folder that holds the program file
};

// The whole system as the program sees it. Every member outlives the program.
struct Platform {
  NotificationArea& tray;
  AnsiCodePage& ansi;
  KeyboardState& keyboard;
  SettingsStore& settings;
  FileSystem& files;
  PictureSource& pictures;
  FileDialog& fileDialog;
  Shell& shell;
  WindowSystem& windows;
  SessionInstance& instance;
  OnScreenDisplay& display;
  AppIdentity identity;
};

}  // namespace murvane
