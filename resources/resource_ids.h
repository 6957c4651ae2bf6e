// Numeric ids of the pictures built into murvane.exe. The program icon has the
// lowest id so that Explorer, which shows a file's first icon group, shows it.
#pragma once

#define IDI_MURVANE 1
#define IDI_CAPSLOCK_OFF 101
#define IDI_CAPSLOCK_ON 102
#define IDI_NUMLOCK_OFF 103
#define IDI_NUMLOCK_ON 104
#define IDI_SCROLLLOCK_OFF 105
#define IDI_SCROLLLOCK_ON 106
// The "on" pictures redrawn for a dark taskbar.
#define IDI_CAPSLOCK_ON_DARK 107
#define IDI_NUMLOCK_ON_DARK 108
#define IDI_SCROLLLOCK_ON_DARK 109
