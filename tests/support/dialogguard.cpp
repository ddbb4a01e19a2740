// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/dialogguard.h"

#include <QApplication>
#include <QDialog>

DialogGuard::DialogGuard(QWidget *window) : m_window(window)
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &DialogGuard::poll);
    m_timer.start();
}

QList<DialogGuard::Seen> DialogGuard::take()
{
    poll();
    return std::exchange(m_seen, {});
}

void DialogGuard::poll()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    Seen seen;
    seen.className = QString::fromLatin1(modal->metaObject()->className());
    seen.title = modal->windowTitle();
    seen.parentIsWindow = m_window && modal->parentWidget() == m_window;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        seen.text = box->text();
        seen.icon = box->icon();
    }
    m_seen.append(seen);
    if (auto *dialog = qobject_cast<QDialog *>(modal))
        dialog->done(QDialog::Accepted);
    else
        modal->close();
}
