// Whether a window is listed in the desktop's task list, through the EWMH state
// _NET_WM_STATE_SKIP_TASKBAR (and _SKIP_PAGER) on X11. Elsewhere it does nothing.
#pragma once

#include <QWidget>

namespace murvane::linux_desktop {

void SetListedInTaskList(QWidget& window, bool listed);

}  // namespace murvane::linux_desktop
