// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solver/rectangle.h"

#include "runtime/numbertext.h"
#include "solver/steps.h"

#include <cfloat>
#include <cmath>
#include <tuple>
#include <utility>

namespace solver {

using runtime::ErrorCode;
using runtime::raise;
using runtime::RuntimeError;

namespace {

const Variant kTwo{qint16(2)};
const Variant kFour{qint16(4)};

// The two given values of a variant, the lower column first. A rectangle has two
// sides greater than 0, so a cell without a number, or a value of 0, has none; a
// step records each value that a cell gave.
std::array<Variant, 2> givenValues(const runtime::NumberReader &reader, const CellTexts &cells,
                                   int variant, Steps *steps)
{
    std::array<Variant, 2> values;
    runtime::Quantities missing = 0;
    runtime::Quantities zero = 0;
    for (int i = 0; i < 2; ++i) {
        const int column = kGivenColumns[variant][i];
        bool found = false;
        const double value = reader.read(cells.text(qint16(variant * kColumnCount + column)), &found);
        if (!found)
            missing |= runtime::quantity(column);
        else if (value == 0.0)
            zero |= runtime::quantity(column);
        if (found && steps)
            steps->add(Formula::Given, Target(column), {value});
        values[std::size_t(i)] = Variant(value);
    }
    if (missing)
        raise(ErrorCode::NoNumberGiven, missing);
    if (zero)
        raise(ErrorCode::GivenValueZero, zero);
    return values;
}

// A side computed from values that have a rectangle came out 0: too small beside
// the other side for a double to tell it from 0.
void checkSide(const Variant &side)
{
    if (!(side.toDouble() > 0.0))
        raise(ErrorCode::SideUnderflow);
}

std::pair<Variant, Variant> pair(const std::array<Variant, 2> &values)
{
    return {values[0], values[1]};
}

double number(const Variant &value)
{
    return value.toDouble();
}

Variant root(const Variant &value)
{
    return Variant(runtime::squareRoot(value.toDouble()));
}

// The diagonal sqrt(x*x + y*y), the left square first.
Variant diagonal(const Variant &x, const Variant &y, Steps *steps)
{
    const Variant xx = x * x;
    const Variant sum = xx + y * y;
    Variant d = root(sum);
    if (steps)
        steps->add(Formula::Diagonal, Target::D, {number(x), number(y), number(sum), number(d)});
    return d;
}

// The perimeter 2*(x + y), the sum first and the integer 2 on the left.
Variant perimeter(const Variant &x, const Variant &y, Steps *steps)
{
    const Variant sum = x + y;
    Variant P = kTwo * sum;
    if (steps)
        steps->add(Formula::Perimeter, Target::P, {number(x), number(y), number(sum), number(P)});
    return P;
}

Variant area(const Variant &x, const Variant &y, Steps *steps)
{
    Variant S = x * y;
    if (steps)
        steps->add(Formula::Area, Target::S, {number(x), number(y), number(S)});
    return S;
}

// The other side from the diagonal: sqrt(d*d - s*s). A side as long as the
// diagonal or longer has no rectangle.
Variant otherSideFromDiagonal(const Variant &d, const Variant &side, Target other, Steps *steps)
{
    const Variant dd = d * d;
    const Variant difference = dd - side * side;
    if (!(difference.toDouble() > 0.0))
        raise(compare(side, d) < 0 ? ErrorCode::SideUnderflow : ErrorCode::SideLongerThanDiagonal);
    Variant result = root(difference);
    if (steps) {
        steps->add(Formula::OtherFromDiagonal, other,
                   {number(d), number(side), number(difference), number(result)});
    }
    return result;
}

// The other side from the perimeter: P/2 - s; a side of P/2 or more has no rectangle.
Variant otherSideFromPerimeter(const Variant &P, const Variant &side, Target other, Steps *steps)
{
    const Variant half = P / kTwo;
    Variant result = half - side;
    if (!(result.toDouble() > 0.0))
        raise(ErrorCode::SideLongerThanHalfPerimeter);
    if (steps) {
        steps->add(Formula::OtherFromPerimeter, other,
                   {number(P), number(side), number(half), number(result)});
    }
    return result;
}

// The other side from the area: S/s, for a side that is not 0.
Variant otherSideFromArea(const Variant &S, const Variant &side, Target other, Steps *steps)
{
    Variant result = S / side;
    checkSide(result);
    if (steps)
        steps->add(Formula::OtherFromArea, other, {number(S), number(side), number(result)});
    return result;
}

// Runs ComputeSides and says in the variant's own terms why there are no sides.
void computeSidesOrExplain(FormValues &form, WorkingValues &out, ErrorCode whyNone,
                           Steps *steps)
{
    try {
        ComputeSides(form, steps);
    } catch (const RuntimeError &error) {
        if (error.code() == ErrorCode::NoSidesForSumAndProduct)
            raise(whyNone);
        throw;
    }
    out.a = form.SideOne;
    out.b = form.SideTwo;
}

// One side and the diagonal, perimeter or area: the side's column comes first, so
// it is read first; the other side follows from the second quantity.
template <bool Recording>
void solveFromOneSide(const std::array<Variant, 2> &givens, int variant, Variant &side,
                      Variant &other, WorkingValues &out, Steps *steps_)
{
    Steps *const steps = Recording ? steps_ : nullptr;
    auto &[a, b, d, P, S] = out;
    const auto [sideColumn, secondColumn] = kGivenColumns[variant];
    const Target otherTarget = sideColumn == SideA ? Target::B : Target::A;
    side = givens[0];
    switch (secondColumn) {
    case Diagonal:
        d = givens[1];
        other = otherSideFromDiagonal(d, side, otherTarget, steps);
        P = perimeter(a, b, steps);
        S = area(a, b, steps);
        break;
    case Perimeter:
        P = givens[1];
        other = otherSideFromPerimeter(P, side, otherTarget, steps);
        d = diagonal(a, b, steps);
        S = area(a, b, steps);
        break;
    case Area:
        S = givens[1];
        other = otherSideFromArea(S, side, otherTarget, steps);
        d = diagonal(a, b, steps);
        P = perimeter(a, b, steps);
        break;
    }
}

// Instantiated twice, so that without steps the compiler drops every test for them.
template <bool Recording>
void solve(const Variant &SelectedVariant, const CellTexts &cells, FormValues &form,
           WorkingValues &out, Steps *steps_)
{
    Steps *const steps = Recording ? steps_ : nullptr;
    auto &[a, b, d, P, S] = out;
    const runtime::NumberReader reader; // the default locale, asked for once per solve

    if (SelectedVariant == Variant(qint16(0))) {
        std::tie(a, b) = pair(givenValues(reader, cells, 0, steps));
        d = diagonal(a, b, steps);
        P = perimeter(a, b, steps);
        S = area(a, b, steps);
    }
    // Variants 2 to 4 give side a and one more quantity; 5 to 7 give side b and the
    // same three, with the two sides' roles swapped.
    for (qint16 r = 1; r <= 6; ++r) {
        if (SelectedVariant == Variant(r))
            solveFromOneSide<Recording>(givenValues(reader, cells, r, steps), r, r <= 3 ? a : b,
                                        r <= 3 ? b : a, out, steps);
    }
    if (SelectedVariant == Variant(qint16(7))) {
        std::tie(d, P) = pair(givenValues(reader, cells, 7, steps));
        form.HalfPerimeter = P / kTwo;
        if constexpr (Recording)
            steps->add(Formula::SumFromPerimeter, Target::Sum, {number(P), number(form.HalfPerimeter)});
        const Variant square = P * P;
        const Variant quarterSquare = square / kFour;
        const Variant dd = d * d;
        const Variant difference = quarterSquare - dd;
        form.AreaValue = (difference / kTwo).toDouble();
        if constexpr (Recording) {
            steps->add(Formula::ProductFromDiagonal, Target::Product,
                       {number(d), number(P), number(square), number(quarterSquare), number(dd),
                        number(difference), form.AreaValue});
        }
        // A diagonal of P/2 or more leaves a side of 0 or less; just below P/2 a side
        // can come out 0 all the same, too small beside the other.
        if (!(form.AreaValue > 0.0)) {
            raise(compare(d, form.HalfPerimeter) < 0 ? ErrorCode::SideUnderflow
                                                     : ErrorCode::DiagonalLongerThanHalfPerimeter);
        }
        computeSidesOrExplain(form, out, ErrorCode::DiagonalTooShortForPerimeter, steps);
        S = area(a, b, steps);
    }
    if (SelectedVariant == Variant(qint16(8))) {
        std::tie(d, S) = pair(givenValues(reader, cells, 8, steps));
        const Variant dd = d * d;
        const Variant twiceArea = kTwo * S;
        const Variant sum = dd + twiceArea;
        form.HalfPerimeter = root(sum);
        form.AreaValue = S.toDouble();
        if constexpr (Recording) {
            steps->add(Formula::SumFromDiagonal, Target::Sum,
                       {number(d), number(S), number(dd), number(twiceArea), number(sum),
                        number(form.HalfPerimeter)});
            steps->add(Formula::ProductIsArea, Target::Product, {form.AreaValue});
        }
        computeSidesOrExplain(form, out, ErrorCode::AreaTooLargeForDiagonal, steps);
        P = perimeter(a, b, steps);
    }
    if (SelectedVariant == Variant(qint16(9))) {
        std::tie(P, S) = pair(givenValues(reader, cells, 9, steps));
        form.HalfPerimeter = P / kTwo;
        form.AreaValue = S.toDouble();
        if constexpr (Recording) {
            steps->add(Formula::SumFromPerimeter, Target::Sum, {number(P), number(form.HalfPerimeter)});
            steps->add(Formula::ProductIsArea, Target::Product, {form.AreaValue});
        }
        computeSidesOrExplain(form, out, ErrorCode::AreaTooLargeForPerimeter, steps);
        d = diagonal(a, b, steps);
    }
}

} // namespace

void ComputeSides(FormValues &form, Steps *steps)
{
    const double q = form.AreaValue * 4.0;
    if (!std::isfinite(q))
        raise(ErrorCode::FloatingPoint);

    const Variant square = form.HalfPerimeter * form.HalfPerimeter;
    const double difference = (square - Variant(q)).toDouble();
    double discriminant = difference;
    if (discriminant < 0.0) {
        // A square typed in decimals often lands a rounding error below zero: P = 0.84
        // and S = 0.0441 give -2.8e-17. Within a few units in the last place of the
        // terms the values cannot be told from a square's, so they are solved as one.
        const double tolerance = 4.0 * DBL_EPSILON * square.toDouble();
        if (-discriminant > tolerance) {
            if (steps) {
                steps->add(Formula::Discriminant, Target::Discriminant,
                           {number(form.HalfPerimeter), form.AreaValue, number(square), q,
                            difference, difference});
            }
            raise(ErrorCode::NoSidesForSumAndProduct);
        }
        discriminant = 0.0;
    }
    const Variant s(runtime::squareRoot(discriminant));
    // Where the smaller root is lost beside the larger one, the sides stay as they were.
    const Variant one = (form.HalfPerimeter - s) / kTwo;
    checkSide(one);
    form.SideOne = one;
    form.SideTwo = form.HalfPerimeter - form.SideOne;
    if (steps) {
        const double sum = number(form.HalfPerimeter);
        const double one = number(form.SideOne);
        steps->add(Formula::Discriminant, Target::Discriminant,
                   {sum, form.AreaValue, number(square), q, difference, discriminant});
        steps->add(Formula::SmallerRoot, Target::A, {sum, discriminant, number(s), one});
        steps->add(Formula::LargerRoot, Target::B, {sum, one, number(form.SideTwo)});
    }
}

void SolveVariant(const Variant &SelectedVariant, const CellTexts &cells, FormValues &form,
                  WorkingValues &out, Steps *steps)
{
    if (!steps) {
        solve<false>(SelectedVariant, cells, form, out, nullptr);
        return;
    }
    *steps = Steps{};
    if (SelectedVariant.isInteger() || SelectedVariant.isDouble())
        steps->variant = int(SelectedVariant.toDouble());
    try {
        solve<true>(SelectedVariant, cells, form, out, steps);
    } catch (const RuntimeError &error) {
        steps->failed = true;
        steps->error = error.code();
        steps->about = error.about();
        throw;
    }
}

} // namespace solver
