// The on-screen display as a window of its own, for desktops where a client may
// place a window and keep it from taking the focus (X11).
#pragma once

#include <functional>
#include <memory>

#include "platform/platform.h"
#include "platform/qt/pictures/pictures.h"

namespace murvane::qt {

class DisplayPanel;

class QtDisplayWindow final : public OnScreenDisplay {
 public:
  // prefersDark: the same signal that picks the tray's white glyphs.
  // fullScreenInFront: true while a full-screen program or presentation is in front.
  QtDisplayWindow(QtPictureSource& pictures, std::function<bool()> prefersDark,
                  std::function<bool()> fullScreenInFront);
  ~QtDisplayWindow() override;
  QtDisplayWindow(const QtDisplayWindow&) = delete;
  QtDisplayWindow& operator=(const QtDisplayWindow&) = delete;

  void Show(const std::vector<DisplayRow>& rows) override;

 private:
  QtPictureSource& pictures_;
  std::function<bool()> prefersDark_;
  std::function<bool()> fullScreenInFront_;
  // Made at the first display, so a user who never turns it on has no window;
  // then the same one every time.
  std::unique_ptr<DisplayPanel> panel_;
};

}  // namespace murvane::qt
