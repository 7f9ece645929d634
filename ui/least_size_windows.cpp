// On Windows the least size is left to the resize rule alone. Declared, it would answer
// WM_GETMINMAXINFO, and Wine then cuts a smaller size that its X window manager sets back
// to the least one inside Windows alone: the program hears of no change, and the window
// on the screen stays small with its buttons cut off. Undeclared, every change reaches
// the resize rule, which sets the size back, on Windows and under Wine alike.
#include <QWidget>

#include "least_size.h"

namespace sorvanto {

void DeclareLeastSize(QWidget&, QSize) {}

}  // namespace sorvanto
