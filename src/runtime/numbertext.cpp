#include "runtime/numbertext.h"

#include "runtime/errors.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace runtime {

namespace {

// A double is fixed by its first 767 significant decimal digits and whether any
// nonzero digit follows them, so longer mantissas are cut there with a sticky 1.
constexpr std::size_t kSignificantDigits = 780;

// Beyond this the value is 0 or overflows whatever the digits are.
constexpr long long kExponentLimit = 100000;

struct Separators
{
    QString decimal;
    QString group;
    QString minus;
    QString plus;
    bool pointIsDecimal; // a point is accepted as a decimal separator too
};

Separators separatorsOf(const QLocale &locale)
{
    Separators s{locale.decimalPoint(), locale.groupSeparator(), locale.negativeSign(),
                 locale.positiveSign(), false};
    s.pointIsDecimal = s.group != QLatin1String(".");
    return s;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool startsAt(QStringView text, qsizetype pos, const QString &what)
{
    return !what.isEmpty() && text.sliced(pos).startsWith(what);
}

struct Scanned
{
    bool found = false;    // at least one mantissa digit
    bool negative = false;
    qsizetype end = 0;     // index after the last character of the number
    std::string significant; // mantissa digits without leading zeros, cut with a sticky 1
    long long exponent = 0;  // value = 0.significant * 10^exponent
};

Scanned scan(QStringView text, const Separators &sep)
{
    Scanned out;
    const qsizetype n = text.size();
    qsizetype pos = 0;
    while (pos < n && text[pos].isSpace())
        ++pos;

    if (pos < n && (text[pos] == u'-' || text[pos] == u'\u2212')) {
        out.negative = true;
        ++pos;
    } else if (startsAt(text, pos, sep.minus)) {
        out.negative = true;
        pos += sep.minus.size();
    } else if (pos < n && text[pos] == u'+') {
        ++pos;
    } else if (startsAt(text, pos, sep.plus)) {
        pos += sep.plus.size();
    }

    bool anyDigit = false;
    bool seenNonZero = false;
    bool sticky = false;
    long long integerDigits = 0; // significant digits before the separator
    long long leadingFractionZeros = 0;

    auto takeDigit = [&](QChar c, bool inFraction) {
        anyDigit = true;
        if (!seenNonZero && c == u'0') {
            if (inFraction)
                ++leadingFractionZeros;
            return;
        }
        seenNonZero = true;
        if (!inFraction && integerDigits < kExponentLimit * 10)
            ++integerDigits;
        if (out.significant.size() < kSignificantDigits)
            out.significant.push_back(static_cast<char>(c.unicode()));
        else if (c != u'0')
            sticky = true;
    };

    // Integer part, with group separators only between digits.
    while (pos < n) {
        if (isDigit(text[pos])) {
            takeDigit(text[pos], false);
            ++pos;
        } else if (anyDigit && startsAt(text, pos, sep.group)
                   && pos + sep.group.size() < n && isDigit(text[pos + sep.group.size()])) {
            pos += sep.group.size();
        } else {
            break;
        }
    }

    // Decimal separator and fraction.
    qsizetype sepLength = 0;
    if (startsAt(text, pos, sep.decimal))
        sepLength = sep.decimal.size();
    else if (sep.pointIsDecimal && pos < n && text[pos] == u'.')
        sepLength = 1;
    if (sepLength > 0 && (anyDigit || (pos + sepLength < n && isDigit(text[pos + sepLength])))) {
        pos += sepLength;
        while (pos < n && isDigit(text[pos])) {
            takeDigit(text[pos], true);
            ++pos;
        }
    }

    if (!anyDigit)
        return out;
    out.found = true;
    out.end = pos;

    // Exponent: a letter E, an optional sign and at least one digit.
    if (pos < n && (text[pos] == u'e' || text[pos] == u'E')) {
        qsizetype p = pos + 1;
        bool negativeExponent = false;
        if (p < n && (text[p] == u'+' || text[p] == u'-')) {
            negativeExponent = text[p] == u'-';
            ++p;
        }
        if (p < n && isDigit(text[p])) {
            long long e = 0;
            while (p < n && isDigit(text[p])) {
                if (e < kExponentLimit * 10)
                    e = e * 10 + (text[p].unicode() - u'0');
                ++p;
            }
            out.exponent = negativeExponent ? -e : e;
            out.end = p;
        }
    }

    if (sticky)
        out.significant.push_back('1');
    out.exponent += seenNonZero ? (integerDigits > 0 ? integerDigits : -leadingFractionZeros) : 0;
    return out;
}

locale_t cLocale()
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return c;
}

double valueOf(const Scanned &s)
{
    if (s.significant.empty())
        return 0.0;
    if (s.exponent > kExponentLimit)
        raise(ErrorCode::Overflow);
    if (s.exponent < -kExponentLimit)
        return 0.0;
    std::string literal;
    literal.reserve(s.significant.size() + 24);
    literal.append(s.negative ? "-0." : "0.");
    literal.append(s.significant);
    literal.push_back('e');
    literal.append(std::to_string(s.exponent));
    const double value = strtod_l(literal.c_str(), nullptr, cLocale());
    if (std::isinf(value))
        raise(ErrorCode::Overflow);
    return value == 0.0 ? 0.0 : value;
}

} // namespace

double readNumber(QStringView text)
{
    const Scanned s = scan(text, separatorsOf(QLocale()));
    return s.found ? valueOf(s) : 0.0;
}

bool parseWholeNumber(QStringView text, double *value)
{
    const Scanned s = scan(text, separatorsOf(QLocale()));
    if (!s.found)
        return false;
    for (qsizetype pos = s.end; pos < text.size(); ++pos) {
        if (!text[pos].isSpace())
            return false;
    }
    *value = valueOf(s);
    return true;
}

QString plainText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    const QLocale locale;
    QString text;
    text.reserve(int(result.ptr - buffer) + 2);
    for (const char *p = buffer; p != result.ptr; ++p) {
        if (*p == '.')
            text += locale.decimalPoint();
        else if (*p == '-' && p == buffer)
            text += locale.negativeSign();
        else
            text += QLatin1Char(*p);
    }
    return text;
}

QString twoDecimalText(double value)
{
    const QLocale locale;
    QString text = locale.toString(std::fabs(value), 'f', 2);
    if (value < 0.0) {
        const bool allZero = std::none_of(text.cbegin(), text.cend(), [](QChar c) {
            return c >= u'1' && c <= u'9';
        });
        if (!allZero)
            text.prepend(locale.negativeSign());
    }
    return text;
}

} // namespace runtime
