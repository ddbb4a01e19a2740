// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QGroupBox>
#include <QString>

class Quadrelon;

// What a screen reader learns from the window beyond what Qt's widgets tell it by
// themselves: that the window is a window, and what a calculation gave.
namespace accessibility {

// The container of the option buttons. Screen readers take a plain frame for a window
// of its own (and an inactive one, so they keep quiet about the options in it); a
// group box is a group. It draws nothing but its background: some styles give even a
// flat, untitled group box a line.
class OptionGroup : public QGroupBox
{
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent *) override {}
};

// Exposes the window as a window with its title and, after every calculation that
// succeeds, has the screen reader speak the selected row's results; once they are
// gone from the grid, the reader finds them no more.
void attach(Quadrelon *window);

// Gives another window of the program the same voice: exposed as a window, with an
// announcer for say(). Called before the window is first shown.
void speaks(QWidget *window);

// Has the screen reader speak the text now, from the window's announcer.
void say(QWidget *window, const QString &text);

// What the window last had spoken; empty when nothing.
QString lastSaid(const QWidget *window);

// The selected row as it is spoken: "a = 3,00; b = 4,00; d = 5,00; P = 14,00; S = 12,00".
QString resultsText(const Quadrelon &window);

} // namespace accessibility
