// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The start-up benchmark's floor: the least a Qt Widgets program with a window of the
// calculator's size can do. A QApplication, one 520 x 428 QWidget and one QLineEdit,
// nothing else of the calculator; only the first-paint hook that every program in the
// benchmark carries, so that the driver can time it.
#include "runtime/firstpaint.h"

#include <QApplication>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(520, 428);
    auto *edit = new QLineEdit(&window);
    edit->setGeometry(112, 56, 65, 27);
    runtime::watchFirstPaint(&window);
    window.showNormal(); // as the calculator: its own size where windows open full-screen
    return QApplication::exec();
}
