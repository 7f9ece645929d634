// The program's first step: the application object, which opens the display its windows
// are shown on.
#pragma once

#include <QApplication>
#include <memory>

namespace sorvanto {

// Creates the application. When Qt cannot set up its platform, it would abort the program
// (a shell sees status 134); instead the program says why in a line on standard error.
// When no display can be opened, that line names the display it tried, and the program
// ends with error 68, device unavailable; for any other cause, such as a platform plugin
// that cannot be found or loaded, Qt's own message comes first, and it ends with error 48,
// error in loading DLL.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

}  // namespace sorvanto
