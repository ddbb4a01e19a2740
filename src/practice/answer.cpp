// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practice/answer.h"

#include "runtime/numbertext.h"
#include "solver/workingtext.h"

#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

namespace practice {

using solver::exact::Int;
using solver::exact::Value;

namespace {

const QString kExample = u"напишете число като 5,2 или 3√3"_s;

bool isBlank(QChar c)
{
    return c.isSpace() || c == u'\u00a0' || c == u'\u202f' || c == u'\u2060';
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// A decimal with its one separator, a comma or a point, as the locale writes it, so
// that the calculator's own reader takes it whatever the locale groups with.
QString withLocalePoint(QString text)
{
    const qsizetype comma = text.count(u','), point = text.count(u'.');
    if (comma + point == 1) {
        const qsizetype at = comma ? text.indexOf(u',') : text.indexOf(u'.');
        text.replace(at, 1, QLocale().decimalPoint());
    }
    return text;
}

// The digits typed after the decimal separator of a plain decimal.
int decimalsTyped(const QString &text)
{
    qsizetype at = text.lastIndexOf(u',');
    at = std::max(at, text.lastIndexOf(u'.'));
    at = std::max(at, text.lastIndexOf(QLocale().decimalPoint()));
    if (at < 0)
        return 0;
    int count = 0;
    for (qsizetype i = at + 1; i < text.size() && isDigit(text[i]); ++i)
        ++count;
    return count;
}

// The sign of an exact value; of a sum of roots, from its approximation, which for
// numbers of school size is far from 0 unless the value is 0.
int signOf(const Value &value)
{
    if (value.isRational())
        return value.sign();
    long double error = 0.0L;
    const long double approximate = value.approximate(&error);
    return approximate > 0.0L ? 1 : approximate < 0.0L ? -1 : 0;
}

Value powerOfTen(int exponent)
{
    Int power = 1;
    for (int i = 0; i < exponent; ++i)
        power *= 10;
    return Value(power);
}

// True when truth rounded to this many decimals, halves up, is the decimal.
bool roundsTo(const Value &truth, const Value &decimal, int decimals)
{
    const Value half = Value::fraction(1, 2) / powerOfTen(decimals);
    return signOf(truth - (decimal - half)) >= 0 && signOf(decimal + half - truth) > 0;
}

// A recursive descent over the exact forms a pupil writes: sums and differences of
// products and quotients of numbers, roots and parenthesised forms.
class Parser
{
public:
    explicit Parser(const QString &text) : m_text(text) {}

    Reading read()
    {
        Reading reading;
        try {
            skipBlanks();
            Part part = sum();
            skipBlanks();
            if (m_failed || m_at < m_text.size()) {
                reading.unread = m_text.mid(m_at).trimmed();
                if (reading.unread.isEmpty())
                    reading.unread = m_text.trimmed();
                return reading;
            }
            reading.ok = true;
            reading.value = part.value;
            reading.simplified = part.simplified;
        } catch (const std::overflow_error &) {
            reading.unread = m_text.trimmed();
        }
        return reading;
    }

private:
    struct Part
    {
        Value value;
        int terms = 0; // terms as written, before like ones were added up
        bool simplified = true;
    };

    void skipBlanks()
    {
        while (m_at < m_text.size() && isBlank(m_text[m_at]))
            ++m_at;
    }

    QChar peek()
    {
        skipBlanks();
        return m_at < m_text.size() ? m_text[m_at] : QChar();
    }

    bool take(QChar c)
    {
        if (peek() != c)
            return false;
        ++m_at;
        return true;
    }

    Part fail()
    {
        m_failed = true;
        return Part{};
    }

    Part sum()
    {
        bool negative = false;
        if (take(u'-'))
            negative = true;
        else
            take(u'+');
        Part total = product();
        if (negative)
            total.value = Value(0) - total.value;
        while (!m_failed) {
            const QChar c = peek();
            if (c != u'+' && c != u'-')
                break;
            ++m_at;
            const Part next = product();
            const Value value = c == u'+' ? total.value + next.value : total.value - next.value;
            const int written = total.terms + next.terms;
            total = Part{value, value.termCount(),
                         total.simplified && next.simplified && value.termCount() == written};
        }
        return total;
    }

    Part product()
    {
        Part left = factor();
        while (!m_failed) {
            const QChar c = peek();
            if (c == u'/' || c == u':') {
                ++m_at;
                const Part divisor = factor();
                if (m_failed || !divisor.value.isRational() || divisor.value.isZero())
                    return fail();
                const Value value = left.value / divisor.value;
                // Nothing cancels: the typed denominator is the value's.
                const bool lowest = divisor.value.denominator() == 1 && divisor.value.sign() > 0
                    && divisor.value.numerator() != 1
                    && value.denominator() == left.value.denominator() * divisor.value.numerator();
                left = Part{value, value.termCount(), left.simplified && divisor.simplified && lowest};
            } else if (c == u'*' || c == u'·' || c == u'×' || c == u'√' || c == u'(') {
                if (c != u'√' && c != u'(')
                    ++m_at;
                const Part right = factor();
                const Value value = left.value * right.value;
                // Roots multiplied together have a simpler form.
                const bool plain = left.value.isRational() || right.value.isRational();
                left = Part{value, plain ? std::max(left.terms, right.terms) : value.termCount(),
                            left.simplified && right.simplified && plain};
            } else {
                break;
            }
        }
        return left;
    }

    Part factor()
    {
        const QChar c = peek();
        if (c == u'(') {
            ++m_at;
            Part inner = sum();
            if (!take(u')'))
                return fail();
            return inner;
        }
        if (c == u'√') {
            ++m_at;
            const Part radicand = peek() == u'(' ? factor() : number();
            if (m_failed || !radicand.value.isRational() || radicand.value.sign() < 0)
                return fail();
            const Value root = solver::exact::squareRoot(radicand.value);
            // Simplified: a whole radicand above 1 with no square factor.
            const bool squareFree = radicand.value.denominator() == 1 && radicand.value.numerator() > 1
                && root == Value::surd(1, radicand.value.numerator().convert_to<quint64>());
            return Part{root, 1, radicand.simplified && squareFree};
        }
        return number();
    }

    // Digits with one decimal separator, a comma or a point; read by the calculator's
    // own reader.
    Part number()
    {
        skipBlanks();
        const qsizetype start = m_at;
        while (m_at < m_text.size() && isDigit(m_text[m_at]))
            ++m_at;
        // Thousands apart, as the working writes them: "107 354".
        while (m_at > start && m_at + 3 < m_text.size() && isBlank(m_text[m_at])
               && isDigit(m_text[m_at + 1]) && isDigit(m_text[m_at + 2]) && isDigit(m_text[m_at + 3])
               && (m_at + 4 == m_text.size() || !isDigit(m_text[m_at + 4])))
            m_at += 4;
        if (m_at > start && m_at + 1 < m_text.size() && (m_text[m_at] == u',' || m_text[m_at] == u'.')
            && isDigit(m_text[m_at + 1])) {
            ++m_at;
            while (m_at < m_text.size() && isDigit(m_text[m_at]))
                ++m_at;
        }
        double value = 0.0;
        if (m_at == start || !runtime::parseWholeNumber(withLocalePoint(m_text.mid(start, m_at - start)), &value)) {
            m_at = start;
            return fail();
        }
        const Value exact = Value::fromDouble(value);
        return Part{exact, exact.isZero() ? 0 : 1, true};
    }

    QString m_text;
    qsizetype m_at = 0;
    bool m_failed = false;
};

// The ways of writing the signs that a keyboard or a textbook has.
QString normalised(QString text)
{
    text.replace(u'−', u'-').replace(u'–', u'-').replace(u'÷', u':');
    text.replace(u"sqrt"_s, u"√"_s, Qt::CaseInsensitive);
    return text;
}

QString hundredths(const Value &truth)
{
    long double error = 0.0L;
    return solver::working::schoolMinus(runtime::twoDecimalText(double(truth.approximate(&error))));
}

} // namespace

Reading readAnswer(const QString &text)
{
    Reading reading;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return reading;
    double value = 0.0;
    const QString decimal = withLocalePoint(normalised(trimmed));
    if (runtime::parseWholeNumber(decimal, &value)) {
        try {
            reading.value = Value::fromDouble(value);
            reading.ok = true;
            reading.decimal = true;
            const bool exponent = decimal.contains(u'e', Qt::CaseInsensitive);
            reading.decimals = exponent ? std::max(0, solver::exact::decimalPlaces(reading.value)) : decimalsTyped(decimal);
        } catch (const std::overflow_error &) {
            reading.unread = trimmed;
        }
        return reading;
    }
    return Parser(normalised(trimmed)).read();
}

Check checkAnswer(const QString &text, const Value &truth, Level level)
{
    Check check;
    const Reading reading = readAnswer(text);
    if (!reading.ok) {
        check.message = reading.unread.isEmpty() ? u"няма отговор: "_s + kExample
                                                 : u"не се чете „"_s + reading.unread + u"“: "_s + kExample;
        return check;
    }
    const QString simple = solver::working::form(truth).text;
    if (reading.value == truth) {
        if (reading.decimal || reading.simplified) {
            check.verdict = Verdict::Right;
            check.counts = true;
            check.message = u"вярно"_s;
        } else {
            check.verdict = Verdict::Almost;
            check.counts = level == Level::Roots;
            check.message = u"вярно; опростено е "_s + simple;
        }
        return check;
    }
    check.verdict = Verdict::Wrong;
    check.message = u"грешно"_s;
    if (!reading.decimal)
        return check;
    try {
        // Rounded to the places typed, or, for a long decimal that a double shortened,
        // to the places it kept.
        const int kept = solver::exact::decimalPlaces(reading.value);
        for (const int places : {reading.decimals, kept}) {
            if (places >= 2 && roundsTo(truth, reading.value, places)) {
                check.verdict = Verdict::Right;
                check.counts = true;
                check.message = u"вярно"_s;
                return check;
            }
        }
        if (reading.decimals < 2 && roundsTo(truth, reading.value, reading.decimals)) {
            check.verdict = Verdict::Almost;
            check.message = u"почти: до стотни е "_s + hundredths(truth);
        }
    } catch (const std::overflow_error &) {
    }
    return check;
}

Check checkAnswer(const Problem &problem, int column, const QString &text)
{
    // "5,2 см": the unit of the field after the number is no part of it.
    QString answer = text.trimmed();
    const QString unit = problem.unitAfter(column);
    if (!unit.isEmpty() && answer.endsWith(unit) && answer.size() > unit.size())
        answer.chop(unit.size());
    if (const auto &truth = problem.exact(column))
        return checkAnswer(answer, *truth, problem.level());
    // Every problem made has its exact values; a value without one is judged by the
    // double it has, as a decimal to the digits it shows.
    return checkAnswer(answer, Value::fromDouble(problem.value(column)), problem.level());
}

} // namespace practice
