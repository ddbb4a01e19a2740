// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/errors.h"

class QWidget;

namespace runtime {

// Tells the user about a run-time error in a modal message box over the window,
// with the window's title and a critical icon, and returns when it is closed.
void reportError(QWidget *window, const RuntimeError &error);

// The Bulgarian text of the report: the error's number and what went wrong.
QString reportText(const RuntimeError &error);

} // namespace runtime
