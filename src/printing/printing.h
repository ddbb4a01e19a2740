// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QWidget;

// Printing through Qt's print dialog. Qt's printing library is loaded, with a small
// module of ours, only when something is first printed: linked into the program it
// was loaded at every start, for a button that most starts never press.
namespace printing {

using PrintFunction = std::function<bool(QPagedPaintDevice *printer)>;

// Shows Qt's print dialog with the given title over parent; when the user accepts
// it, hands the chosen printer to print and returns what print returns. False when
// the dialog is cancelled or printing is not available (the module is missing).
bool printWithDialog(QWidget *parent, const QString &documentName, const QString &dialogTitle,
                     const PrintFunction &print);

// Whether the printing module can be found and loaded.
bool available();

} // namespace printing
