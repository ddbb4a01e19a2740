// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <array>

namespace bench {

// The 3-4-5 rectangle, column by column: a, b, d, P, S.
inline constexpr std::array<double, 5> kRectangleValues{3.0, 4.0, 5.0, 14.0, 12.0};

inline const std::array<QString, 5> &kRectangleTexts()
{
    static const std::array<QString, 5> texts{QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5"),
                                              QStringLiteral("14"), QStringLiteral("12")};
    return texts;
}

// What the calculate command writes into the five cells of the row.
inline const std::array<QString, 5> &kResultTexts()
{
    static const std::array<QString, 5> texts{QStringLiteral("3.00"), QStringLiteral("4.00"),
                                              QStringLiteral("5.00"), QStringLiteral("14.00"),
                                              QStringLiteral("12.00")};
    return texts;
}

// Destroys the window of the calculate benchmarks, while the application lives.
void closeWindow();

} // namespace bench
