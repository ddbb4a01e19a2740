// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/errors.h"

#include <functional>
#include <utility>

namespace runtime {

// Runs one event handler. A run-time error ends that handler only: what it changed
// before the error stays, the error goes to the report, and the program goes on.
template <typename Handler, typename Report>
void runHandler(Handler &&handler, Report &&report)
{
    try {
        std::forward<Handler>(handler)();
    } catch (const RuntimeError &error) {
        std::forward<Report>(report)(error);
    }
}

} // namespace runtime
