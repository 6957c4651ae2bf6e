#include "platform/qt/osd/display_window.h"

#include <utility>

namespace murvane::qt {

QtDisplayWindow::QtDisplayWindow(QtPictureSource& pictures, std::function<bool()> prefersDark,
                                 std::function<bool()> fullScreenInFront)
    : pictures_(pictures),
      prefersDark_(std::move(prefersDark)),
      fullScreenInFront_(std::move(fullScreenInFront)) {}

QtDisplayWindow::~QtDisplayWindow() = default;

void QtDisplayWindow::Show(const std::vector<DisplayRow>& /*rows*/) {}

}  // namespace murvane::qt
