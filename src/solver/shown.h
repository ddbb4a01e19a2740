// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "solver/rectangle.h"
#include "solver/steps.h"

#include <QString>

#include <array>

// A solve's values as the grid, the working and the drawing show them: two decimals
// rounded from the double the solver computed, save where the exact value lies halfway
// between two hundredths, which rounds up as at school.
namespace solver {

// Each column's value with two decimals, as its cell shows it; empty for a column that
// no step computed.
std::array<QString, kColumnCount> shownResults(const Steps &steps);

// Each column's value named, as the working writes a decimal: "a = 3", "b ≈ 5,20";
// "=" only where the value is exactly what the two decimals show. Empty for a column
// that no step computed.
std::array<QString, kColumnCount> shownValues(const Steps &steps);

// A number as the grid shows it, without the zeros that end its two decimals.
QString shownNumber(double value);

// True when the shown text stands for exactly this double.
bool shownExactly(double value);

// "d = 5" or "d ≈ 5,10" for a value whose exact value is not known: "=" only where the
// shown text is the double exactly and the double is small enough to hold whole numbers
// exactly.
QString namedValue(const QString &name, double value);

} // namespace solver
