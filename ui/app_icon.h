// The program's icon: a cut-out of a lottery coupon, as bitmaps rendered from its
// drawings at build time, one for each size it is shown at, and compiled into the program.
#pragma once

#include <QIcon>

namespace sorvanto {

// Both windows show the icon at this size.
inline constexpr int kIconSize = 32;

QIcon SorvantoIcon();

}  // namespace sorvanto
