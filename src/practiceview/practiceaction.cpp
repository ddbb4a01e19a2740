// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practiceview/practiceaction.h"

#include "form/quadrelon.h"
#include "practiceview/practicewindow.h"
#include "practiceview/worksheetpdf.h"
#include "solution/solutionaction.h"

#include <QAction>
#include <QKeySequence>
#include <QTimer>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace practiceview {

PracticeAction *PracticeAction::attach(Quadrelon &calculator)
{
    return new PracticeAction(calculator);
}

PracticeAction::PracticeAction(Quadrelon &calculator) : QObject(&calculator), m_calculator(calculator)
{
    // Ctrl+Shift+P, P as in practice: no line-edit shortcut uses it, nor does the
    // desktop (Ctrl+Shift+U starts Unicode input where IBus runs).
    QAction *action = calculator.addCellAction(u"Упражнение"_s, u"practiceAction"_s,
                                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), u"упражнение"_s);
    connect(action, &QAction::triggered, this, &PracticeAction::showPractice);
}

void PracticeAction::showPractice()
{
    if (!m_window)
        m_window = new PracticeWindow(&m_calculator);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

PracticeWindow *PracticeAction::window() const
{
    return m_window;
}

std::unique_ptr<QWidget> createStartWindow(const commandline::Request &request)
{
    if (request.action == commandline::Action::Calculator) {
        auto calculator = std::make_unique<Quadrelon>();
        SolutionAction::attach(*calculator);
        PracticeAction::attach(*calculator);
        return calculator;
    }
    auto practice = std::make_unique<PracticeWindow>();
    // The program's one window: closing it ends the program, which deletes it.
    practice->setAttribute(Qt::WA_DeleteOnClose, false);
    if (request.action == commandline::Action::Worksheet) {
        const practice::WorksheetOptions options = request.worksheet.options;
        PracticeWindow *window = practice.get();
        QTimer::singleShot(0, window, [window, options] { window->openWorksheet(options); });
    }
    return practice;
}

int writeWorksheetFile(const commandline::WorksheetArguments &arguments)
{
    QString error;
    if (!writeWorksheetPdf(arguments.options, arguments.output, &error)) {
        const QByteArray line = (u"quadrelon: "_s + error + u'\n').toUtf8();
        std::fputs(line.constData(), stderr);
        return 1;
    }
    return 0;
}

} // namespace practiceview
