// On X11, Qt's disabling keeps the input from the main window, and the window manager
// maps a transient window again along with its owner: nothing to add.
#include "owned_windows.h"

namespace sorvanto {

void MatchNativeEnabled(QWidget&) {}

void ShowOwnedWindowsAgain(QWidget&) {}

}  // namespace sorvanto
