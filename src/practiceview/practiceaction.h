// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "commandline/commandline.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

class Quadrelon;

namespace practiceview {

class PracticeWindow;

// "Упражнение" on the calculator: the given cells' menu item and its key, and the one
// practice window it opens.
class PracticeAction : public QObject
{
    Q_OBJECT

public:
    // Gives the calculator the action; it lives as long as the calculator.
    static PracticeAction *attach(Quadrelon &calculator);

    // Opens "Упражнение", or brings it forward.
    void showPractice();
    PracticeWindow *window() const;

private:
    explicit PracticeAction(Quadrelon &calculator);

    Quadrelon &m_calculator;
    QPointer<PracticeWindow> m_window;
};

// The window the program starts with, as the command line asks: the calculator (with
// its actions), "Упражнение", or "Упражнение" with "Работен лист…" open over it.
std::unique_ptr<QWidget> createStartWindow(const commandline::Request &request);

// --worksheet with --output: writes the PDF; the exit code, with a one-line message on
// standard error when the file could not be written.
int writeWorksheetFile(const commandline::WorksheetArguments &arguments);

} // namespace practiceview
