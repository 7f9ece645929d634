// X11 window managers take the least size as a hint and stop a dragged frame there.
#include <QWidget>

#include "least_size.h"

namespace sorvanto {

void DeclareLeastSize(QWidget& window, QSize size) { window.setMinimumSize(size); }

}  // namespace sorvanto
