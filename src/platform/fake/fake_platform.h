// An in-memory system for the behaviour tests: it records every request the
// program makes and answers from state the test sets up, the way Windows would.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "platform/platform.h"

namespace murvane::fake {

// A single-byte code page: Latin-1, anything beyond it becomes '?'. Switched
// to double-byte, ASCII stays one byte and U+0100..U+7FFF take two, lead byte
// first, as in the East Asian code pages.
class FakeAnsi final : public AnsiCodePage {
 public:
  std::string ToAnsi(const std::u16string& text) override;
  std::u16string FromAnsi(const std::string& bytes) override;
  bool doubleByte = false;
};

struct FakeFile {
  std::vector<std::uint8_t> bytes;
  bool folder = false;
  bool hidden = false;
  bool system = false;
};

class FakeFiles final : public FileSystem {
 public:
  void Put(const std::u16string& path, FakeFile file) { files_[path] = std::move(file); }
  const FakeFile* Find(const std::u16string& path) const;
  bool IsNormalFile(const std::u16string& path) override;

 private:
  std::map<std::u16string, FakeFile> files_;
};

// Pictures carry a description ("CapsLock.on" or a file path) so tests can say
// what the tray shows; every picture is counted from creation to release.
class FakePictures final : public PictureSource {
 public:
  explicit FakePictures(FakeFiles& files) : files_(files) {}
  PicturePtr LoadResource(const std::string& name) override;
  PicturePtr LoadIconFile(const std::u16string& path) override;

  bool IsLive(std::int32_t handle) const { return live_.contains(handle); }
  std::string Describe(std::int32_t handle) const;
  int LiveCount() const { return static_cast<int>(live_.size()); }
  int CreatedCount() const { return created_; }
  void Released(std::int32_t handle) { live_.erase(handle); }

 private:
  PicturePtr Make(std::string description);

  FakeFiles& files_;
  std::map<std::int32_t, std::string> live_;
  std::map<std::int32_t, std::string> everSeen_;
  std::int32_t nextHandle_ = 0x2000;
  int created_ = 0;
};

// An icon the fake shell shows: the fields of the last record it took for it.
using ShownIcon = NotifyIconRequest;

struct NotifyCall {
  NotifyMessage message;
  NotifyIconBuffer record;
  bool answer;
  std::int32_t uID() const;
};

// Answers like the Windows shell: adding a shown icon, or modifying or deleting
// one that is not shown, is refused.
class FakeTray final : public NotificationArea {
 public:
  bool Notify(NotifyMessage message, NotifyIconBuffer& record) override;
  bool GroundIsDark() override { return darkGround; }

  bool darkGround = false;
  // Icons in the order the shell shows them (the order they were added).
  const std::vector<ShownIcon>& Shown() const { return shown_; }
  const ShownIcon* Find(std::int32_t uID) const;
  const std::vector<NotifyCall>& Calls() const { return calls_; }
  void Forget() { shown_.clear(); }

  // Whether a handle's picture still exists; checked at every call, because
  // the shell may draw any icon it shows at any moment.
  std::function<bool(std::int32_t)> isLive;
  // Runs inside the next call, as other programs' messages may get through
  // while the shell is being called.
  std::function<void()> duringNextCall;
  // Calls at whose moment the shell held, or was handed, a released handle.
  int CallsWithReleasedHandle() const { return callsWithReleasedHandle_; }

 private:
  bool HoldsReleasedHandle(const NotifyIconBuffer& record) const;

  int callsWithReleasedHandle_ = 0;
  std::vector<ShownIcon> shown_;
  std::vector<NotifyCall> calls_;
};

class FakeKeyboard final : public KeyboardState {
 public:
  std::int16_t GetKeyState(int virtualKey) override;
  void Set(int virtualKey, std::int16_t state) { states_[virtualKey] = state; }
  int Reads() const { return reads_; }

 private:
  std::map<int, std::int16_t> states_;
  int reads_ = 0;
};

struct SettingsWrite {
  std::u16string application, section, name, value;
  bool held = false;  // made between BeginWrites and EndWrites
};

class FakeSettings final : public SettingsStore {
 public:
  std::u16string Read(const std::u16string& application, const std::u16string& section,
                      const std::u16string& name) override;
  bool Write(const std::u16string& application, const std::u16string& section,
             const std::u16string& name, const std::u16string& value) override;

  // Values of the program's own section, the one all tests look at.
  void Put(const std::u16string& name, const std::u16string& value);
  std::optional<std::u16string> Get(const std::u16string& name) const;
  void FailWritesOf(const std::u16string& name) { failing_.insert(name); }
  const std::vector<SettingsWrite>& Writes() const { return writes_; }
  void BeginWrites() override { holding_ = true; }
  bool EndWrites() override {
    holding_ = false;
    ++batches_;
    return true;
  }
  int Batches() const { return batches_; }

 private:
  using Address = std::tuple<std::u16string, std::u16string, std::u16string>;
  std::map<Address, std::u16string> values_;
  std::set<std::u16string> failing_;
  std::vector<SettingsWrite> writes_;
  bool holding_ = false;
  int batches_ = 0;
};

// Answers the next request from what the test scripted; with nothing scripted
// the user cancels.
class FakeFileDialog final : public FileDialog {
 public:
  bool GetOpenFileName(OpenFileNameRecord& record) override;
  void WillChoose(const std::u16string& path) { answers_.push_back(path); }
  void WillCancel() { answers_.push_back(std::nullopt); }
  // Runs while the dialog is open, as if the user or the system acted meanwhile.
  std::function<void()> whileOpen;
  const std::vector<OpenFileNameRecord>& Requests() const { return requests_; }

 private:
  std::deque<std::optional<std::u16string>> answers_;
  std::vector<OpenFileNameRecord> requests_;
};

class FakeShell final : public Shell {
 public:
  std::int32_t Execute(const ShellExecuteRequest& request) override;
  const std::vector<ShellExecuteRequest>& Requests() const { return requests_; }

 private:
  std::vector<ShellExecuteRequest> requests_;
};

struct FakeWindowState;
class FakeWindows;

struct MessageBoxShown {
  std::int32_t owner;
  std::u16string text;
  std::u16string caption;
};

// What one native window looks like on the fake screen.
struct FakeWindowState {
  const WindowDesc* layout = nullptr;
  NativeWindowEvents* events = nullptr;
  std::int32_t handle = 0;
  bool alive = true;
  bool visible = false;
  std::u16string caption;
  std::map<ControlId, ControlView> controls;
  std::vector<std::string> menusOpened;
  MenuDesc lastMenu;  // as last drawn or told of, ticks included
};

class FakeWindows final : public WindowSystem {
 public:
  std::unique_ptr<NativeWindow> CreateNativeWindow(const WindowDesc& layout,
                                                   NativeWindowEvents& events) override;
  void ShowWarning(std::int32_t owner, const std::u16string& text,
                   const std::u16string& caption) override;
  void SetTaskListVisible(bool visible) override { taskListVisible_ = visible; }
  void Quit() override { ++quitCalls_; }

  // The latest window of that name that is still alive, or null.
  FakeWindowState* Live(const std::string& name);
  FakeWindowState* ByHandle(std::int32_t handle);
  int LiveCount() const;
  int CreatedCount(const std::string& name) const;
  bool TaskListVisible() const { return taskListVisible_; }
  int QuitCalls() const { return quitCalls_; }
  const std::vector<MessageBoxShown>& MessageBoxes() const { return messageBoxes_; }
  std::vector<FakeWindowState*> AllLive();

  // The user's answer to the next pop-up menu: an item name, or empty to dismiss it.
  void WillChooseFromMenu(const std::string& item) { menuChoices_.push_back(item); }
  // Run while a pop-up menu or a warning is open, as if the user acted meanwhile.
  std::function<void()> whileMenuOpen;
  std::function<void()> whileWarningOpen;
  // The system refuses to create any more windows.
  bool refuseWindows = false;
  std::string NextMenuChoice();

 private:
  std::vector<std::shared_ptr<FakeWindowState>> windows_;
  std::deque<std::string> menuChoices_;
  std::vector<MessageBoxShown> messageBoxes_;
  bool taskListVisible_ = true;
  int quitCalls_ = 0;
  std::int32_t nextHandle_ = 0x10010;
};

// The user session's other Murvanes: a test says whether one already runs and
// whether it answers, and plays a later start's requests to the one that claimed.
class FakeInstance final : public SessionInstance {
 public:
  bool Claim(std::function<void(InstanceRequest)> onRequest) override;
  bool AskRunning(InstanceRequest request) override;

  bool otherRunning = false;
  bool otherAnswers = true;
  const std::vector<InstanceRequest>& Asked() const { return asked_; }
  // A later start (or a setup program) reaches the program that claimed.
  void Deliver(InstanceRequest request);

 private:
  std::function<void(InstanceRequest)> onRequest_;
  std::vector<InstanceRequest> asked_;
};

// Records each display the program asks for, as the user would have seen it.
class FakeDisplay final : public OnScreenDisplay {
 public:
  void Show(const std::vector<DisplayRow>& rows) override { shown_.push_back(rows); }
  const std::vector<std::vector<DisplayRow>>& Shown() const { return shown_; }

 private:
  std::vector<std::vector<DisplayRow>> shown_;
};

// All of the fake system, with the user's and the shell's actions a test needs.
class FakePlatform {
 public:
  FakePlatform();
  Platform& Get() { return platform_; }

  FakeAnsi ansi;
  FakeTray tray;
  FakeKeyboard keyboard;
  FakeSettings settings;
  FakeFiles files;
  FakePictures pictures{files};
  FakeFileDialog fileDialog;
  FakeShell shell;
  FakeWindows windows;
  FakeInstance instance;
  FakeDisplay display;

  // One tick of every running timer: 100 ms of the program's life.
  void Tick(int times = 1);
  // The shell reports a mouse message over a shown icon.
  bool MouseOnIcon(std::int32_t uID, std::uint32_t mouseMessage);
  void RightClickIcon(std::int32_t uID);
  // The shell restarted: every icon is gone and each window is told so.
  void RestartShell();
  // The user switches the taskbar between light and dark; every window is told.
  void SetTrayGround(bool dark);
  // The user logs off: every window is asked to close for the system.
  void EndSession();

  void Click(const std::string& window, const ControlId& control);
  void ClickCheckBox(const std::string& window, const ControlId& control);
  void PointerOver(const std::string& window, const ControlId& control);
  void CloseBox(const std::string& window);

  // What the tray shows for an icon: the picture's description, or "" if absent.
  std::string PictureOf(std::int32_t uID) const;
  std::string TipOf(std::int32_t uID) const;
  // True if the shell ever held, or now shows, a handle whose picture was released.
  bool TrayShowsReleasedHandle() const;

 private:
  Platform platform_;
};

}  // namespace murvane::fake
