// How the main window tells the window system its least size. The resize rule sets the
// size back whenever the window is made smaller; where the window system honours the
// declared least size as well, a frame dragged past it simply stops there.
#pragma once

#include <QSize>

class QWidget;

namespace sorvanto {

void DeclareLeastSize(QWidget& window, QSize size);

}  // namespace sorvanto
