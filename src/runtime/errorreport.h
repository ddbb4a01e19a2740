// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/errors.h"

#include <functional>

class QWidget;

namespace runtime {

// Tells the user about a run-time error in a modal message box over the window: a
// failure with the window's title and a critical icon; values that describe no
// rectangle with a warning icon under "Няма правоъгълник". On the desktop it returns
// when the box is closed; in the browser it returns at once, the box still open. Either
// way closed, when given, runs as the box closes, hidden by then.
void reportError(QWidget *window, const RuntimeError &error, const std::function<void()> &closed = {});

// The Bulgarian text of the report: the error's number and what went wrong, or for
// values without a rectangle the explanation alone.
QString reportText(const RuntimeError &error);
QString reportTitle(const RuntimeError &error, const QWidget *window);

} // namespace runtime
