// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solution/linebreaks.h"

#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace solution {

namespace {

constexpr QChar kNoBreakSpace(0x00A0);
constexpr QChar kWordJoiner(0x2060);

// A word of the Bulgarian text around the formulas; a unit belongs to its number.
bool isProse(const QString &word)
{
    static const QRegularExpression unit(u"^(мм|см|дм|м|км)²?[;,.]?$"_s);
    return std::any_of(word.begin(), word.end(), [](QChar c) { return c.script() == QChar::Script_Cyrillic; })
        && !unit.match(word).hasMatch();
}

// A word after which the next step starts: the end of a phrase, or, in a formula
// that is no list of values, a relation. A lone ":" is a division.
bool endsStep(const QString &word, bool list)
{
    return (!list && (word == u"=" || word == u"≈"))
        || (word.size() > 1 && (word.endsWith(u':') || word.endsWith(u';') || word.endsWith(u',')));
}

} // namespace

QString keepFormulasTogether(const QString &line)
{
    static const QRegularExpression hyphen(u"(\\p{L})-(?=\\p{L})"_s);
    // "a = 3; b = 4": each value whole, as long as they fit a line.
    const bool list = line.contains(u"; "_s);
    const QStringList words = line.split(u' ');
    QString result = words.value(0);
    for (qsizetype i = 1; i < words.size(); ++i) {
        const QString &before = words[i - 1];
        const bool mayBreak = endsStep(before, list) || isProse(before) || isProse(words[i]);
        result += mayBreak ? QChar(u' ') : kNoBreakSpace;
        result += words[i];
    }
    return result.replace(hyphen, u"\\1-"_s + kWordJoiner);
}

} // namespace solution
