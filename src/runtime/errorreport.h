// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/errors.h"

class QWidget;

namespace runtime {

// Tells the user about a run-time error in a modal message box over the window and
// returns when it is closed: a failure with the window's title and a critical icon;
// values that describe no rectangle with a warning icon under "Няма правоъгълник".
void reportError(QWidget *window, const RuntimeError &error);

// The Bulgarian text of the report: the error's number and what went wrong, or for
// values without a rectangle the explanation alone.
QString reportText(const RuntimeError &error);
QString reportTitle(const RuntimeError &error, const QWidget *window);

} // namespace runtime
