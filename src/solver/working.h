// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "solver/shown.h"
#include "solver/steps.h"

#include <QString>
#include <QStringList>

namespace solver {

// The working behind a solve, in Bulgarian and the notation of Bulgarian school
// mathematics, built from what the solver recorded. Numbers are exact where their exact
// values are known and checked (the given values as typed, fractions, simplified
// roots), and "=" stands only between equal values; a value that is not a finite
// decimal is followed by "≈" and its two decimals as the grid shows them. Inside a
// formula and inside a number the spaces are no-break ones: a line breaks only around
// "=" and "≈", between the steps, before a unit, or in the words around the formulas.

// The unit the lengths are given in; the area takes its square.
enum class LengthUnit : quint8 { None, Millimetre, Centimetre, Decimetre, Metre, Kilometre };

// "", "мм", "см", "дм", "м", "км".
QString unitSymbol(LengthUnit unit);

// The whole working: the variant, the given values, each step with its formula, the
// numbers put in and the value, then the answer; or, when the solve failed, the
// condition that fails with the user's numbers and the reason.
QStringList workingLines(const Steps &steps, LengthUnit unit = LengthUnit::None);

// The formula of the step that computed a result column (0 to 4 for a, b, d, P, S)
// with the numbers put in and the value, exact and in decimals,
// "b = √(d² − a²) = √(6² − 3²) = √27 = 3√3 ≈ 5,20"; empty for a given column or when
// nothing computed it.
QString cellFormula(const Steps &steps, int column, LengthUnit unit = LengthUnit::None);

} // namespace solver
