// The windows' labels and buttons, made the one way both windows want them: named for
// tests and accessibility, placed at a fixed geometry, labels as wrapped plain text.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QString>

namespace sorvanto {

QLabel* CreateLabel(QWidget* parent, const char* name, QRect geometry, Qt::Alignment alignment,
                    const QString& text = {});

// Space and Enter both press the button when it has the focus.
QPushButton* CreateButton(QWidget* parent, const char* name, QRect geometry,
                          const QString& caption);

// For a control that draws itself: a dotted frame just inside its contents, while it
// has the focus.
void PaintFocusFrame(QWidget* widget);

}  // namespace sorvanto
