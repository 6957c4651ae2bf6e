// Where the one-per-session socket lives: a folder only this user can enter, so
// no other user can take its name first, answer in its place or block it.
#pragma once

#include <QString>

namespace murvane::linux_desktop {

// $XDG_RUNTIME_DIR when it is this user's own (mode 0700); else a folder of that
// kind made in the temporary folder. Empty when there is none to be had.
QString PrivateSocketFolder();

// A real folder (no link), owned by this user, that no one else may enter.
bool IsPrivateFolder(const QString& path);

}  // namespace murvane::linux_desktop
