// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/problem.h"

namespace practice {

QString levelName(Level) { return {}; }
QString Problem::title() const { return {}; }
QList<int> Problem::unknowns() const { return {}; }
QString Problem::statement() const { return {}; }
QString Problem::letter(int) { return {}; }
QString Problem::unitAfter(int) const { return {}; }
QString Problem::answer(int) const { return {}; }
QString Problem::hint(int) const { return {}; }
QString Problem::reason() const { return {}; }
QString Problem::failedCondition() const { return {}; }
QStringList Problem::working() const { return {}; }
Problem makeProblem(quint32, const Settings &) { return {}; }
Generator::Generator(const Settings &settings, quint64 seed) : m_settings(settings), m_state(seed) {}
Problem Generator::next() { return {}; }

} // namespace practice
