// What the main window asks of the window system beyond Qt while it owns the About window:
// to take no input itself, and to show About again after the system hid it.
#pragma once

class QWidget;

namespace sorvanto {

// Gives the window system's own window the widget's enabled state.
void MatchNativeEnabled(QWidget& window);

// Shows again the windows that `owner` owns and the system hid when it was minimised.
void ShowOwnedWindowsAgain(QWidget& owner);

}  // namespace sorvanto
