// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solver/workingtext.h"

#include "runtime/numbertext.h"

#include <QLocale>

#include <array>
#include <string>

using namespace Qt::StringLiterals;

namespace solver::working {

using exact::Int;
using exact::Value;

namespace {

QString integerText(const Int &value)
{
    const std::string digits = abs(value).str();
    return schoolMinus(runtime::decimalText(
        QByteArrayView(digits.data(), qsizetype(digits.size())), {}, value < 0));
}

// A finite decimal digit for digit when the denominator has no prime factors but 2
// and 5, else "n/d".
QString rationalText(const Int &numerator, const Int &denominator, bool *decimal)
{
    const int places = exact::decimalPlaces(Value::fraction(numerator, denominator));
    *decimal = places >= 0;
    if (*decimal) {
        try {
            Int scaled = abs(numerator);
            for (int i = 0; i < places; ++i)
                scaled *= 10;
            std::string digits = (scaled / denominator).str();
            if (digits.size() <= std::size_t(places))
                digits.insert(0, std::size_t(places) + 1 - digits.size(), '0');
            const std::size_t whole = digits.size() - std::size_t(places);
            return schoolMinus(runtime::decimalText(
                QByteArrayView(digits.data(), qsizetype(whole)),
                QByteArrayView(digits.data() + whole, qsizetype(places)), numerator < 0));
        } catch (const std::overflow_error &) {
            *decimal = false;
        }
    }
    return integerText(numerator) + u'/' + integerText(denominator);
}

QString termText(const Int &coefficient, quint64 radicand)
{
    if (radicand == 1)
        return integerText(coefficient);
    const QString root = u"√"_s + integerText(Int(radicand));
    return coefficient == 1 ? root : integerText(coefficient) + root;
}

} // namespace

QString schoolMinus(QString text)
{
    const QString minus = QLocale().negativeSign();
    if (text.startsWith(minus))
        text.replace(0, minus.size(), u"−"_s);
    return text;
}

QString glued(QString text)
{
    return text.replace(u' ', QChar(u'\u00a0'));
}

Form form(const Value &value)
{
    Form f;
    if (value.isRational()) {
        f.text = rationalText(value.numerator(), value.denominator(), &f.finiteDecimal);
        f.plain = f.finiteDecimal && value.sign() >= 0;
        return f;
    }
    // The positive terms first, the whole part before the roots, larger roots first:
    // "√29 − 3", "(√35 + √15) : 2", "5 + √5".
    // The terms are kept by growing radicand, the whole part first.
    std::array<int, Value::kMaxTerms> order{};
    int count = 0;
    const int roots = value.term(0).radicand == 1 ? 1 : 0;
    for (const bool positive : {true, false}) {
        if (roots == 1 && (value.term(0).coefficient > 0) == positive)
            order[std::size_t(count++)] = 0;
        for (int i = value.termCount() - 1; i >= roots; --i) {
            if ((value.term(i).coefficient > 0) == positive)
                order[std::size_t(count++)] = i;
        }
    }
    QString sum;
    for (int k = 0; k < value.termCount(); ++k) {
        const Value::Term &t = value.term(order[std::size_t(k)]);
        const QString text = termText(abs(t.coefficient), t.radicand);
        const bool positive = t.coefficient > 0;
        sum += k == 0 ? (positive ? text : u"−"_s + text) : (positive ? u" + "_s : u" − "_s) + text;
    }
    f.compound = value.termCount() > 1 || value.denominator() != 1;
    f.sum = value.termCount() > 1 && value.denominator() == 1;
    if (value.denominator() != 1) {
        if (value.termCount() > 1)
            sum = u'(' + sum + u')';
        sum += u'/' + integerText(value.denominator());
    }
    f.text = sum;
    return f;
}

QString twoDecimals(const std::optional<Value> &exact, double computed)
{
    if (exact && exact->isRational()) {
        try {
            // In halves of a hundredth the value is a whole number, and an odd one, only
            // when it lies halfway between two hundredths.
            const Int twice = exact->numerator() * 200;
            if (twice % exact->denominator() == 0 && (twice / exact->denominator()) % 2 != 0) {
                const Int halves = twice / exact->denominator();
                std::string digits = ((abs(halves) + 1) / 2).str();
                if (digits.size() < 3)
                    digits.insert(0, 3 - digits.size(), '0');
                const qsizetype whole = qsizetype(digits.size()) - 2;
                return runtime::decimalText(QByteArrayView(digits.data(), whole),
                                            QByteArrayView(digits.data() + whole, 2), halves < 0);
            }
        } catch (const std::overflow_error &) {
        }
    }
    return runtime::twoDecimalText(computed);
}

QString operand(const Value &value, Operand as)
{
    const Form f = form(value);
    const bool bare = f.plain
        || (as == Operand::Factor && !f.compound && value.termCount() == 1 && value.sign() >= 0
            && !value.isRational());
    return bare ? f.text : u'(' + f.text + u')';
}

QString squared(const Value &value)
{
    const Form f = form(value);
    return (f.plain ? f.text : u'(' + f.text + u')') + u'²';
}

Line::Line(const QString &formula, LengthUnit unit) : m_text(glued(formula)), m_unit(unit) {}

Line &Line::is(const QString &form)
{
    if (!form.isEmpty() && form != m_last) {
        m_text += u" = "_s + glued(form);
        m_last = form;
    }
    return *this;
}

Line &Line::value(const std::optional<Value> &exact, double computed, int power)
{
    if (exact) {
        const Form f = form(*exact);
        const QString after = unit(power);
        if (f.sum && !after.isEmpty()) {
            // The unit belongs to the whole sum, the form before it too where that was it.
            if (f.text == m_last)
                m_text.chop(glued(f.text).size());
            else
                m_text += u" = "_s;
            m_text += glued(u'(' + f.text + u')');
            m_last = f.text;
        } else {
            is(f.text);
        }
        m_text += after;
    }
    return approximately(exact, computed, power);
}

Line &Line::approximately(const std::optional<Value> &exact, double computed, int power)
{
    if (exact && form(*exact).finiteDecimal)
        return *this;
    m_text += u" ≈ "_s + glued(schoolMinus(twoDecimals(exact, computed))) + unit(power);
    return *this;
}

Line &Line::typed(double given, int power)
{
    is(schoolMinus(runtime::plainText(given)));
    m_text += unit(power);
    return *this;
}

QString Line::unit(int power) const
{
    if (m_unit == LengthUnit::None || power == 0)
        return QString();
    return u' ' + unitSymbol(m_unit) + (power == 2 ? u"²"_s : QString());
}

} // namespace solver::working
