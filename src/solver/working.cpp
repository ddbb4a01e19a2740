// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solver/working.h"

#include "runtime/errors.h"
#include "solver/exactsteps.h"
#include "solver/workingtext.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace solver {

using exact::Int;
using exact::Value;
using runtime::ErrorCode;
using Number = ExactSteps::Number;

QString unitSymbol(LengthUnit unit)
{
    switch (unit) {
    case LengthUnit::None: break;
    case LengthUnit::Millimetre: return u"мм"_s;
    case LengthUnit::Centimetre: return u"см"_s;
    case LengthUnit::Decimetre: return u"дм"_s;
    case LengthUnit::Metre: return u"м"_s;
    case LengthUnit::Kilometre: return u"км"_s;
    }
    return QString();
}

namespace {

using working::form;
using working::Line;
using working::operand;
using working::squared;

const char16_t *const kLetters[] = {u"a", u"b", u"d", u"P", u"S"};

QString letter(Target target)
{
    switch (target) {
    case Target::Sum: return u"a + b"_s;
    case Target::Product: return u"a · b"_s;
    case Target::Discriminant: return u"D"_s;
    default: return QString::fromUtf16(kLetters[int(target)]);
    }
}

// Lengths carry the unit, the area and the product of the sides its square; the
// discriminant of the equation in x none.
int powerOf(Target target)
{
    switch (target) {
    case Target::S:
    case Target::Product: return 2;
    case Target::Discriminant: return 0;
    default: return 1;
    }
}

Target otherSide(Target target)
{
    return target == Target::A ? Target::B : Target::A;
}

// Writes the lines of one solve from its steps and their exact values.
class Writer
{
public:
    Writer(const Steps &steps, LengthUnit unit) : m_steps(steps), m_exact(steps), m_unit(unit) {}

    QStringList lines() const;
    QString cellFormula(int column) const;

private:
    const Number &at(int step, int i) const { return m_exact.at(step, i); }
    const Number &valueAt(int step) const { return at(step, m_steps[step].count - 1); }
    int indexOf(Target target) const
    {
        const Step *step = m_steps.find(target);
        return step ? int(step - m_steps.begin()) : -1;
    }
    const Number &valueOf(Target target) const
    {
        static const Number none;
        const int index = indexOf(target);
        return index < 0 ? none : valueAt(index);
    }
    Line line(const QString &formula) const { return Line(formula, m_unit); }
    // "a = 3 см" with the value of the last step that computed the target.
    QString named(Target target) const;
    QString stepLine(int index) const;
    void addRoot(Line &line, int index, int radicand) const;
    QStringList discriminantLines(int index) const;
    // Both roots in one form, (first ± second) : denominator, without ": denominator"
    // where that is 1.
    struct RootsForm
    {
        QString first, second, denominator;
        QString text(const QString &sign) const
        {
            const QString both = first + sign + second;
            return denominator.isEmpty() ? both : u'(' + both + u") : "_s + denominator;
        }
    };
    QString rootsLine(int index, RootsForm *both) const;
    QString eachRootLine(int index, const RootsForm &both) const;
    QString quotient(Line line, const QString &top, bool sum, const QString &denominator, int index,
                     int i) const;
    QString rootValue(int index) const;
    QString failedCondition() const;

    const Steps &m_steps;
    ExactSteps m_exact;
    LengthUnit m_unit;
};

QString Writer::named(Target target) const
{
    const int index = indexOf(target);
    if (index < 0)
        return QString();
    const Step &step = m_steps[index];
    Line l = line(letter(target));
    if (step.formula == Formula::Given && !valueAt(index))
        return l.typed(step.value(), powerOf(target)).text();
    return l.value(valueAt(index), step.value(), powerOf(target)).text();
}

// "√27": a radicand as a form of the line, where the root it gives is exact too.
void Writer::addRoot(Line &line, int index, int radicand) const
{
    if (at(index, radicand) && at(index, radicand + 1))
        line.is(u"√"_s + operand(*at(index, radicand), working::Operand::Radicand));
}

QString Writer::stepLine(int index) const
{
    const Step &step = m_steps[index];
    const auto &n = step.numbers;
    const auto has = [&](std::initializer_list<int> numbers) {
        for (const int i : numbers) {
            if (!at(index, i))
                return false;
        }
        return true;
    };
    const auto op = [&](int i) { return operand(*at(index, i)); };
    const auto sq = [&](int i) { return squared(*at(index, i)); };
    const auto plain = [&](int i) { return form(*at(index, i)).text; };
    const auto simple = [&](int i) { return at(index, i) && !form(*at(index, i)).compound; };
    const int power = powerOf(step.target);
    const QString x = letter(step.target);
    switch (step.formula) {
    case Formula::Given:
        return named(step.target);
    case Formula::Diagonal: {
        Line l = line(u"d = √(a² + b²)"_s);
        if (simple(0) && simple(1)) {
            l.is(u"√("_s + sq(0) + u" + "_s + sq(1) + u")"_s);
        } else if (has({0, 1})) {
            // Sides from their sum and product: their squares add up to a rational.
            l.is(u"√((a + b)² − 2ab)"_s);
            const Number &s = valueOf(Target::Sum);
            const Number &p = valueOf(Target::Product);
            if (s && p)
                l.is(u"√("_s + squared(*s) + u" − 2 · "_s + operand(*p) + u")"_s);
        }
        addRoot(l, index, 2);
        return l.value(at(index, 3), n[3], power).text();
    }
    case Formula::OtherFromDiagonal: {
        const QString s = letter(otherSide(step.target));
        Line l = line(x + u" = √(d² − "_s + s + u"²)"_s);
        if (has({0, 1}))
            l.is(u"√("_s + sq(0) + u" − "_s + sq(1) + u")"_s);
        addRoot(l, index, 2);
        return l.value(at(index, 3), n[3], power).text();
    }
    case Formula::OtherFromPerimeter: {
        Line l = line(x + u" = P : 2 − "_s + letter(otherSide(step.target)));
        if (has({0, 1}))
            l.is(op(0) + u" : 2 − "_s + op(1));
        if (has({1, 2}))
            l.is(op(2) + u" − "_s + op(1));
        return l.value(at(index, 3), n[3], power).text();
    }
    case Formula::OtherFromArea: {
        Line l = line(x + u" = S : "_s + letter(otherSide(step.target)));
        if (has({0, 1}))
            l.is(op(0) + u" : "_s + op(1));
        return l.value(at(index, 2), n[2], power).text();
    }
    case Formula::Perimeter: {
        Line l = line(u"P = 2(a + b)"_s);
        if (simple(0) && simple(1))
            l.is(u"2("_s + plain(0) + u" + "_s + plain(1) + u")"_s);
        if (simple(2))
            l.is(u"2 · "_s + plain(2));
        return l.value(at(index, 3), n[3], power).text();
    }
    case Formula::Area: {
        Line l = line(u"S = a · b"_s);
        if (simple(0) && simple(1))
            l.is(op(0) + u" · "_s + op(1));
        return l.value(at(index, 2), n[2], power).text();
    }
    case Formula::SumFromPerimeter:
        return line(u"a + b = P : 2"_s)
            .is(has({0}) ? op(0) + u" : 2"_s : QString())
            .value(at(index, 1), n[1], power)
            .text();
    case Formula::ProductFromDiagonal: {
        Line l = line(u"a · b = (P² : 4 − d²) : 2"_s);
        if (has({0, 1}))
            l.is(u"("_s + sq(1) + u" : 4 − "_s + sq(0) + u") : 2"_s);
        if (has({2, 4}))
            l.is(u"("_s + plain(2) + u" : 4 − "_s + op(4) + u") : 2"_s);
        if (has({3, 4}))
            l.is(u"("_s + plain(3) + u" − "_s + op(4) + u") : 2"_s);
        if (has({5}))
            l.is(op(5) + u" : 2"_s);
        return l.value(at(index, 6), n[6], power).text();
    }
    case Formula::SumFromDiagonal: {
        Line l = line(u"a + b = √(d² + 2S)"_s);
        if (has({0, 1}))
            l.is(u"√("_s + sq(0) + u" + 2 · "_s + op(1) + u")"_s);
        if (has({2, 3}))
            l.is(u"√("_s + plain(2) + u" + "_s + op(3) + u")"_s);
        addRoot(l, index, 4);
        return l.value(at(index, 5), n[5], power).text();
    }
    case Formula::ProductIsArea:
        return line(u"a · b = S"_s).value(at(index, 0), n[0], power).text();
    case Formula::Discriminant:
        return discriminantLines(index).join(u'\n');
    case Formula::SmallerRoot:
    case Formula::LargerRoot:
        return rootValue(index);
    }
    return QString();
}

// x² − sx + p = 0 with the sum and product as given or worked out, then its
// discriminant, and when that is below 0, why there is no rectangle.
QStringList Writer::discriminantLines(int index) const
{
    const auto &n = m_steps[index].numbers;
    const Number &s = at(index, 0);
    const Number &p = at(index, 1);
    QString equation = u"x² − (a + b)x + a · b = 0"_s;
    if (s && p) {
        equation = u"x²"_s;
        if (!s->isZero()) {
            const working::Form sum = form(*s);
            equation += *s == Value(1) ? u" − x"_s
                : sum.compound || sum.text.contains(u'√') ? u" − "_s + operand(*s) + u" · x"_s
                                                             : u" − "_s + sum.text + u"x"_s;
        }
        if (!p->isZero())
            equation += u" + "_s + operand(*p);
        equation += u" = 0"_s;
    }
    QStringList lines;
    lines << u"a и b са корените на уравнението "_s + working::glued(equation);

    Line D = line(u"D"_s);
    if (s && p)
        D.is(squared(*s) + u" − 4 · "_s + operand(*p));
    if (at(index, 2) && at(index, 3))
        D.is(form(*at(index, 2)).text + u" − "_s + operand(*at(index, 3)));
    const bool solvedAsZero = n[5] != n[4];
    D.value(at(index, 4), n[4], 0);
    lines << D.text();
    const bool negative = at(index, 4) ? at(index, 4)->sign() < 0 : n[4] < 0.0;
    if (solvedAsZero && !at(index, 5)) {
        lines << u"Разликата от 0 е под грешката на закръгляването, затова се смята D = 0: "
                 u"квадрат."_s;
    } else if (negative) {
        lines << u"D < 0: уравнението няма реални корени, следователно няма такъв "
                 u"правоъгълник."_s;
    }
    return lines;
}

// "x₁ = x₂ = 4 : 2 = 2" for D = 0; else x₁,₂ = (s ± √D) : 2 with the root simplified,
// and both roots in one form, which *both keeps for the roots one by one.
QString Writer::rootsLine(int index, RootsForm *both) const
{
    const Number &s = at(index, 0);
    const Number &D = at(index, 1);
    const Number &root = at(index, 2);
    if (!s || !D)
        return QString();
    if (D->isZero()) {
        // A fraction n/d halved is n : 2d, never (n/d) : 2.
        const bool fraction = !form(*s).finiteDecimal;
        const working::Form top = form(fraction ? *s * Value(s->denominator()) : *s);
        return quotient(line(u"x₁ = x₂"_s), fraction ? top.text : operand(*s), fraction && top.sum,
                        form(Value(fraction ? 2 * s->denominator() : Int(2))).text, index, 3);
    }
    Line l = line(u"x₁,₂"_s);
    *both = {operand(*s), u"√"_s + operand(*D, working::Operand::Radicand), u"2"_s};
    l.is(both->text(u" ± "_s));
    if (!root)
        return l.text();
    both->second = operand(*root);
    l.is(both->text(u" ± "_s));
    if (const Number &one = at(index, 3); one && !one->isRational()) {
        try {
            // (h ± r) over one denominator, h = s : 2 and r = √D : 2.
            const Value h = *s / Value(2);
            const Value r = *root / Value(2);
            const Int common = boost::multiprecision::lcm(h.denominator(), r.denominator());
            *both = {form(h * Value(common)).text, form(r * Value(common)).text,
                     common == 1 ? QString() : form(Value(common)).text};
            l.is(both->text(u" ± "_s));
        } catch (const std::overflow_error &) {
        }
    }
    return l.text();
}

// "x₁ = (7 − 1) : 2 = 3; x₂ = (7 + 1) : 2 = 4": each root worked out from the form
// that holds both.
QString Writer::eachRootLine(int index, const RootsForm &both) const
{
    if (both.first.isEmpty())
        return QString();
    QString text = quotient(line(u"x₁"_s), both.first + u" − "_s + both.second, true, both.denominator,
                            index, 3);
    if (index + 1 < m_steps.count() && m_steps[index + 1].formula == Formula::LargerRoot) {
        text += u"; "_s + quotient(line(u"x₂"_s), both.first + u" + "_s + both.second, true,
                                  both.denominator, index + 1, 2);
    }
    return text;
}

// The line, then top : denominator (top alone without one), then number i of the step
// where that is more than the fraction the quotient already is: "4 : 2 = 2" and
// "(5 − √5) : 2 ≈ 1,38", not "(5 − √5) : 2 = (5 − √5)/2".
QString Writer::quotient(Line line, const QString &top, bool sum, const QString &denominator, int index,
                         int i) const
{
    const QString numerator = sum && !denominator.isEmpty() ? u'(' + top + u')' : top;
    line.is(denominator.isEmpty() ? numerator : numerator + u" : "_s + denominator);
    const Number &value = at(index, i);
    const double computed = m_steps[index].numbers[std::size_t(i)];
    const QString fraction = denominator.isEmpty() ? numerator : numerator + u'/' + denominator;
    if (value && form(*value).text == fraction)
        return line.approximately(value, computed, 0).text();
    return line.value(value, computed, 0).text();
}

// "a = x₁ = 3" for the smaller root, "b = x₂ = 4" for the larger.
QString Writer::rootValue(int index) const
{
    const bool smaller = m_steps[index].formula == Formula::SmallerRoot;
    const Target target = m_steps[index].target;
    return line(letter(target) + (smaller ? u" = x₁"_s : u" = x₂"_s))
        .value(valueAt(index), m_steps[index].value(), powerOf(target))
        .text();
}

// The condition that the given values break, with the user's numbers.
QString Writer::failedCondition() const
{
    const auto given = [this](Target target) -> std::pair<Number, double> {
        const int index = indexOf(target);
        return index < 0 ? std::pair{Number(), 0.0} : std::pair{valueAt(index), m_steps[index].value()};
    };
    const auto [P, PValue] = given(Target::P);
    const auto [d, dValue] = given(Target::D);
    // A bound worked out from a given value: exact where that one is.
    const auto bound = [this](const QString &formula, const Number &from, auto exactly,
                              double value, int power) {
        Number exact;
        try {
            if (from)
                exact = exactly(*from);
        } catch (const std::overflow_error &) {
        }
        return line(formula).value(exact, value, power).text();
    };
    const Target side = m_steps.variant <= 3 ? Target::A : Target::B;
    const QString sideText = named(side);
    const auto half = [](const Value &v) { return v / Value(2); };
    switch (m_steps.error) {
    case ErrorCode::SideLongerThanDiagonal:
        return sideText + u" ≥ "_s + named(Target::D);
    case ErrorCode::GivenValueZero: {
        QStringList zeros;
        for (int column = 0; column < 5; ++column) {
            if (m_steps.about & runtime::quantity(column))
                zeros << named(Target(column));
        }
        return zeros.join(u", "_s);
    }
    case ErrorCode::SideLongerThanHalfPerimeter:
        return sideText + u" ≥ "_s + bound(u"P : 2"_s, P, half, PValue / 2.0, 1);
    case ErrorCode::DiagonalLongerThanHalfPerimeter:
        return named(Target::D) + u" ≥ "_s + bound(u"P : 2"_s, P, half, PValue / 2.0, 1);
    case ErrorCode::DiagonalTooShortForPerimeter:
        return named(Target::D) + u" < "_s
            + bound(u"P : (2√2)"_s, P,
                    [](const Value &v) { return v * Value::surd(1, 2) / Value(4); },
                    PValue / (2.0 * std::sqrt(2.0)), 1);
    case ErrorCode::AreaTooLargeForDiagonal:
        return named(Target::S) + u" > "_s
            + bound(u"d² : 2"_s, d, [](const Value &v) { return v * v / Value(2); },
                    dValue * dValue / 2.0, 2);
    case ErrorCode::AreaTooLargeForPerimeter:
        return named(Target::S) + u" > "_s
            + bound(u"P² : 16"_s, P, [](const Value &v) { return v * v / Value(16); },
                    PValue * PValue / 16.0, 2);
    default:
        return QString();
    }
}

QStringList Writer::lines() const
{
    QStringList lines;
    lines << u"Вариант %1"_s.arg(m_steps.variant + 1);

    QStringList givens;
    for (const Step &step : m_steps) {
        if (step.formula == Formula::Given)
            givens << named(step.target);
    }
    lines << u"Дадено: "_s + givens.join(u"; "_s);

    for (int index = 0; index < m_steps.count(); ++index) {
        const Step &step = m_steps[index];
        switch (step.formula) {
        case Formula::Given:
            break;
        case Formula::Diagonal:
        case Formula::OtherFromDiagonal:
            lines << u"По Питагоровата теорема: "_s + stepLine(index);
            break;
        case Formula::ProductFromDiagonal:
        case Formula::SumFromDiagonal:
            lines << u"Тъй като "_s
                    + line(u"(a + b)²"_s).is(u"a² + b² + 2ab"_s).is(u"d² + 2ab"_s).text() + u':';
            lines << stepLine(index);
            break;
        case Formula::Discriminant:
            lines << discriminantLines(index);
            break;
        case Formula::SmallerRoot: {
            RootsForm both;
            if (const QString roots = rootsLine(index, &both); !roots.isEmpty())
                lines << roots;
            if (const QString each = eachRootLine(index, both); !each.isEmpty())
                lines << each;
            if (index + 1 < m_steps.count() && m_steps[index + 1].formula == Formula::LargerRoot)
                lines << rootValue(index) + u"; "_s + rootValue(index + 1);
            else
                lines << rootValue(index);
            break;
        }
        case Formula::LargerRoot:
            break;
        default:
            lines << stepLine(index);
            break;
        }
    }

    if (m_steps.failed) {
        const QString condition = failedCondition();
        if (!condition.isEmpty())
            lines << condition;
        lines << runtime::errorMessage(m_steps.error, m_steps.about);
    } else {
        QStringList answer;
        for (int column = 0; column < 5; ++column) {
            if (indexOf(Target(column)) >= 0)
                answer << named(Target(column));
        }
        lines << u"Отговор: "_s + answer.join(u"; "_s);
    }
    return lines;
}

QString Writer::cellFormula(int column) const
{
    const int index = indexOf(Target(column));
    if (index < 0 || m_steps[index].formula == Formula::Given || m_steps.failed)
        return QString();
    return stepLine(index);
}

} // namespace

QStringList workingLines(const Steps &steps, LengthUnit unit)
{
    return Writer(steps, unit).lines();
}

QString cellFormula(const Steps &steps, int column, LengthUnit unit)
{
    return Writer(steps, unit).cellFormula(column);
}

} // namespace solver
