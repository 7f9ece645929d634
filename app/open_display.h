// The program's first step: the application object, which opens the display its windows
// are shown on.
#pragma once

#include <QApplication>
#include <memory>

namespace sorvanto {

// Creates the application. When no display can be opened, Qt would abort the program (a
// shell sees status 134); instead the program says so in one line on standard error,
// naming the display it tried, and ends with error 68, device unavailable.
std::unique_ptr<QApplication> OpenDisplay(int& argc, char** argv);

}  // namespace sorvanto
