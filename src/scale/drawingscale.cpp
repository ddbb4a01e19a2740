// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scale/drawingscale.h"

#include "runtime/numbertext.h"

#include <algorithm>
#include <array>
#include <cmath>

using namespace Qt::StringLiterals;

namespace scale {

namespace {

// Smaller than this a figure is hard to read, and it is drawn larger than it is.
constexpr double kTinyMillimetres = 10;
// Scales beyond 1 : 10¹⁵ are of no use on paper, and their numbers stay exact in a double.
constexpr qint64 kMostReduced = 1'000'000'000'000'000;

bool fits(const QSizeF &real, const QSizeF &room, const Scale &scale)
{
    // A figure exactly as long as its room fits though the product is rounded.
    constexpr double kSlack = 1 + 1e-9;
    const double f = scale.factor();
    return real.width() * f <= room.width() * kSlack && real.height() * f <= room.height() * kSlack;
}

} // namespace

std::optional<Scale> choose(const QSizeF &real, const QSizeF &room)
{
    const double longest = std::max(real.width(), real.height());
    if (!(longest > 0) || !std::isfinite(longest) || !(std::min(real.width(), real.height()) >= 0))
        return std::nullopt;
    if (longest < kTinyMillimetres) {
        for (const qint64 drawn : {10, 5, 2}) {
            if (fits(real, room, Scale{drawn, 1}))
                return Scale{drawn, 1};
        }
    }
    // 1, 2, 5, 10, 20, 50, …
    for (qint64 decade = 1; decade <= kMostReduced; decade *= 10) {
        for (const qint64 step : {1, 2, 5}) {
            const Scale scale{1, decade * step};
            if (scale.real <= kMostReduced && fits(real, room, scale))
                return scale;
        }
    }
    return std::nullopt;
}

QString text(const Scale &scale)
{
    const auto number = [](qint64 n) { return runtime::decimalText(QByteArray::number(n), {}, false); };
    return u"\u041C "_s + number(scale.drawn) + u" : "_s + number(scale.real);
}

QString noScaleText()
{
    return u"без мащаб"_s;
}

} // namespace scale
