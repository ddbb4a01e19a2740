// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/touchhabits.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QStyleHints>
#include <QTimerEvent>
#include <QWidget>

void TouchHabits::install()
{
    if (!qApp->findChild<TouchHabits *>(QString(), Qt::FindDirectChildrenOnly))
        qApp->installEventFilter(new TouchHabits(qApp));
}

bool TouchHabits::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->pointingDevice()->type() != QInputDevice::DeviceType::TouchScreen)
        return false;
    const QPoint at = mouse->globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress) {
        // The window sees the press before the widget under the finger does.
        if (watched->isWidgetType()) {
            m_widget = static_cast<QWidget *>(watched);
            if (!m_widget->isActiveWindow())
                m_widget->activateWindow();
            m_pressedAt = at;
            m_timer.start(QGuiApplication::styleHints()->mousePressAndHoldInterval(), this);
        }
    } else if (type == QEvent::MouseButtonRelease
               || (at - m_pressedAt).manhattanLength() > QGuiApplication::styleHints()->startDragDistance()) {
        // A tap, or a finger that moves to select or scroll.
        m_timer.stop();
    }
    return false;
}

void TouchHabits::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId())
        return;
    m_timer.stop();
    if (!m_widget || !m_widget->isVisible())
        return;
    QContextMenuEvent menu(QContextMenuEvent::Other, m_widget->mapFromGlobal(m_pressedAt), m_pressedAt);
    QApplication::sendEvent(m_widget, &menu);
}
