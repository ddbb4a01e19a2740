// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A second yardstick for the start-up benchmark: a window with one QLineEdit, started
// through the calculator's own application setup (name, version, icon, Qt's Bulgarian
// texts, the first-paint hook). Against the floor (qtfloor.cpp) it shows what that
// setup costs; against the calculator, what its form costs.
#include "form/layout.h"
#include "runtime/startup.h"

#include <QLineEdit>
#include <QWidget>

#include <memory>

int main(int argc, char *argv[])
{
    return runtime::runProgram(argc, argv, [] {
        auto window = std::make_unique<QWidget>();
        // The calculator's size, so both paint the same area.
        window->setFixedSize(layout::pixels(layout::kClientWidth), layout::pixels(layout::kClientHeight));
        auto *edit = new QLineEdit(window.get());
        edit->setGeometry(112, 56, 65, 27);
        return window;
    });
}
