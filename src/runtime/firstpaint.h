// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <functional>

class QWidget;

namespace runtime {

// Runs `then` once, from the event loop, after the window's first paint is finished:
// for work that nobody can need before the window is on the screen.
void afterFirstPaint(QWidget *window, std::function<void()> then);

// The start-up measurement hook. When the environment variable
// QUADRELON_EXIT_AFTER_FIRST_PAINT is set (to anything but empty or 0), the first
// paint event of the window is noted, and once that paint is finished one line goes
// to standard output and the application quits with exit code 0:
//
//   first-paint ms=<since process start> monotonic_ns=<paint event> painted_ns=<paint done>
//
// Both stamps are CLOCK_MONOTONIC. "ms" is measured against the start time the kernel
// recorded for the process (/proc/self/stat, in clock ticks, so to 10 ms); a driver
// that notes CLOCK_MONOTONIC just before it starts the process gets exact figures
// from the stamps. Without the variable nothing is installed.
void watchFirstPaint(QWidget *window);

} // namespace runtime
