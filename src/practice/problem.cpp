// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/problem.h"

#include "practice/draw.h"
#include "runtime/errors.h"
#include "runtime/numbertext.h"
#include "solver/exactsteps.h"
#include "solver/rectangle.h"
#include "solver/workingtext.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace practice {

using runtime::ErrorCode;
using solver::exact::Int;
using solver::exact::Value;

namespace {

// The given values as the cells of the calculator hold them.
class GivenCells final : public solver::CellTexts
{
public:
    GivenCells(int variant, const std::array<double, 2> &givens) : m_variant(variant - 1)
    {
        m_texts[0] = runtime::plainText(givens[0]);
        m_texts[1] = runtime::plainText(givens[1]);
    }
    QString text(qint16 cell) const override
    {
        if (cell / solver::kColumnCount != m_variant)
            return QString();
        const auto &given = solver::kGivenColumns[std::size_t(m_variant)];
        const int column = cell % solver::kColumnCount;
        return column == given[0] ? m_texts[0] : column == given[1] ? m_texts[1] : QString();
    }

private:
    int m_variant;
    std::array<QString, 2> m_texts;
};

// The refusals that name a condition the working writes out with the numbers.
bool hasCondition(ErrorCode code)
{
    switch (code) {
    case ErrorCode::SideLongerThanDiagonal:
    case ErrorCode::SideLongerThanHalfPerimeter:
    case ErrorCode::DiagonalLongerThanHalfPerimeter:
    case ErrorCode::DiagonalTooShortForPerimeter:
    case ErrorCode::AreaTooLargeForDiagonal:
    case ErrorCode::AreaTooLargeForPerimeter:
        return true;
    default:
        return false;
    }
}

// Variants whose two values can describe no rectangle: any two sides, or a side and
// an area, always have one.
bool canFail(int variant)
{
    return variant != 1 && variant != 4 && variant != 7;
}

int power(int column)
{
    return column == solver::Area ? 2 : 1;
}

// The value of a text "a = 3 см" with no-break spaces inside.
QString givenText(int column, double value, solver::LengthUnit unit)
{
    QString text = Problem::letter(column) + u" = "_s
        + solver::working::form(Value::fromDouble(value)).text;
    if (unit != solver::LengthUnit::None)
        text += u' ' + solver::unitSymbol(unit) + (power(column) == 2 ? u"²"_s : QString());
    return solver::working::glued(text);
}

QString listed(const QStringList &items)
{
    if (items.size() < 2)
        return items.value(0);
    return QStringList(items.mid(0, items.size() - 1)).join(u", "_s) + u" и "_s + items.last();
}

// A pair of given values as counts of a unit: value = count / scale.
struct Candidate
{
    qint64 first = 0;
    qint64 second = 0;
    qint64 scale = 1;
};

// Pythagorean triples a < b < c, the ones a school book uses.
constexpr std::array<std::array<int, 3>, 7> kTriples{{{3, 4, 5}, {5, 12, 13}, {8, 15, 17},
    {7, 24, 25}, {20, 21, 29}, {12, 35, 37}, {9, 40, 41}}};

// The five quantities of a rectangle, the lengths counted in 1/scale and the area in
// 1/scale²; the diagonal is 0 unless the sides come from a triple.
struct Counts
{
    qint64 a, b, d, P, S;
};

Candidate pick(const Counts &c, int variant, qint64 scale)
{
    const qint64 all[] = {c.a, c.b, c.d, c.P, c.S};
    const auto &given = solver::kGivenColumns[std::size_t(variant - 1)];
    // The area counts in 1/scale², the lengths in 1/scale: bring them to one scale.
    const bool area = given[1] == solver::Area;
    return Candidate{all[given[0]] * (area ? scale : 1), all[given[1]], area ? scale * scale : scale};
}

class Maker
{
public:
    Maker(Draw &draw, Level level, int variant) : m_draw(draw), m_level(level), m_variant(variant) {}

    Candidate possible();
    Candidate impossible();

private:
    Counts triple(qint64 maxSide);
    Counts sides(qint64 low, qint64 high);
    qint64 between(qint64 low, qint64 high) { return m_draw.between(low, high); }

    Draw &m_draw;
    Level m_level;
    int m_variant;
};

// A scaled triple, the longer side at most maxSide unless the triple is longer; a and
// b either way round.
Counts Maker::triple(qint64 maxSide)
{
    const auto &t = kTriples[std::size_t(m_draw.below(kTriples.size()))];
    const qint64 k = between(1, std::max<qint64>(1, maxSide / t[1]));
    qint64 a = t[0] * k, b = t[1] * k;
    if (m_draw.below(2))
        std::swap(a, b);
    return Counts{a, b, t[2] * k, 2 * (a + b), a * b};
}

// Two different sides from low to high counts, neither more than four times the other.
Counts Maker::sides(qint64 low, qint64 high)
{
    const qint64 a = between(low, high);
    qint64 b = between(std::max(low, (a + 3) / 4), std::min(high, 4 * a));
    if (b == a)
        b = a == high ? a - 1 : a + 1;
    return Counts{a, b, 0, 2 * (a + b), a * b};
}

Candidate Maker::possible()
{
    const int v = m_variant;
    const bool diagonalGiven = v == 2 || v == 5 || v == 8 || v == 9;
    switch (m_level) {
    case Level::Whole:
        return pick(triple(40), v, 1);
    case Level::Decimal: {
        // Tenths mostly; hundredths where no area is given, so that the area too
        // has two decimals at most.
        if (diagonalGiven && m_draw.below(3) == 0) {
            // A triple scaled by a decimal: d has one decimal and the answers too.
            const Counts c = triple(40);
            const qint64 k = between(1, 9); // scaled by k : 10
            return pick(Counts{c.a * k, c.b * k, c.d * k, c.P * k, c.S * k * k}, v, 10);
        }
        if (!diagonalGiven) {
            const bool area = v == 4 || v == 7 || v == 10;
            const qint64 scale = !area && m_draw.below(5) == 0 ? 100 : 10;
            return pick(sides(scale, 30 * scale), v, scale);
        }
        // A diagonal and the other value in tenths, inside the bounds of a rectangle.
        const qint64 d = between(30, 400);
        switch (v) {
        case 2:
        case 5:
            return Candidate{between(d / 5 + 1, d * 9 / 10), d, 10};
        case 8: {
            // P : (2√2) < d < P : 2, i.e. 2d < P < 2√2 · d, away from both ends: near
            // 2d one side is a sliver, near 2√2 · d the rectangle a square.
            // Even in tenths, so that the sum of the sides has one decimal.
            const qint64 P = 2 * between(d * 12 / 10 + 1, d * 27 / 20);
            return Candidate{d, P, 10};
        }
        default: {
            // S < d² : 2 (in hundredths when d is in tenths), away from the square.
            const qint64 S = between(d * d / 5, d * d * 9 / 20);
            return Candidate{d * 10, S, 100};
        }
        }
    }
    case Level::Roots:
        break;
    }
    // Whole givens chosen freely: the sides, or the diagonal with the other value.
    switch (v) {
    case 2:
    case 5: {
        const qint64 d = between(3, 25);
        return Candidate{between(1, d - 1), d, 1};
    }
    case 8: {
        const qint64 d = between(3, 25);
        // An even perimeter: half of it, the sum of the sides, is whole.
        return Candidate{d, 2 * between(d * 12 / 10 + 1, d * 14 / 10), 1};
    }
    case 9: {
        const qint64 d = between(3, 25);
        return Candidate{d, between(std::max<qint64>(1, d * d / 6), (d * d - 1) / 2), 1};
    }
    case 10: {
        const Counts c = sides(1, 15);
        return Candidate{c.P, c.S - between(0, c.S / 3), 1};
    }
    default:
        return pick(sides(2, 20), v, 1);
    }
}

// Values just past one of the bounds a rectangle's values keep.
Candidate Maker::impossible()
{
    const qint64 scale = m_level == Level::Decimal ? 10 : 1;
    const qint64 n = between(4 * scale, 30 * scale);
    switch (m_variant) {
    case 2:
    case 5: // a side not shorter than the diagonal
        return Candidate{n + between(1, n / 2 + 1), n, scale};
    case 3:
    case 6: // a side not shorter than P : 2
        return Candidate{n + between(0, n / 2), 2 * n, scale};
    case 8:
        if (m_draw.below(2)) // the diagonal not shorter than P : 2
            return Candidate{n + between(0, n / 3), 2 * n, scale};
        // the diagonal shorter than the square's, P : (2√2): 8d² < P²
        return Candidate{n, 2 * n + between(n * 9 / 10 + 1, 2 * n), scale};
    case 9: // an area larger than the square's, d² : 2 (in 1/scale²)
        return Candidate{n * scale, n * n / 2 + between(1, n * n / 2), scale * scale};
    default: // 10: an area larger than the square's, P² : 16
        return Candidate{4 * n * scale, n * n + between(1, n * n / 2), scale * scale};
    }
}

double valueOf(qint64 count, qint64 scale)
{
    return double(count) / double(scale);
}

bool isWhole(const Value &value)
{
    return value.isRational() && value.denominator() == 1;
}

} // namespace

// Makes and checks one problem: the solver's answer decides whether it is one.
class ProblemMaker
{
public:
    static void solve(Problem &p)
    {
        solver::FormValues form;
        solver::WorkingValues out;
        try {
            solver::SolveVariant(runtime::Variant(qint16(p.m_variant - 1)),
                                 GivenCells(p.m_variant, p.m_givens), form, out, &p.m_steps);
        } catch (const runtime::RuntimeError &) {
        }
        const solver::ExactSteps exact(p.m_steps);
        for (int column = 0; column < solver::kColumnCount; ++column) {
            const solver::Step *step = p.m_steps.find(solver::Target(column));
            p.m_exact[std::size_t(column)].reset();
            p.m_values[std::size_t(column)] = 0.0;
            if (!step)
                continue;
            p.m_values[std::size_t(column)] = step->value();
            p.m_exact[std::size_t(column)] = exact.at(int(step - p.m_steps.begin()), step->count - 1);
        }
    }

    // A problem of its level: a rectangle with every value exact, neither a square nor
    // a strip, or, when asked, none, for a reason the working explains.
    static bool suits(const Problem &p, bool rectangle)
    {
        const solver::Steps &steps = p.m_steps;
        const auto whole = [](double value) { return value == std::floor(value); };
        if (p.m_level == Level::Decimal && whole(p.m_givens[0]) && whole(p.m_givens[1]))
            return false;
        if (!rectangle)
            return steps.failed && hasCondition(steps.error);
        if (steps.failed)
            return false;
        for (const auto &value : p.m_exact) {
            if (!value || value->isZero())
                return false;
        }
        const double a = p.m_values[0], b = p.m_values[1];
        if (*p.m_exact[0] == *p.m_exact[1] || std::max(a, b) > 6.0 * std::min(a, b))
            return false;
        const QList<int> unknowns = p.unknowns();
        switch (p.m_level) {
        case Level::Whole:
            return std::all_of(p.m_exact.begin(), p.m_exact.end(),
                               [](const auto &v) { return isWhole(*v); });
        case Level::Decimal:
            return true;
        case Level::Roots:
            return std::any_of(unknowns.begin(), unknowns.end(),
                               [&](int c) { return !p.m_exact[std::size_t(c)]->isRational(); });
        }
        return false;
    }

    static Problem make(quint32 number, const Settings &settings)
    {
        Draw draw(0x51ad'7e1f'00d5'0000ull ^ number);
        QList<Level> levels;
        for (const Level level : settings.levels) {
            if (int(level) >= 1 && int(level) <= kLevelCount)
                levels << level;
        }
        if (levels.isEmpty())
            levels = {Level::Whole, Level::Decimal, Level::Roots};
        QList<int> variants;
        for (const int v : settings.variants) {
            if (v >= 1 && v <= solver::kVariantCount && !variants.contains(v))
                variants << v;
        }
        if (variants.isEmpty()) {
            for (int v = 1; v <= solver::kVariantCount; ++v)
                variants << v;
        }
        QList<int> failing;
        for (const int v : std::as_const(variants)) {
            if (canFail(v))
                failing << v;
        }

        Problem p;
        p.m_number = number;
        p.m_unit = settings.unit;
        p.m_level = levels[qsizetype(draw.below(quint64(levels.size())))];
        const bool rectangle = !settings.withoutRectangle || failing.isEmpty() || draw.below(6) != 0;
        const QList<int> &from = rectangle ? variants : failing;
        p.m_variant = from[qsizetype(draw.below(quint64(from.size())))];

        Maker maker(draw, p.m_level, p.m_variant);
        for (int attempt = 0; attempt < 500; ++attempt) {
            const Candidate c = rectangle ? maker.possible() : maker.impossible();
            p.m_givens = {valueOf(c.first, c.scale), valueOf(c.second, c.scale)};
            solve(p);
            if (suits(p, rectangle))
                return p;
        }
        return p; // not reached for any number: the property test goes through them
    }
};

Problem Problem::withGivens(int variant, double first, double second, Level level,
                            solver::LengthUnit unit)
{
    Problem p;
    p.m_level = level;
    p.m_variant = std::clamp(variant, 1, solver::kVariantCount);
    p.m_unit = unit;
    p.m_givens = {first, second};
    ProblemMaker::solve(p);
    return p;
}

QString levelName(Level level)
{
    switch (level) {
    case Level::Whole: return u"Ниво 1 — цели числа"_s;
    case Level::Decimal: return u"Ниво 2 — десетични"_s;
    case Level::Roots: return u"Ниво 3 — корени"_s;
    }
    return QString();
}

QString Problem::title() const
{
    return u"Задача № %1"_s.arg(m_number);
}

QList<int> Problem::unknowns() const
{
    QList<int> columns;
    const auto &given = solver::kGivenColumns[std::size_t(m_variant - 1)];
    for (int column = 0; column < solver::kColumnCount; ++column) {
        if (column != given[0] && column != given[1])
            columns << column;
    }
    return columns;
}

QString Problem::letter(int column)
{
    static const char16_t *const kLetters[] = {u"a", u"b", u"d", u"P", u"S"};
    return column >= 0 && column < 5 ? QString::fromUtf16(kLetters[column]) : QString();
}

QString Problem::unitAfter(int column) const
{
    if (m_unit == solver::LengthUnit::None)
        return QString();
    return solver::unitSymbol(m_unit) + (power(column) == 2 ? u"²"_s : QString());
}

QString Problem::statement() const
{
    // The given pair as a textbook names it.
    static const char16_t *const kNouns[] = {u"страна", u"страна", u"диагонал", u"периметър", u"лице"};
    const auto &given = solver::kGivenColumns[std::size_t(m_variant - 1)];
    const QString first = givenText(given[0], m_givens[0], m_unit);
    const QString second = givenText(given[1], m_givens[1], m_unit);
    QString text = u"Правоъгълник има "_s;
    if (m_variant == 1)
        text += u"страни "_s + first + u" и "_s + second;
    else
        text += QString::fromUtf16(kNouns[given[0]]) + u' ' + first + u" и "_s
            + QString::fromUtf16(kNouns[given[1]]) + u' ' + second;
    QStringList asked;
    for (const int column : unknowns())
        asked << letter(column);
    text += u". Намерете "_s + listed(asked);
    // From the quadratic the two sides come as its smaller and its larger root.
    if (m_variant >= 8)
        text += u" ("_s + solver::working::glued(u"a ≤ b"_s) + u')';
    return text + u'.';
}

QString Problem::answer(int column) const
{
    if (!hasRectangle())
        return QString();
    return solver::working::Line(letter(column), m_unit)
        .value(exact(column), value(column), power(column))
        .text();
}

QStringList Problem::working() const
{
    return solver::workingLines(m_steps, m_unit);
}

QString Problem::failedCondition() const
{
    if (hasRectangle() || !hasCondition(m_steps.error))
        return QString();
    const QStringList lines = working();
    return lines.size() >= 2 ? lines[lines.size() - 2] : QString();
}

QString Problem::reason() const
{
    if (hasRectangle())
        return QString();
    const QString message = runtime::errorMessage(m_steps.error, m_steps.about);
    const QString condition = failedCondition();
    return condition.isEmpty() ? message : condition + u". "_s + message;
}

QString Problem::hint(int column) const
{
    if (!hasRectangle()) {
        // The refusal's own condition, the part in parentheses: "трябва страна < d".
        const QString message = runtime::errorMessage(m_steps.error, m_steps.about);
        const qsizetype open = message.lastIndexOf(u"(трябва"_s);
        const qsizetype close = message.lastIndexOf(u')');
        if (open < 0 || close < open)
            return message;
        return u"Проверете дали има такъв правоъгълник: "_s
            + message.mid(open + 1, close - open - 1) + u'.';
    }
    const solver::Step *step = m_steps.find(solver::Target(column));
    if (!step || step->formula == solver::Formula::Given)
        return QString();
    const QStringList lines = working();
    // The first form of a line of the working: its formula with the numbers put in.
    const auto formulaOf = [](const QString &line, bool withNumbers) {
        const QStringList forms = line.split(u" = "_s);
        return withNumbers && forms.size() > 1 ? forms[0] + u" = "_s + forms[1] : forms[0];
    };
    const auto lineStarting = [&](const QString &start) {
        for (const QString &line : lines) {
            if (solver::working::glued(line).startsWith(solver::working::glued(start)))
                return line;
        }
        return QString();
    };
    // The lines of the working that the quadratic's variants start from, found by the
    // quantity they give; without one, the formula alone.
    switch (step->formula) {
    case solver::Formula::SmallerRoot:
    case solver::Formula::LargerRoot:
        if (const QString equation = lineStarting(u"a и b са корените"_s); !equation.isEmpty())
            return equation;
        break;
    case solver::Formula::Area:
        // From a diagonal and a perimeter the product of the sides is the area.
        if (const QString product = lineStarting(u"a · b = "_s); m_variant == 8 && !product.isEmpty())
            return solver::working::glued(u"S = "_s) + formulaOf(product, true);
        break;
    case solver::Formula::Perimeter:
        if (const QString sum = lineStarting(u"a + b = "_s); m_variant == 9 && !sum.isEmpty()) {
            return formulaOf(solver::cellFormula(m_steps, column, m_unit), false) + u"; "_s
                + formulaOf(sum, true);
        }
        break;
    default:
        break;
    }
    // The numbers put in are the given ones only for the other side, or from two sides.
    const bool fromGivens = m_variant == 1 || step->formula == solver::Formula::OtherFromDiagonal
        || step->formula == solver::Formula::OtherFromPerimeter
        || step->formula == solver::Formula::OtherFromArea;
    return formulaOf(solver::cellFormula(m_steps, column, m_unit), fromGivens);
}

Problem makeProblem(quint32 number, const Settings &settings)
{
    return ProblemMaker::make(number, settings);
}

Generator::Generator(const Settings &settings, quint64 seed) : m_settings(settings), m_state(seed) {}

Problem Generator::next()
{
    Draw draw(m_state);
    Problem problem;
    for (int attempt = 0; attempt < 100; ++attempt) {
        problem = makeProblem(quint32(1 + draw.below(kMaxNumber)), m_settings);
        const bool repeated = std::any_of(m_recent.begin(), m_recent.end(),
                                          [&](const Problem &p) { return p.sameAs(problem); });
        // Where the choice is small, a repeat of an older one is better than of the last.
        if (!repeated || (attempt >= 50 && !(m_recent.size() && m_recent.last().sameAs(problem))))
            break;
    }
    m_state = draw.state();
    m_recent << problem;
    if (m_recent.size() > kMemory)
        m_recent.removeFirst();
    return problem;
}

} // namespace practice
