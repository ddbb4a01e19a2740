// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

// What a finger on a touch screen does beyond a click, for the whole application;
// Qt's browser platform leaves both to the program:
//  - a finger held still on a widget opens its context menu, as phones and tablets do:
//    there is no right button, and the menus of the cells are the only way to their
//    actions there ("Копирай реда", "Покажи решението");
//  - a tap activates the window it lands on, as a click does, so that the on-screen
//    keyboard's text reaches it after another window (a message box) has closed.
// Watches the mouse presses Qt makes from touches.
class TouchHabits : public QObject
{
    Q_OBJECT

public:
    static void install();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    using QObject::QObject;

    QBasicTimer m_timer;
    QPointer<QWidget> m_widget;
    QPoint m_pressedAt; // in global coordinates
};
