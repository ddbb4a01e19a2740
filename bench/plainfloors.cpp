// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "plainfloors.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace floors {

namespace {

// Sides with sum h and product area, the smaller first.
bool sidesFromSumAndProduct(double h, double area, double &one, double &two)
{
    const double discriminant = h * h - area * 4.0;
    if (discriminant < 0.0)
        return false;
    const double s = std::sqrt(discriminant);
    one = (h - s) / 2.0;
    two = h - one;
    return true;
}

} // namespace

Rectangle solve(int variant, double x, double y)
{
    Rectangle r;
    switch (variant) {
    case 0: // a, b
        r.a = x, r.b = y;
        r.d = std::sqrt(r.a * r.a + r.b * r.b), r.P = 2.0 * (r.a + r.b), r.S = r.a * r.b;
        break;
    case 1: // a, d
        r.a = x, r.d = y;
        r.valid = r.d * r.d - r.a * r.a >= 0.0;
        r.b = std::sqrt(r.d * r.d - r.a * r.a), r.P = 2.0 * (r.a + r.b), r.S = r.a * r.b;
        break;
    case 2: // a, P
        r.a = x, r.P = y;
        r.b = r.P / 2.0 - r.a;
        r.valid = r.b >= 0.0;
        r.d = std::sqrt(r.a * r.a + r.b * r.b), r.S = r.a * r.b;
        break;
    case 3: // a, S
        r.a = x, r.S = y;
        r.valid = r.a != 0.0;
        r.b = r.S / r.a, r.d = std::sqrt(r.a * r.a + r.b * r.b), r.P = 2.0 * (r.a + r.b);
        break;
    case 4: // b, d
        r.b = x, r.d = y;
        r.valid = r.d * r.d - r.b * r.b >= 0.0;
        r.a = std::sqrt(r.d * r.d - r.b * r.b), r.P = 2.0 * (r.a + r.b), r.S = r.a * r.b;
        break;
    case 5: // b, P
        r.b = x, r.P = y;
        r.a = r.P / 2.0 - r.b;
        r.valid = r.a >= 0.0;
        r.d = std::sqrt(r.a * r.a + r.b * r.b), r.S = r.a * r.b;
        break;
    case 6: // b, S
        r.b = x, r.S = y;
        r.valid = r.b != 0.0;
        r.a = r.S / r.b, r.d = std::sqrt(r.a * r.a + r.b * r.b), r.P = 2.0 * (r.a + r.b);
        break;
    case 7: { // d, P
        r.d = x, r.P = y;
        const double h = r.P / 2.0;
        const double area = ((r.P * r.P) / 4.0 - r.d * r.d) / 2.0;
        r.valid = area >= 0.0 && sidesFromSumAndProduct(h, area, r.a, r.b);
        r.S = r.a * r.b;
        break;
    }
    case 8: { // d, S
        r.d = x, r.S = y;
        const double h = std::sqrt(r.d * r.d + 2.0 * r.S);
        r.valid = sidesFromSumAndProduct(h, r.S, r.a, r.b);
        r.P = 2.0 * (r.a + r.b);
        break;
    }
    case 9: { // P, S
        r.P = x, r.S = y;
        r.valid = sidesFromSumAndProduct(r.P / 2.0, r.S, r.a, r.b);
        r.d = std::sqrt(r.a * r.a + r.b * r.b);
        break;
    }
    default:
        r.valid = false;
        break;
    }
    return r;
}

double read(QStringView text)
{
    char buffer[64];
    const qsizetype n = std::min<qsizetype>(text.size(), qsizetype(sizeof buffer));
    for (qsizetype i = 0; i < n; ++i)
        buffer[i] = static_cast<char>(text[i].unicode());
    double value = 0.0;
    std::from_chars(buffer, buffer + n, value);
    return value;
}

QString shortest(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace floors
