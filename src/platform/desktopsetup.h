#pragma once
// What the program sets up on the desktop once, right after the application
// object exists and before any window is built. The program and its tests
// call the same functions, so the tests see the windows as a user does.
#include <QStringList>

namespace kv {

// The face the windows ask for, "MS Sans Serif", and the installed faces with
// the same widths that stand in for it, the first one found winning.
QString designedFace();
QStringList designedFaceStandIns();
// Maps the designed face to its stand-ins inside the program, whatever the
// user's fontconfig would choose for a name it does not know.
void substituteDesignedFace();

// Loads Qt's own Russian texts (dialogs, context menus, the file dialog) from
// Qt's translations folder, for every user: the program speaks Russian.
// Returns false when the translation is not installed.
bool loadQtTranslation();

// Both of the above; safe to call more than once.
void setUpDesktop();

} // namespace kv
