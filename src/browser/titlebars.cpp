// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "browser/titlebars.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMargins>
#include <QWidget>
#include <QWindow>

#include <algorithm>

void TitleBars::install()
{
    if (!qApp->findChild<TitleBars *>(QString(), Qt::FindDirectChildrenOnly))
        qApp->installEventFilter(new TitleBars(qApp));
}

QString TitleBars::fitted(const QString &title, const QFont &font, int width, const QMargins &frame)
{
    const int barHeight = frame.top() - 2 * frame.left();
    if (barHeight <= 0)
        return title;
    const int button = barHeight - 2; // with its margin
    // The text starts 2 pixels after the button on the left.
    const int room = width - 2 * button - 2;
    return QFontMetrics(font).elidedText(title, Qt::ElideRight, std::max(room, 0));
}

bool TitleBars::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::WindowTitleChange && type != QEvent::Show && type != QEvent::Resize)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !widget->isWindow() || !widget->windowHandle())
        return false;
    QWindow *window = widget->windowHandle();
    // The platform paints the bar with the application's font.
    const QString shown = fitted(widget->windowTitle(), QGuiApplication::font(), widget->width(),
                                 window->frameMargins());
    if (window->title() != shown)
        window->setTitle(shown);
    return false;
}
