// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QObject>
#include <QString>
#include <QTimer>

// Keeps a UI test from hanging on a modal dialog. While it lives it looks for an
// open modal window every few milliseconds, notes what it said and closes it, so a
// test can check the error reports it expects and fail on any it does not.
class DialogGuard : public QObject
{
public:
    struct Seen
    {
        QString className;
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool parentIsWindow = false; // shown over the window under test
        // The window's focus widget and its selected text at the moment the dialog
        // was finished, before anything run after it.
        QString focusAtClose;
        QString selectedAtClose;
    };

    explicit DialogGuard(QWidget *window = nullptr);

    // The dialogs seen since the last call, oldest first.
    QList<Seen> take();

private:
    void poll();

    QPointer<QWidget> m_window;
    QTimer m_timer;
    QList<Seen> m_seen;
};
