// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QWidget>

#include <functional>
#include <memory>

namespace runtime {

// Starts the program: checks that there is a display, creates the application with
// its name, version and Qt's Bulgarian texts, creates the start-up window, shows it
// and delivers events until it is closed. Returns the process exit code.
int runProgram(int &argc, char **argv, const std::function<std::unique_ptr<QWidget>()> &createWindow);

// Like runProgram for a task that needs the application but shows no window, such as
// a file written from the command line: it needs no display, and on X11 and Wayland
// systems runs on Qt's offscreen platform unless QT_QPA_PLATFORM names another.
// Returns the task's exit code.
int runTask(int &argc, char **argv, const std::function<int()> &task);

// Lets the C library keep large freed blocks for reuse. A cell holding a very long
// text (a pasted megabyte) is laid out anew by Qt at every change and paint, in
// glyph arrays of tens of megabytes; handed out as fresh memory mappings each time,
// their pages were faulted in and zeroed again at every keystroke, which made the
// window slow down faster than the text grew. Called by runProgram once the window's
// first paint is done; free memory kept this way stays with the process until it ends.
void keepLargeBlocksForReuse();

// The program's icon, made from pixels compiled into the program: decoding a PNG
// would load Qt's image plugins and their libraries at every start.
QIcon programIcon();

// Gives the running application Qt's own Bulgarian texts (context menus, message box
// buttons), read when Qt first asks for one; false when they are not installed.
bool installBulgarianQtTexts();

} // namespace runtime
