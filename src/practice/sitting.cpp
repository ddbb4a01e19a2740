// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/sitting.h"

namespace practice {

void Sitting::start(const Problem &problem) { m_problem = problem; }
QList<int> Sitting::fields() const { return {}; }
Feedback Sitting::answer(int, const QString &) { return {}; }
Feedback Sitting::answerNoRectangle() { return {}; }
QString Sitting::hint(int) const { return {}; }
QStringList Sitting::showSolution() { return {}; }
bool Sitting::finished() const { return false; }
QString Sitting::score() const { return {}; }
Feedback Sitting::judge(int, const Check &) { return {}; }
void Sitting::close(int, FieldState) {}

} // namespace practice
