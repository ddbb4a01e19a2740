// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solver/exactsteps.h"

#include <cfloat>
#include <cmath>

namespace solver {

using exact::Value;

namespace {

// One rounding of a double operation moves its result by at most this part of it.
constexpr double kUnit = DBL_EPSILON / 2;
// The bounds below are first-order; a few units in the last place of room covers
// the rest.
constexpr double kSlack = 4.0;

// What is known of a quantity: its exact value (none when out of range or unchecked),
// the double the solver computed and a bound on how far that double is from it.
struct Known
{
    const Value *exact = nullptr;
    double value = 0.0;
    double bound = 0.0;
};

} // namespace

// Works out the exact value of each recorded number in the order the solver computed
// them, carrying for each double a bound on its distance from the exact value: the
// given value's own rounding, then at each operation what its operands' bounds allow
// plus the operation's rounding.
class ExactEvaluation
{
public:
    ExactEvaluation(const Steps &steps, ExactSteps &out) : m_steps(steps), m_out(out) {}

    void run()
    {
        for (m_index = 0; m_index < m_steps.count(); ++m_index) {
            const Step &step = m_steps[m_index];
            m_step = &step;
            double bound = 0.0;
            try {
                bound = evaluate(step);
            } catch (const std::overflow_error &) {
                // Out of the exact range: the numbers worked out so far stay.
            }
            m_known[std::size_t(step.target)] =
                Known{number(step.count - 1), step.value(), bound};
        }
    }

private:
    using Number = ExactSteps::Number;

    const Value *number(int i) const
    {
        const Number &n = m_out.m_numbers[std::size_t(m_index)][std::size_t(i)];
        return n ? &*n : nullptr;
    }

    double n(int i) const { return m_step->numbers[std::size_t(i)]; }

    // An input taken from an earlier step, or nothing when that has no exact value.
    const Known *input(int i, Target target)
    {
        const Known &known = m_known[std::size_t(target)];
        if (!known.exact)
            return nullptr;
        m_out.m_numbers[std::size_t(m_index)][std::size_t(i)] = *known.exact;
        return &known;
    }

    // Number i is the exact value when the double lies within the bound of it.
    bool accept(int i, const Value &value, double bound)
    {
        return keep(i, value, exact::agrees(value, n(i), kSlack * bound));
    }

    // Number i is the square root of radicand (number r): its square must lie within the
    // radicand's bound. Returns the bound of the root itself, or -1 when it failed.
    double acceptRoot(int i, int r, double radicandBound)
    {
        const Value *radicand = number(r);
        if (!radicand)
            return -1.0;
        const Value root = exact::squareRoot(*radicand);
        const double square = n(r);
        if (!keep(i, root, exact::squareAgrees(*radicand, n(i), kSlack * (radicandBound + 3 * kUnit * square))))
            return -1.0;
        const double spread = square > 0.0 ? radicandBound / std::sqrt(square) : HUGE_VAL;
        return kUnit * n(i) + std::min(spread, std::sqrt(radicandBound));
    }

    bool keep(int i, const Value &value, bool agrees)
    {
        if (!agrees) {
            ++m_out.m_faults;
            return false;
        }
        ++m_out.m_checked;
        m_out.m_numbers[std::size_t(m_index)][std::size_t(i)] = value;
        return true;
    }

    // The bound of the step's value; throws std::overflow_error out of the exact range.
    double evaluate(const Step &step);

    const Steps &m_steps;
    ExactSteps &m_out;
    int m_index = 0;
    const Step *m_step = nullptr;
    std::array<Known, 8> m_known{};
};

double ExactEvaluation::evaluate(const Step &step)
{
    const double u = kUnit;
    const auto sq = [](double x) { return x * x; };
    switch (step.formula) {
    case Formula::Given: {
        const double bound = u * std::fabs(n(0));
        accept(0, Value::fromDouble(n(0)), bound);
        return bound;
    }
    case Formula::Diagonal:
    case Formula::OtherFromDiagonal: {
        const bool sum = step.formula == Formula::Diagonal;
        const Target first = sum ? Target::A : Target::D;
        const Target second = sum ? Target::B
                                  : (step.target == Target::A ? Target::B : Target::A);
        const Known *x = input(0, first);
        const Known *y = input(1, second);
        if (!x || !y)
            return 0.0;
        const Value xx = *x->exact * *x->exact;
        const Value yy = *y->exact * *y->exact;
        const double bound = 2 * std::fabs(x->value) * x->bound + 2 * std::fabs(y->value) * y->bound
            + 2 * u * (sq(x->value) + sq(y->value));
        if (!accept(2, sum ? xx + yy : xx - yy, bound))
            return 0.0;
        return acceptRoot(3, 2, bound);
    }
    case Formula::OtherFromPerimeter: {
        const Known *P = input(0, Target::P);
        const Known *side = input(1, step.target == Target::A ? Target::B : Target::A);
        if (!P || !side || !accept(2, *P->exact / Value(2), P->bound / 2))
            return 0.0;
        const double bound = P->bound / 2 + side->bound + u * std::fabs(n(3));
        accept(3, *number(2) - *side->exact, bound);
        return bound;
    }
    case Formula::OtherFromArea: {
        const Known *S = input(0, Target::S);
        const Known *side = input(1, step.target == Target::A ? Target::B : Target::A);
        if (!S || !side || side->exact->isZero())
            return 0.0;
        const double bound = (S->bound + std::fabs(n(2)) * side->bound) / std::fabs(side->value)
            + u * std::fabs(n(2));
        accept(2, *S->exact / *side->exact, bound);
        return bound;
    }
    case Formula::Perimeter: {
        const Known *a = input(0, Target::A);
        const Known *b = input(1, Target::B);
        if (!a || !b)
            return 0.0;
        const double bound = a->bound + b->bound + u * std::fabs(n(2));
        if (!accept(2, *a->exact + *b->exact, bound))
            return 0.0;
        accept(3, *number(2) * Value(2), 2 * bound);
        return 2 * bound;
    }
    case Formula::Area: {
        const Known *a = input(0, Target::A);
        const Known *b = input(1, Target::B);
        if (!a || !b)
            return 0.0;
        const double bound = std::fabs(a->value) * b->bound + std::fabs(b->value) * a->bound
            + u * std::fabs(n(2));
        accept(2, *a->exact * *b->exact, bound);
        return bound;
    }
    case Formula::SumFromPerimeter: {
        const Known *P = input(0, Target::P);
        if (P)
            accept(1, *P->exact / Value(2), P->bound / 2);
        return P ? P->bound / 2 : 0.0;
    }
    case Formula::ProductFromDiagonal: {
        const Known *d = input(0, Target::D);
        const Known *P = input(1, Target::P);
        if (!d || !P)
            return 0.0;
        const double squareBound = 2 * std::fabs(P->value) * P->bound + u * n(2);
        const double ddBound = 2 * std::fabs(d->value) * d->bound + u * n(4);
        const double bound = squareBound / 4 + ddBound + u * std::fabs(n(5));
        if (!accept(2, *P->exact * *P->exact, squareBound)
            || !accept(3, *number(2) / Value(4), squareBound / 4)
            || !accept(4, *d->exact * *d->exact, ddBound)
            || !accept(5, *number(3) - *number(4), bound))
            return 0.0;
        accept(6, *number(5) / Value(2), bound / 2);
        return bound / 2;
    }
    case Formula::SumFromDiagonal: {
        const Known *d = input(0, Target::D);
        const Known *S = input(1, Target::S);
        if (!d || !S)
            return 0.0;
        const double ddBound = 2 * std::fabs(d->value) * d->bound + u * n(2);
        const double bound = ddBound + 2 * S->bound + u * n(4);
        if (!accept(2, *d->exact * *d->exact, ddBound)
            || !accept(3, *S->exact * Value(2), 2 * S->bound)
            || !accept(4, *number(2) + *number(3), bound))
            return 0.0;
        return acceptRoot(5, 4, bound);
    }
    case Formula::ProductIsArea: {
        const Known *S = input(0, Target::S);
        return S ? S->bound : 0.0;
    }
    case Formula::Discriminant: {
        const Known *s = input(0, Target::Sum);
        const Known *p = input(1, Target::Product);
        if (!s || !p)
            return 0.0;
        const double squareBound = 2 * std::fabs(s->value) * s->bound + u * n(2);
        const double bound = squareBound + 4 * p->bound + u * std::fabs(n(4));
        if (!accept(2, *s->exact * *s->exact, squareBound)
            || !accept(3, *p->exact * Value(4), 4 * p->bound)
            || !accept(4, *number(2) - *number(3), bound))
            return 0.0;
        // A difference a rounding error below 0 is solved as 0: exact only when it is 0.
        if (n(5) == n(4) || number(4)->isZero())
            accept(5, *number(4), bound + std::fabs(n(4) - n(5)));
        return bound + std::fabs(n(4) - n(5));
    }
    case Formula::SmallerRoot: {
        const Known *s = input(0, Target::Sum);
        const Known *D = input(1, Target::Discriminant);
        if (!s || !D)
            return 0.0;
        const double rootBound = acceptRoot(2, 1, D->bound);
        if (rootBound < 0.0)
            return 0.0;
        const double bound = (s->bound + rootBound + u * std::fabs(n(0) - n(2))) / 2;
        accept(3, (*s->exact - *number(2)) / Value(2), bound);
        return bound;
    }
    case Formula::LargerRoot: {
        const Known *s = input(0, Target::Sum);
        const Known *one = input(1, Target::A);
        if (!s || !one)
            return 0.0;
        const double bound = s->bound + one->bound + u * std::fabs(n(2));
        accept(2, *s->exact - *one->exact, bound);
        return bound;
    }
    }
    return 0.0;
}

ExactSteps::ExactSteps(const Steps &steps)
{
    ExactEvaluation(steps, *this).run();
}

} // namespace solver
