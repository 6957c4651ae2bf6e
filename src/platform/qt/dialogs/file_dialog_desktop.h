// What Qt's own file dialog takes from the desktop and leaves on it: it speaks
// the user's language, as the Windows dialog does, and writes no state file.
#pragma once

namespace murvane::qt {

// Qt's own texts ("Look in", "Cancel") in the language of the current locale,
// from qtbase_<lang>.qm in Qt's translations folder; English where there is none.
void SpeakTheLocalesLanguage();

// Qt's dialog keeps its last folder and history in ~/.config/QtProject.conf
// through QSettings; from here on QSettings' files lead nowhere. Murvane
// itself reads and writes its settings file without QSettings.
void KeepDialogStateInMemory();

}  // namespace murvane::qt
