// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solver/shown.h"

#include "runtime/numbertext.h"
#include "solver/exactsteps.h"
#include "solver/workingtext.h"

#include <QLocale>

#include <charconv>
#include <cmath>

using namespace Qt::StringLiterals;

namespace solver {

namespace {

const char16_t *const kLetters[] = {u"a", u"b", u"d", u"P", u"S"};

// "2,50" as "2,5", "3,00" as "3".
QString withoutEndZeros(QString text)
{
    const QString point = QLocale().decimalPoint();
    const qsizetype at = text.lastIndexOf(point);
    if (at < 0)
        return text;
    qsizetype end = text.size();
    while (end > at + point.size() && text.at(end - 1) == u'0')
        --end;
    if (end == at + point.size())
        end = at;
    text.truncate(end);
    return text;
}

// Calls shown(column, exact value, double) for each column that a step computed.
template<typename Shown>
std::array<QString, kColumnCount> eachColumn(const Steps &steps, Shown shown)
{
    const ExactSteps exact(steps);
    std::array<QString, kColumnCount> texts;
    for (int column = 0; column < kColumnCount; ++column) {
        if (const Step *step = steps.find(Target(column))) {
            const int index = int(step - steps.begin());
            texts[std::size_t(column)] = shown(column, exact.at(index, step->count - 1), step->value());
        }
    }
    return texts;
}

} // namespace

std::array<QString, kColumnCount> shownResults(const Steps &steps)
{
    return eachColumn(steps, [](int, const ExactSteps::Number &exact, double value) {
        return working::twoDecimals(exact, value);
    });
}

std::array<QString, kColumnCount> shownValues(const Steps &steps)
{
    return eachColumn(steps, [](int column, const ExactSteps::Number &exact, double value) {
        const QString name = QString::fromUtf16(kLetters[column]);
        if (!exact)
            return namedValue(name, value);
        const QString shown = working::schoolMinus(working::twoDecimals(exact, value));
        const QString written = working::form(*exact).text;
        return written == withoutEndZeros(shown) ? name + u" = "_s + written : name + u" ≈ "_s + shown;
    });
}

QString shownNumber(double value)
{
    return withoutEndZeros(working::schoolMinus(runtime::twoDecimalText(value)));
}

// The two decimals stand for exactly this double when the double nearest to them is
// the value itself. A value halfway between two texts is shown rounded whichever way
// the text rounds, so the C library's rounding of ties does not matter here.
bool shownExactly(double value)
{
    if (!std::isfinite(value))
        return false;
    char text[400];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    if (written.ec != std::errc())
        return false;
    double back = 0.0;
    std::from_chars(text, written.ptr, back);
    return back == value;
}

QString namedValue(const QString &name, double value)
{
    // Beyond 2^53 a double no longer holds every whole number, so a product or a sum
    // there is rounded even where its text has no decimals.
    if (shownExactly(value) && std::fabs(value) < 9007199254740992.0)
        return name + u" = "_s + shownNumber(value);
    return name + u" ≈ "_s + working::schoolMinus(runtime::twoDecimalText(value));
}

} // namespace solver
