// Which on-screen display this session gets.
#pragma once

#include <functional>
#include <memory>

#include "platform/linux/session/session_facts.h"
#include "platform/platform.h"
#include "platform/qt/pictures/pictures.h"

namespace murvane::linux_desktop {

// A window of Murvane's own on X11; on Wayland the desktop draws it (BusDisplay).
std::unique_ptr<OnScreenDisplay> OpenDisplay(const SessionFacts& session,
                                             qt::QtPictureSource& pictures,
                                             std::function<bool()> prefersDark);

}  // namespace murvane::linux_desktop
