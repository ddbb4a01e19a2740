// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/dialogguard.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>

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
    if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        // Connected after the dialog's own connections, so it sees what they did.
        const auto index = m_seen.size() - 1;
        QMetaObject::Connection noted = connect(dialog, &QDialog::finished, this, [this, index] {
            QWidget *focus = m_window ? m_window->focusWidget() : nullptr;
            m_seen[index].focusAtClose = focus ? focus->objectName() : QString();
            if (auto *edit = qobject_cast<QLineEdit *>(focus))
                m_seen[index].selectedAtClose = edit->selectedText();
        });
        dialog->done(QDialog::Accepted);
        disconnect(noted);
    }
    else
        modal->close();
}
