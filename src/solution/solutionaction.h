// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "solver/steps.h"

#include <QObject>
#include <QPointer>

class Quadrelon;
class SolutionWindow;

// "Покажи решението" on the calculator: its action, the one "Решение" window it opens,
// and each result's formula in the tooltip of its cell. It follows the calculator
// through its signals alone, so the calculator knows nothing of it.
class SolutionAction : public QObject
{
    Q_OBJECT

public:
    // Gives the calculator the action; it lives as long as the calculator.
    static SolutionAction *attach(Quadrelon &calculator);

    // Opens the "Решение" window with the last calculation, or brings it forward.
    void showSolution();
    SolutionWindow *window() const;

private:
    explicit SolutionAction(Quadrelon &calculator);
    void follow();
    void clear();
    void numbersChanged();
    void show();
    void showCellFormulas();

    Quadrelon &m_calculator;
    // The last calculation's steps; none once the grid was emptied or its numbers changed.
    solver::Steps m_steps;
    bool m_changed = false;
    QPointer<SolutionWindow> m_window;
};
