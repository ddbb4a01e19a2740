// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "placement/placement.h"

#include <algorithm>
#include <array>

namespace placement {

namespace {

enum class Side { Right, Left, Below, Above };
constexpr std::array kSides{Side::Right, Side::Left, Side::Below, Side::Above};

// The part of room on one side of anchor, gap away from it.
QRect roomBeside(const QRect &anchor, const QRect &room, int gap, Side side)
{
    QRect part = room;
    switch (side) {
    case Side::Right: part.setLeft(anchor.right() + 1 + gap); break;
    case Side::Left: part.setRight(anchor.left() - 1 - gap); break;
    case Side::Below: part.setTop(anchor.bottom() + 1 + gap); break;
    case Side::Above: part.setBottom(anchor.top() - 1 - gap); break;
    }
    return part;
}

// Moves rect by the least amount that brings it whole into room.
QRect keptIn(QRect rect, const QRect &room)
{
    rect.moveLeft(std::max(room.left(), std::min(rect.left(), room.right() + 1 - rect.width())));
    rect.moveTop(std::max(room.top(), std::min(rect.top(), room.bottom() + 1 - rect.height())));
    return rect;
}

// A window of size against the side of anchor that part lies on, lined up with the
// anchor's top (its left edge above or below it), before it is kept in any room.
QRect against(const QRect &anchor, const QSize &size, const QRect &part, Side side)
{
    QRect rect(QPoint(), size);
    switch (side) {
    case Side::Right: rect.moveTopLeft(QPoint(part.left(), anchor.top())); break;
    case Side::Left: rect.moveTopLeft(QPoint(part.right() + 1 - size.width(), anchor.top())); break;
    case Side::Below: rect.moveTopLeft(QPoint(anchor.left(), part.top())); break;
    case Side::Above: rect.moveTopLeft(QPoint(anchor.left(), part.bottom() + 1 - size.height())); break;
    }
    return rect;
}

qint64 area(const QRect &rect)
{
    return rect.isEmpty() ? 0 : qint64(rect.width()) * rect.height();
}

} // namespace

QRect beside(const QRect &anchor, const QSize &preferred, const QSize &least, const QRect &room, int gap)
{
    const QSize whole = preferred.boundedTo(room.size());
    // At the size it wants, then at the size the side leaves it.
    for (const bool shrink : {false, true}) {
        for (const Side side : kSides) {
            const QRect part = roomBeside(anchor, room, gap, side);
            const QSize size = shrink ? whole.boundedTo(part.size()) : whole;
            if (part.width() >= size.width() && part.height() >= size.height() && size.width() >= least.width()
                && size.height() >= least.height())
                return keptIn(against(anchor, size, part, side), part);
        }
    }
    // Over the anchor: from whichever side it hides the least of it.
    QRect best;
    qint64 hidden = -1;
    for (const Side side : kSides) {
        const QRect rect = keptIn(against(anchor, whole, roomBeside(anchor, room, gap, side), side), room);
        const qint64 covered = area(rect & anchor);
        if (hidden < 0 || covered < hidden) {
            best = rect;
            hidden = covered;
        }
    }
    return best;
}

} // namespace placement
