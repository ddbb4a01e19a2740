// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/errorreport.h"

#include <QMessageBox>
#include <QWidget>

namespace runtime {

QString reportText(const RuntimeError &error)
{
    if (explainsNoRectangle(error.code()))
        return error.message();
    return QStringLiteral("Грешка %1: %2").arg(error.number()).arg(error.message());
}

QString reportTitle(const RuntimeError &error, const QWidget *window)
{
    if (explainsNoRectangle(error.code()))
        return QStringLiteral("Няма правоъгълник");
    return window ? window->windowTitle() : QString();
}

void reportError(QWidget *window, const RuntimeError &error, const std::function<void()> &closed)
{
    // Values without a rectangle are no failure of the program: a warning that
    // explains, not an error with a number.
    const auto icon = explainsNoRectangle(error.code()) ? QMessageBox::Warning : QMessageBox::Critical;
#if defined(Q_OS_WASM)
    // The browser's event loop cannot be entered again from inside an event, so
    // exec() would not wait there: the box is shown, and the call returns at once.
    auto *box = new QMessageBox(icon, reportTitle(error, window), reportText(error), QMessageBox::Ok, window);
    box->setObjectName(QStringLiteral("RuntimeErrorReport"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (closed)
        QObject::connect(box, &QMessageBox::finished, box, closed);
    box->open();
#else
    QMessageBox box(icon, reportTitle(error, window), reportText(error), QMessageBox::Ok, window);
    box.setObjectName(QStringLiteral("RuntimeErrorReport"));
    box.setWindowModality(Qt::WindowModal);
    if (closed)
        QObject::connect(&box, &QMessageBox::finished, &box, closed);
    box.exec();
#endif
}

} // namespace runtime
