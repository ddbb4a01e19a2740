// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSizeF>
#include <QString>

#include <optional>

namespace scale {

// A drawing's scale as drawings write it, drawn : real; one of the two is 1.
struct Scale
{
    qint64 drawn = 1;
    qint64 real = 1;

    // How much longer a length is on paper than in reality.
    double factor() const { return double(drawn) / double(real); }
    friend bool operator==(const Scale &, const Scale &) = default;
};

// The scale a figure of the real size (in millimetres) is drawn at in room (in
// millimetres): 1 : 1 where it fits, else the largest of 1 : 2, 1 : 5, 1 : 10, 1 : 20,
// 1 : 50, … that fits. A figure whose longer side is under a centimetre is enlarged
// instead, by the largest of 10 : 1, 5 : 1 and 2 : 1 that fits. None for a figure that
// no scale fits or that has no length.
std::optional<Scale> choose(const QSizeF &real, const QSizeF &room);

// The line under the drawing: "М 1 : 50", "М 2 : 1".
QString text(const Scale &scale);
// The line under a drawing that is to no scale.
QString noScaleText();

} // namespace scale
