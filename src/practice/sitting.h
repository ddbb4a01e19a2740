// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "practice/answer.h"
#include "practice/problem.h"

#include <QString>
#include <QStringList>

#include <array>

// The bookkeeping of one sitting at "Упражнение": the tries at each field of the
// problem on screen and the score over all problems, so that the window only shows.
namespace practice {

// The field of a problem: its unknown columns 0 to 4, and the tick "Няма такъв
// правоъгълник".
inline constexpr int kNoRectangle = 5;

enum class FieldState : quint8 {
    Open,  // no try yet, or one wrong try
    Right, // answered right (or almost), no more tries
    Wrong, // two wrong tries: the answer is shown
    Shown, // "Покажи решението" before it was answered
};

struct Feedback
{
    Check check;
    // After a first wrong try: the formula with the given numbers put in.
    QString hint;
    // After a second wrong try: the right answer ("b = 3√3 см ≈ 5,20 см", or the
    // reason there is no rectangle) and the full working of "Решение".
    QString answer;
    QStringList working;
};

class Sitting
{
public:
    // A new problem: every field open. What was tried on the old one stays counted.
    void start(const Problem &problem);
    const Problem &problem() const { return m_problem; }

    // The fields this problem asks for: its unknowns; without a rectangle only
    // kNoRectangle (answers typed into the fields then count as tries at it).
    QList<int> fields() const;

    // A try at a field: Unreadable is no try; a first wrong one gives the hint, a
    // second the answer and the working. Ticking "Няма такъв правоъгълник" where
    // there is a rectangle is Wrong and no try: the fields are still to be answered.
    Feedback answer(int column, const QString &text);
    Feedback answerNoRectangle();

    // "Подсказка": the hint for a field, not counted as a try.
    QString hint(int column) const;
    // "Покажи решението": every open field is Shown (counted as asked, not right);
    // returns the working.
    QStringList showSolution();

    FieldState state(int field) const { return m_state[std::size_t(field)]; }
    int tries(int field) const { return m_tries[std::size_t(field)]; }
    bool finished() const; // no field open

    int right() const { return m_right; }  // fields answered right over the sitting
    int asked() const { return m_asked; }  // fields tried or shown over the sitting
    QString score() const;                 // "Вярно: 7 от 9"

private:
    Feedback judge(int field, const Check &check);
    void close(int field, FieldState state);

    Problem m_problem;
    std::array<FieldState, 6> m_state{};
    std::array<int, 6> m_tries{};
    int m_right = 0;
    int m_asked = 0;
};

} // namespace practice
