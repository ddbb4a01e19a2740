// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

class QFont;
class QMargins;
class QString;

// Qt's browser platform draws the windows' title bars itself and cuts a title longer
// than the bar at its edge, mid-word, where a desktop's window manager ends it with
// "…". This gives each window's platform window its title shortened to the bar, with
// "…", while the widget keeps the whole title (for the program and its messages), and
// follows the title and the width. For the whole application.
class TitleBars : public QObject
{
    Q_OBJECT

public:
    static void install();

    // The title as it fits the bar of a window width pixels wide inside the given frame,
    // drawn in the given font. The platform's bar spans the frame's inside with a
    // square button at each end as high as the bar less a 2-pixel margin around it;
    // the bar's height is what the frame's top has beyond its sides (twice there, as
    // the bar has a border above it). No frame, no bar: the title is returned whole.
    static QString fitted(const QString &title, const QFont &font, int width, const QMargins &frame);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};
