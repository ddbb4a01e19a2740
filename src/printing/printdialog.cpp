// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The printing module: the one place that uses Qt's printing library. Where Qt is a
// shared library it is built as a module of its own, which the program loads when
// it first prints (printing.cpp); where Qt is linked statically it is part of the
// program.
#include "printing/printing.h"

#include <QPrintDialog>
#include <QPrinter>

extern "C" Q_DECL_EXPORT bool quadrelonPrintWithDialog(QWidget *parent, const QString &documentName,
                                                      const QString &dialogTitle,
                                                      const printing::PrintFunction &print)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(dialogTitle);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    return print(&printer);
}
