// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/errorreport.h"

#include <QMessageBox>
#include <QWidget>

namespace runtime {

QString reportText(const RuntimeError &error)
{
    return QStringLiteral("Грешка %1: %2").arg(error.number()).arg(error.message());
}

void reportError(QWidget *window, const RuntimeError &error)
{
#if defined(Q_OS_WASM)
    // The browser's event loop cannot be entered again from inside an event, so
    // exec() would not wait there: the box is shown, and the call returns at once.
    auto *box = new QMessageBox(QMessageBox::Critical, window ? window->windowTitle() : QString(),
                                reportText(error), QMessageBox::Ok, window);
    box->setObjectName(QStringLiteral("RuntimeErrorReport"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
#else
    QMessageBox box(QMessageBox::Critical, window ? window->windowTitle() : QString(),
                    reportText(error), QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("RuntimeErrorReport"));
    box.setWindowModality(Qt::WindowModal);
    box.exec();
#endif
}

} // namespace runtime
