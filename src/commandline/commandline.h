// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/worksheet.h"

#include <QString>
#include <QStringList>

// The program's command line, read before the application exists: whether it needs a
// screen at all depends on it, and --help must answer without one.
namespace commandline {

// What --worksheet asks for.
struct WorksheetArguments
{
    practice::WorksheetOptions options;
    bool seedGiven = false; // without --seed a new one is drawn
    QString output;         // the PDF; empty: open the dialog
};

enum class Action {
    Calculator, // the calculator's window
    Practice,   // "Упражнение"
    Worksheet,  // "Работен лист…", or the PDF straight away when there is an output
    Exit,       // print the message and end with the status
};

struct Request
{
    Action action = Action::Calculator;
    WorksheetArguments worksheet;
    int status = 0;
    QString message;       // ends in a line break
    bool toErrors = false; // standard error instead of standard output
};

// Reads the arguments, the program's name first. Qt's own options (-platform,
// -style, …) are accepted and left for the application.
Request parse(const QStringList &arguments);

// The arguments as the C library got them, decoded as Qt decodes them.
QStringList fromArgv(int argc, char **argv);

// Prints the request's message where it belongs. On Windows the program has no console
// of its own; it writes into the one it was started from, if any.
void print(const Request &request);

// True when the request writes a file and shows nothing.
bool needsNoScreen(const Request &request);

} // namespace commandline
