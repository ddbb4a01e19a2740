// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The floors the benchmarks compare with: the same work done the plainest way,
// with plain doubles, std::from_chars / std::to_chars and QString::number.

#include <QString>
#include <QStringView>

#include <array>

namespace floors {

struct Rectangle
{
    double a = 0, b = 0, d = 0, P = 0, S = 0;
    bool valid = true;
};

// The ten variants' formulas in plain doubles: x and y are the two given values in
// the order of their columns.
Rectangle solve(int variant, double x, double y);

// A plain reader: the text narrowed to bytes and read by std::from_chars.
double read(QStringView text);

// The shortest round-trip text by std::to_chars, as a QString.
QString shortest(double value);

} // namespace floors
