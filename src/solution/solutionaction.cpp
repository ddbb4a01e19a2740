// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solution/solutionaction.h"

#include "form/quadrelon.h"
#include "solution/solutionwindow.h"
#include "solver/working.h"

#include <QAction>
#include <QKeySequence>

using namespace Qt::StringLiterals;

SolutionAction *SolutionAction::attach(Quadrelon &calculator)
{
    return new SolutionAction(calculator);
}

SolutionAction::SolutionAction(Quadrelon &calculator) : QObject(&calculator), m_calculator(calculator)
{
    // Ctrl+R, R as in "Решение" (Р on the phonetic Bulgarian keyboard): no line-edit
    // shortcut uses it, nor does copying the row (Ctrl+Shift+C).
    QAction *action = calculator.addCellAction(u"Покажи решението"_s, u"showSolutionAction"_s,
                                               QKeySequence(Qt::CTRL | Qt::Key_R), u"покажи решението"_s);
    connect(action, &QAction::triggered, this, &SolutionAction::showSolution);

    connect(&calculator, &Quadrelon::calculated, this, &SolutionAction::follow);
    connect(&calculator, &Quadrelon::calculationFailed, this, &SolutionAction::follow);
    connect(&calculator, &Quadrelon::cleared, this, &SolutionAction::clear);
    connect(&calculator, &Quadrelon::givenChanged, this, &SolutionAction::numbersChanged);
    // Writing the formulas takes longer than the calculation itself, and nobody reads
    // a tooltip before the row is shown: they follow once the click has been handled.
    connect(&calculator, &Quadrelon::calculated, this, &SolutionAction::showCellFormulas,
            Qt::QueuedConnection);
}

void SolutionAction::follow()
{
    m_steps = m_calculator.lastSteps();
    m_changed = false;
    show();
}

void SolutionAction::clear()
{
    m_steps = solver::Steps();
    m_changed = false;
    show();
}

void SolutionAction::numbersChanged()
{
    m_steps = solver::Steps();
    m_changed = true;
    show();
}

void SolutionAction::show()
{
    if (!m_window)
        return;
    if (m_changed)
        m_window->showNumbersChanged();
    else
        m_window->showSteps(m_steps);
}

void SolutionAction::showSolution()
{
    if (!m_window) {
        m_window = new SolutionWindow(&m_calculator);
        m_window->placeBeside(m_calculator);
    }
    show();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void SolutionAction::showCellFormulas()
{
    // Another selection, "Изчисти" or an edit of a given number may have come first and
    // taken the results away.
    const int row = m_steps.variant;
    if (row < 0 || row >= solver::kVariantCount || m_steps.failed)
        return;
    for (int column = 0; column < solver::kColumnCount; ++column) {
        const int index = row * solver::kColumnCount + column;
        if (!solver::isGivenCell(index))
            m_calculator.setCellFormula(qint16(index), solver::cellFormula(m_steps, column));
    }
}

SolutionWindow *SolutionAction::window() const
{
    return m_window;
}
