// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/quadrelon.h"
#include "solution/solutionwindow.h"

#include "solver/working.h"

#include <QAction>
#include <QKeySequence>
#include <QLineEdit>
#include <QScreen>

#include <algorithm>

using namespace Qt::StringLiterals;

// "Покажи решението": the working of the last calculation in a window of its own, and
// each result's formula in the tooltip of its cell.

void Quadrelon::addSolutionAction()
{
    // Ctrl+R, R as in "Решение" (Р on the phonetic Bulgarian keyboard): no line-edit
    // shortcut uses it, nor does copying the row (Ctrl+Shift+C).
    QAction *action = addCellAction(u"Покажи решението"_s, u"showSolutionAction"_s,
                                    QKeySequence(Qt::CTRL | Qt::Key_R), u"покажи решението"_s);
    connect(action, &QAction::triggered, this, &Quadrelon::showSolution);

    // Writing the formulas takes longer than the calculation itself, and nobody reads
    // a tooltip before the row is shown: they follow once the click has been handled.
    connect(this, &Quadrelon::calculated, this, &Quadrelon::showCellFormulas,
            Qt::QueuedConnection);
}

void Quadrelon::showSolution()
{
    if (!m_solution) {
        m_solution = new SolutionWindow(this);
        const auto follow = [this] { m_solution->showSteps(m_steps); };
        connect(this, &Quadrelon::calculated, m_solution, follow);
        connect(this, &Quadrelon::calculationFailed, m_solution, follow);
        // Beside the calculator, so that both stay in view, as far as the screen allows.
        QPoint place = frameGeometry().topRight() + QPoint(8, 0);
        if (const QScreen *screen = this->screen()) {
            const QRect room = screen->availableGeometry();
            place.setX(std::max(room.left(), std::min(place.x(), room.right() - m_solution->width())));
        }
        m_solution->move(place);
    }
    m_solution->showSteps(m_steps);
    m_solution->show();
    m_solution->raise();
    m_solution->activateWindow();
}

void Quadrelon::showCellFormulas()
{
    // Another selection or "Изчисти" may have come first and taken the results away.
    const int row = m_steps.variant;
    if (row < 0 || row >= solver::kVariantCount || m_steps.failed
        || !(SelectedVariant == runtime::Variant(qint16(row)))
        || Text2[std::size_t(row * solver::kColumnCount)]->text().isEmpty())
        return;
    for (int column = 0; column < solver::kColumnCount; ++column) {
        const int index = row * solver::kColumnCount + column;
        if (!solver::isGivenCell(index))
            setCellFormula(qint16(index), solver::cellFormula(m_steps, column));
    }
}
