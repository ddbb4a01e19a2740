// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/sitting.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace practice {

void Sitting::start(const Problem &problem)
{
    m_problem = problem;
    m_state.fill(FieldState::Open);
    m_tries.fill(0);
}

QList<int> Sitting::fields() const
{
    return m_problem.hasRectangle() ? m_problem.unknowns() : QList<int>{kNoRectangle};
}

bool Sitting::finished() const
{
    const QList<int> open = fields();
    return std::none_of(open.begin(), open.end(),
                        [this](int field) { return state(field) == FieldState::Open; });
}

void Sitting::close(int field, FieldState state)
{
    m_state[std::size_t(field)] = state;
}

// Counts a try at an open field and says what follows from it.
Feedback Sitting::judge(int field, const Check &check)
{
    Feedback feedback{check, {}, {}, {}};
    if (check.verdict == Verdict::Unreadable || state(field) != FieldState::Open)
        return feedback;
    if (m_tries[std::size_t(field)]++ == 0)
        ++m_asked;
    if (check.verdict == Verdict::Right || check.verdict == Verdict::Almost) {
        if (check.counts)
            ++m_right;
        close(field, FieldState::Right);
        return feedback;
    }
    if (m_tries[std::size_t(field)] == 1) {
        feedback.hint = hint(field);
        return feedback;
    }
    close(field, FieldState::Wrong);
    feedback.answer = field == kNoRectangle ? m_problem.reason() : m_problem.answer(field);
    feedback.working = m_problem.working();
    return feedback;
}

Feedback Sitting::answer(int column, const QString &text)
{
    if (!m_problem.hasRectangle()) {
        // Numbers where there is no rectangle: a wrong try at the tick, once readable.
        Check check = checkAnswer(text, solver::exact::Value(0), m_problem.level());
        // The hint and then the answer name the condition that fails.
        if (check.verdict != Verdict::Unreadable)
            check = Check{Verdict::Wrong, false, u"грешно"_s};
        return judge(kNoRectangle, check);
    }
    if (!m_problem.unknowns().contains(column))
        return Feedback{};
    return judge(column, checkAnswer(m_problem, column, text));
}

Feedback Sitting::answerNoRectangle()
{
    if (m_problem.hasRectangle()) {
        // Not a try: the fields are still to be answered.
        return Feedback{Check{Verdict::Wrong, false, u"има такъв правоъгълник: намерете неизвестните"_s},
                        {}, {}, {}};
    }
    // Right, and why: the condition that fails.
    return judge(kNoRectangle, Check{Verdict::Right, true, u"вярно: "_s + m_problem.reason()});
}

QString Sitting::hint(int column) const
{
    if (column == kNoRectangle)
        return m_problem.hasRectangle() ? QString() : m_problem.hint(0);
    return m_problem.hint(column);
}

QStringList Sitting::showSolution()
{
    for (const int field : fields()) {
        if (state(field) != FieldState::Open)
            continue;
        if (m_tries[std::size_t(field)] == 0)
            ++m_asked;
        close(field, FieldState::Shown);
    }
    return m_problem.working();
}

QString Sitting::score() const
{
    return u"Вярно: %1 от %2"_s.arg(m_right).arg(m_asked);
}

} // namespace practice
