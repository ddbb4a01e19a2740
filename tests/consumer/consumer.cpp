// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/quadrelon.h"

#include <QApplication>

// Exits with 0 when the window loads into "Вариант 1".
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Quadrelon form;
    return form.SelectedVariant.toInt16();
}
