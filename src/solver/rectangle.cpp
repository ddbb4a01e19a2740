#include "solver/rectangle.h"

#include "runtime/numbertext.h"

#include <cfloat>
#include <cmath>

namespace solver {

using runtime::ErrorCode;
using runtime::raise;
using runtime::RuntimeError;

namespace {

const Variant kTwo{qint16(2)};
const Variant kFour{qint16(4)};

Variant given(const runtime::NumberReader &reader, const CellTexts &cells, int variant, int column)
{
    return Variant(reader.read(cells.text(qint16(variant * kColumnCount + column))));
}

Variant root(const Variant &value)
{
    return Variant(runtime::squareRoot(value.toDouble()));
}

// x*x + y*y, the left square first.
Variant sumOfSquares(const Variant &x, const Variant &y)
{
    const Variant xx = x * x;
    return xx + y * y;
}

// 2*(x + y), the sum first and the integer 2 on the left.
Variant twiceSum(const Variant &x, const Variant &y)
{
    const Variant sum = x + y;
    return kTwo * sum;
}

// The other side from the diagonal: sqrt(d*d - s*s). A side longer than the
// diagonal has no rectangle.
Variant otherSideFromDiagonal(const Variant &d, const Variant &side)
{
    const Variant dd = d * d;
    const Variant difference = dd - side * side;
    if (difference.toDouble() < 0.0)
        raise(ErrorCode::SideLongerThanDiagonal);
    return root(difference);
}

// The other side from the perimeter: P/2 - s; a side above P/2 has no rectangle.
Variant otherSideFromPerimeter(const Variant &P, const Variant &side)
{
    const Variant half = P / kTwo;
    Variant other = half - side;
    if (other.toDouble() < 0.0)
        raise(ErrorCode::SideLongerThanHalfPerimeter);
    return other;
}

// The other side from the area: S/s; a zero side leaves it undetermined.
Variant otherSideFromArea(const Variant &S, const Variant &side)
{
    if (side.toDouble() == 0.0)
        raise(ErrorCode::SideZeroWithArea);
    return S / side;
}

// Runs ComputeSides and says in the variant's own terms why there are no sides.
void computeSidesOrExplain(FormValues &form, WorkingValues &out, ErrorCode whyNone)
{
    try {
        ComputeSides(form);
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
void solveFromOneSide(const runtime::NumberReader &reader, const CellTexts &cells, int variant,
                      Variant &side, Variant &other, WorkingValues &out)
{
    auto &[a, b, d, P, S] = out;
    const auto [sideColumn, secondColumn] = kGivenColumns[variant];
    side = given(reader, cells, variant, sideColumn);
    switch (secondColumn) {
    case Diagonal:
        d = given(reader, cells, variant, Diagonal);
        other = otherSideFromDiagonal(d, side);
        P = twiceSum(a, b);
        S = a * b;
        break;
    case Perimeter:
        P = given(reader, cells, variant, Perimeter);
        other = otherSideFromPerimeter(P, side);
        d = root(sumOfSquares(a, b));
        S = a * b;
        break;
    case Area:
        S = given(reader, cells, variant, Area);
        other = otherSideFromArea(S, side);
        d = root(sumOfSquares(a, b));
        P = twiceSum(a, b);
        break;
    }
}

} // namespace

void ComputeSides(FormValues &form)
{
    const double q = form.AreaValue * 4.0;
    if (!std::isfinite(q))
        raise(ErrorCode::FloatingPoint);

    const Variant square = form.HalfPerimeter * form.HalfPerimeter;
    double discriminant = (square - Variant(q)).toDouble();
    if (discriminant < 0.0) {
        // A square typed in decimals often lands a rounding error below zero: P = 0.84
        // and S = 0.0441 give -2.8e-17. Within a few units in the last place of the
        // terms the values cannot be told from a square's, so they are solved as one.
        const double tolerance = 4.0 * DBL_EPSILON * square.toDouble();
        if (-discriminant > tolerance)
            raise(ErrorCode::NoSidesForSumAndProduct);
        discriminant = 0.0;
    }
    const Variant s(runtime::squareRoot(discriminant));
    form.SideOne = (form.HalfPerimeter - s) / kTwo;
    form.SideTwo = form.HalfPerimeter - form.SideOne;
}

void SolveVariant(const Variant &SelectedVariant, const CellTexts &cells, FormValues &form,
                  WorkingValues &out)
{
    auto &[a, b, d, P, S] = out;
    const runtime::NumberReader reader; // the default locale, asked for once per solve

    if (SelectedVariant == Variant(qint16(0))) {
        a = given(reader, cells, 0, SideA);
        b = given(reader, cells, 0, SideB);
        d = root(sumOfSquares(a, b));
        P = twiceSum(a, b);
        S = a * b;
    }
    // Variants 2 to 4 give side a and one more quantity; 5 to 7 give side b and the
    // same three, with the two sides' roles swapped.
    for (qint16 r = 1; r <= 6; ++r) {
        if (SelectedVariant == Variant(r))
            solveFromOneSide(reader, cells, r, r <= 3 ? a : b, r <= 3 ? b : a, out);
    }
    if (SelectedVariant == Variant(qint16(7))) {
        d = given(reader, cells, 7, Diagonal);
        P = given(reader, cells, 7, Perimeter);
        form.HalfPerimeter = P / kTwo;
        const Variant quarterSquare = (P * P) / kFour;
        const Variant difference = quarterSquare - d * d;
        form.AreaValue = (difference / kTwo).toDouble();
        if (form.AreaValue < 0.0)
            raise(ErrorCode::DiagonalLongerThanHalfPerimeter);
        computeSidesOrExplain(form, out, ErrorCode::DiagonalTooShortForPerimeter);
        S = a * b;
    }
    if (SelectedVariant == Variant(qint16(8))) {
        d = given(reader, cells, 8, Diagonal);
        S = given(reader, cells, 8, Area);
        const Variant dd = d * d;
        form.HalfPerimeter = root(dd + kTwo * S);
        form.AreaValue = S.toDouble();
        computeSidesOrExplain(form, out, ErrorCode::AreaTooLargeForDiagonal);
        P = twiceSum(a, b);
    }
    if (SelectedVariant == Variant(qint16(9))) {
        P = given(reader, cells, 9, Perimeter);
        S = given(reader, cells, 9, Area);
        form.HalfPerimeter = P / kTwo;
        form.AreaValue = S.toDouble();
        computeSidesOrExplain(form, out, ErrorCode::AreaTooLargeForPerimeter);
        d = root(sumOfSquares(a, b));
    }
}

} // namespace solver
