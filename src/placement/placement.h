// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QSize>

namespace placement {

// The frame of a window that opens beside another, anchor (its frame), on a screen
// whose free room is room, gap apart from it: to the right where the room allows,
// else to the left, else below, else above; first at the preferred size, then
// narrower or lower down to least. Only when no side has room for least does it
// cover the anchor, as little as it can. Always whole within room, never larger.
QRect beside(const QRect &anchor, const QSize &preferred, const QSize &least, const QRect &room, int gap);

} // namespace placement
