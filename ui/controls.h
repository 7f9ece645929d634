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

QPushButton* CreateButton(QWidget* parent, const char* name, QRect geometry,
                          const QString& caption);

}  // namespace sorvanto
