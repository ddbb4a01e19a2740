// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solver/working.h"

#include "runtime/numbertext.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <initializer_list>

using namespace Qt::StringLiterals;

namespace solver {

using runtime::ErrorCode;

QString shownNumber(double value)
{
    QString text = runtime::twoDecimalText(value);
    const QString point = QLocale().decimalPoint();
    const qsizetype at = text.lastIndexOf(point);
    // School writes a minus, not a hyphen.
    if (text.startsWith(QLocale().negativeSign()))
        text.replace(0, QLocale().negativeSign().size(), u"−"_s);
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

namespace {

const char16_t *const kLetters[] = {u"a", u"b", u"d", u"P", u"S"};

// A piece of a line: text as it stands, or a number as the grid shows it.
struct Part
{
    Part(const char16_t *text) : text(QString::fromUtf16(text)) {}
    Part(const QString &text) : text(text) {}
    Part(double value) : text(shownNumber(value)), rounded(!shownExactly(value)) {}

    QString text;
    bool rounded = false;
};

// A formula followed by its forms with the numbers put in, each after "=", or after
// "≈" when a number in it is shown rounded.
class Line
{
public:
    explicit Line(const QString &formula) : m_text(formula) {}

    Line &then(std::initializer_list<Part> parts)
    {
        QString text;
        bool rounded = false;
        for (const Part &part : parts) {
            text += part.text;
            rounded = rounded || part.rounded;
        }
        m_text += rounded ? u" ≈ "_s : u" = "_s;
        m_text += text;
        return *this;
    }

    QString text() const { return m_text; }

private:
    QString m_text;
};

QString letter(Target target)
{
    switch (target) {
    case Target::Sum: return u"a + b"_s;
    case Target::Product: return u"a · b"_s;
    case Target::Discriminant: return u"D"_s;
    default: return QString::fromUtf16(kLetters[int(target)]);
    }
}

// "a = 3" or "a ≈ 3,14".
QString named(Target target, double value)
{
    return Line(letter(target)).then({value}).text();
}

double given(const Steps &steps, Target target)
{
    const Step *step = steps.find(target);
    return step ? step->value() : 0.0;
}

// The side a step of a one-side variant started from: the other one than it computed.
Target otherSide(Target target)
{
    return target == Target::A ? Target::B : Target::A;
}

// The line of a step that computed a value.
QString stepLine(const Step &step)
{
    const auto &n = step.numbers;
    const QString x = letter(step.target);
    switch (step.formula) {
    case Formula::Given:
        return named(step.target, n[0]);
    case Formula::Diagonal:
        return Line(u"d = √(a² + b²)"_s)
            .then({u"√(", n[0], u"² + ", n[1], u"²)"})
            .then({u"√", n[2]})
            .then({n[3]})
            .text();
    case Formula::OtherFromDiagonal: {
        const QString s = letter(otherSide(step.target));
        return Line(x + u" = √(d² − "_s + s + u"²)"_s)
            .then({u"√(", n[0], u"² − ", n[1], u"²)"})
            .then({u"√", n[2]})
            .then({n[3]})
            .text();
    }
    case Formula::OtherFromPerimeter:
        return Line(x + u" = P : 2 − "_s + letter(otherSide(step.target)))
            .then({n[0], u" : 2 − ", n[1]})
            .then({n[2], u" − ", n[1]})
            .then({n[3]})
            .text();
    case Formula::OtherFromArea:
        return Line(x + u" = S : "_s + letter(otherSide(step.target)))
            .then({n[0], u" : ", n[1]})
            .then({n[2]})
            .text();
    case Formula::Perimeter:
        return Line(u"P = 2(a + b)"_s)
            .then({u"2(", n[0], u" + ", n[1], u")"})
            .then({u"2 · ", n[2]})
            .then({n[3]})
            .text();
    case Formula::Area:
        return Line(u"S = a · b"_s).then({n[0], u" · ", n[1]}).then({n[2]}).text();
    case Formula::SumFromPerimeter:
        return Line(u"a + b = P : 2"_s).then({n[0], u" : 2"}).then({n[1]}).text();
    case Formula::ProductFromDiagonal:
        return Line(u"a · b = (P² : 4 − d²) : 2"_s)
            .then({u"(", n[1], u"² : 4 − ", n[0], u"²) : 2"})
            .then({u"(", n[2], u" : 4 − ", n[4], u") : 2"})
            .then({u"(", n[3], u" − ", n[4], u") : 2"})
            .then({n[5], u" : 2"})
            .then({n[6]})
            .text();
    case Formula::SumFromDiagonal:
        return Line(u"a + b = √(d² + 2S)"_s)
            .then({u"√(", n[0], u"² + 2 · ", n[1], u")"})
            .then({u"√(", n[2], u" + ", n[3], u")"})
            .then({u"√", n[4]})
            .then({n[5]})
            .text();
    case Formula::ProductIsArea:
        return Line(u"a · b = S"_s).then({n[0]}).text();
    case Formula::Discriminant:
        return Line(u"D = (a + b)² − 4 · a · b"_s)
            .then({n[0], u"² − 4 · ", n[1]})
            .then({n[2], u" − ", n[3]})
            .then({n[4]})
            .text();
    case Formula::SmallerRoot:
        return Line(u"a = x₁ = (a + b − √D) : 2"_s)
            .then({u"(", n[0], u" − √", n[1], u") : 2"})
            .then({u"(", n[0], u" − ", n[2], u") : 2"})
            .then({n[3]})
            .text();
    case Formula::LargerRoot:
        return Line(u"b = x₂ = a + b − x₁"_s).then({n[0], u" − ", n[1]}).then({n[2]}).text();
    }
    return QString();
}

// x² − 7x + 12 = 0, the equation whose roots are the two sides.
QString quadratic(double sum, double product)
{
    QString text = u"x²"_s;
    if (sum != 0.0)
        text += u" − "_s + (sum == 1.0 ? QString() : shownNumber(sum)) + u"x"_s;
    if (product != 0.0)
        text += u" + "_s + shownNumber(product);
    return text + u" = 0"_s;
}

// The condition that the given values break, with the user's numbers.
QString failedCondition(const Steps &steps)
{
    const double P = given(steps, Target::P);
    const double S = given(steps, Target::S);
    const double d = given(steps, Target::D);
    const Target side = steps.variant <= 3 ? Target::A : Target::B;
    const QString sideText = named(side, given(steps, side));
    switch (steps.error) {
    case ErrorCode::SideLongerThanDiagonal:
        return sideText + u" ≥ "_s + named(Target::D, d);
    case ErrorCode::GivenValueZero: {
        QStringList zeros;
        for (int column = 0; column < 5; ++column) {
            if (steps.about & runtime::quantity(column))
                zeros << named(Target(column), 0.0);
        }
        return zeros.join(u", "_s);
    }
    case ErrorCode::SideLongerThanHalfPerimeter:
        return sideText + u" ≥ "_s + Line(u"P : 2"_s).then({P / 2.0}).text();
    case ErrorCode::DiagonalLongerThanHalfPerimeter:
        return named(Target::D, d) + u" ≥ "_s + Line(u"P : 2"_s).then({P / 2.0}).text();
    case ErrorCode::DiagonalTooShortForPerimeter:
        return named(Target::D, d) + u" < "_s
            + Line(u"P : (2√2)"_s).then({P / (2.0 * std::sqrt(2.0))}).text();
    case ErrorCode::AreaTooLargeForDiagonal:
        return named(Target::S, S) + u" > "_s + Line(u"d² : 2"_s).then({d * d / 2.0}).text();
    case ErrorCode::AreaTooLargeForPerimeter:
        return named(Target::S, S) + u" > "_s + Line(u"P² : 16"_s).then({P * P / 16.0}).text();
    default:
        return QString();
    }
}

} // namespace

QString unitSymbol(LengthUnit unit)
{
    static const char16_t *const symbols[] = {u"", u"мм", u"см", u"дм", u"м", u"км"};
    return QString::fromUtf16(symbols[int(unit)]);
}

QStringList workingLines(const Steps &steps, LengthUnit unit)
{
    const auto inUnit = [unit](Target target) {
        return unit == LengthUnit::None ? QString()
                                        : u" "_s + unitSymbol(unit) + (target == Target::S ? u"²"_s : QString());
    };
    QStringList lines;
    lines << u"Вариант %1"_s.arg(steps.variant + 1);

    QStringList givens;
    for (const Step &step : steps) {
        if (step.formula == Formula::Given)
            givens << named(step.target, step.value()) + inUnit(step.target);
    }
    lines << u"Дадено: "_s + givens.join(u"; "_s);

    for (const Step &step : steps) {
        switch (step.formula) {
        case Formula::Given:
            continue;
        case Formula::Diagonal:
        case Formula::OtherFromDiagonal:
            lines << u"По Питагоровата теорема: "_s + stepLine(step);
            continue;
        case Formula::ProductFromDiagonal:
        case Formula::SumFromDiagonal:
            lines << u"Тъй като (a + b)² = a² + b² + 2 · a · b = d² + 2 · a · b:"_s;
            break;
        case Formula::Discriminant:
            lines << u"a и b са корените на уравнението "_s
                    + quadratic(step.numbers[0], step.numbers[1]);
            if (step.numbers[5] != step.numbers[4]) {
                lines << stepLine(step)
                      << u"Разликата е само грешка от закръгляването: D = 0, квадрат."_s;
                continue;
            }
            break;
        default:
            break;
        }
        lines << stepLine(step);
    }

    if (steps.failed) {
        const QString condition = failedCondition(steps);
        if (!condition.isEmpty())
            lines << condition;
        lines << runtime::errorMessage(steps.error, steps.about);
        return lines;
    }
    QStringList answer;
    for (int column = 0; column < 5; ++column) {
        if (const Step *step = steps.find(Target(column)))
            answer << named(Target(column), step->value()) + inUnit(Target(column));
    }
    lines << u"Отговор: "_s + answer.join(u"; "_s);
    return lines;
}

QString namedValue(const QString &name, double value)
{
    return Line(name).then({value}).text();
}

QString cellFormula(const Steps &steps, int column, LengthUnit)
{
    const Step *step = steps.find(Target(column));
    if (!step || step->formula == Formula::Given || steps.failed)
        return QString();
    return stepLine(*step);
}

} // namespace solver
