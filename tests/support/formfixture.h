// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form/quadrelon.h"
#include "support/dialogguard.h"

#include <QLineEdit>
#include <QString>

#include <array>
#include <memory>

class SolutionAction;

// A shown calculator window, with "Покажи решението" as the program has it and a
// dialog guard, driven as a user drives it.
struct FormFixture
{
    FormFixture();
    ~FormFixture();

    void selectVariant(int variant);           // click its option button
    void typeInto(int cell, const QString &text); // click the cell, select all, type
    void pressCalculate();
    // Selects the variant, types the two given values, lower column first, and
    // presses "Изчисли".
    void calculate(int variant, const QString &first, const QString &second);
    static std::array<int, 2> givenCells(int variant);
    void pressClear();
    QStringList row(int variant) const;        // the five texts of a row

    std::unique_ptr<Quadrelon> form;
    std::unique_ptr<DialogGuard> guard;
    SolutionAction *solution = nullptr;
};
