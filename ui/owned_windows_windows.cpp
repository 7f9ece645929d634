// On Windows, Qt's disabling leaves the window itself enabled. Disabled as well, as the
// owner of a dialog is, it takes no activation: a click on it or on its taskbar entry
// activates the window it owns, and under Wine a minimise from the X window manager is
// not carried out inside Windows, where it would hide About. A minimise that comes
// through all the same hides the windows the main window owns, and restoring it shows
// them again only through the system menu's command, not when the program restores it to
// refuse the minimise: About would stay hidden behind a greyed main window.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <QWidget>

#include "owned_windows.h"

namespace sorvanto {
namespace {

HWND NativeWindow(QWidget& window) { return reinterpret_cast<HWND>(window.winId()); }

}  // namespace

void MatchNativeEnabled(QWidget& window) {
  ::EnableWindow(NativeWindow(window), window.isEnabled());
}

// The system keeps track of the windows it hid, and shows only those.
void ShowOwnedWindowsAgain(QWidget& owner) { ::ShowOwnedPopups(NativeWindow(owner), TRUE); }

}  // namespace sorvanto
