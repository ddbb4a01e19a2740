#include "runtime/numbertext.h"

#include "runtime/errors.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>

namespace runtime {

struct NumberSeparators
{
    QString decimal;
    QString group;
    QString minus;
    QString plus;
    bool pointIsDecimal; // a point is accepted as a decimal separator too
};

namespace {

using Separators = NumberSeparators;

// A double is fixed by its first 767 significant decimal digits and whether any
// nonzero digit follows them, so longer mantissas are cut there with a sticky 1.
constexpr std::size_t kSignificantDigits = 780;

// Beyond this the value is 0 or overflows whatever the digits are.
constexpr long long kExponentLimit = 100000;

Separators fetchSeparators(const QLocale &locale)
{
    Separators s{locale.decimalPoint(), locale.groupSeparator(), locale.negativeSign(),
                 locale.positiveSign(), false};
    s.pointIsDecimal = s.group != QLatin1String(".");
    return s;
}

// Where Qt reads the system locale once, from the environment at start-up, its
// separators never change while the program runs; elsewhere Qt asks the system
// each time, and so must we.
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
constexpr bool kSystemLocaleIsFixed = true;
#else
constexpr bool kSystemLocaleIsFixed = false;
#endif

// The separators of a locale. Asking a QLocale for them costs a string each, and for
// the system locale a query, so they are kept for as long as the default locale
// stays the same one: a locale built from Qt's tables never changes.
const Separators &separatorsOf(const QLocale &locale)
{
    struct Cache
    {
        QLocale locale{QLocale::c()};
        Separators separators;
        bool filled = false;
        bool fixed = false; // the locale's separators cannot change
    };
    thread_local Cache cache;
    if (cache.filled && locale == cache.locale) {
        if (!cache.fixed)
            cache.separators = fetchSeparators(locale);
        return cache.separators;
    }
    cache.separators = fetchSeparators(locale);
    cache.locale = locale;
    cache.filled = true;
    cache.fixed = kSystemLocaleIsFixed || locale != QLocale::system();
    return cache.separators;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// True when the text has the nonempty string `what` at pos.
bool startsAt(QStringView text, qsizetype pos, QStringView what)
{
    const qsizetype size = what.size();
    if (size == 0 || size > text.size() - pos)
        return false;
    for (qsizetype i = 0; i < size; ++i) {
        if (text[pos + i] != what[i])
            return false;
    }
    return true;
}

struct Scanned
{
    bool found = false;    // at least one mantissa digit
    bool negative = false;
    qsizetype end = 0;     // index after the last character of the number
    long long exponent = 0;  // value = 0.significant * 10^exponent
    std::size_t digits = 0;  // the length of significant
    // Mantissa digits without leading zeros, cut with a sticky 1; not terminated.
    char significant[kSignificantDigits + 1];
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
        if (!inFraction)
            ++integerDigits;
        if (out.digits < kSignificantDigits)
            out.significant[out.digits++] = static_cast<char>(c.unicode());
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
                // The digits of the text move the value by at most n places, so past
                // this bound it stays beyond the limits whatever the further digits.
                if (e <= n + kExponentLimit)
                    e = e * 10 + (text[p].unicode() - u'0');
                ++p;
            }
            out.exponent = negativeExponent ? -e : e;
            out.end = p;
        }
    }

    if (sticky)
        out.significant[out.digits++] = '1';
    out.exponent += seenNonZero ? (integerDigits > 0 ? integerDigits : -leadingFractionZeros) : 0;
    return out;
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

double valueOf(const Scanned &s)
{
    if (s.digits == 0)
        return 0.0;
    if (s.exponent > kExponentLimit)
        raise(ErrorCode::Overflow);
    if (s.exponent < -kExponentLimit)
        return 0.0;

    // Up to 15 digits make an integer that a double holds exactly, and so does a
    // power of ten up to 1e22; one multiplication or division of the two is then
    // correctly rounded, the same double that strtod gives for the literal below.
    const auto digits = static_cast<long long>(s.digits);
    const long long scale = s.exponent - digits; // value = digits * 10^scale
    if (digits <= 15 && scale >= -22 && scale <= 22) {
        std::uint64_t mantissa = 0;
        for (std::size_t i = 0; i < s.digits; ++i)
            mantissa = mantissa * 10 + std::uint64_t(s.significant[i] - '0');
        const double m = static_cast<double>(mantissa);
        const double magnitude = scale < 0 ? m / kExactPowersOfTen[-scale] : m * kExactPowersOfTen[scale];
        return s.negative ? -magnitude : magnitude; // the first digit is not 0: never zero
    }

    std::string literal;
    literal.reserve(s.digits + 24);
    literal.append(s.negative ? "-0." : "0.");
    literal.append(s.significant, s.digits);
    literal.push_back('e');
    literal.append(std::to_string(s.exponent));
    // from_chars rather than the C library's strtod: it ignores the C locale, and
    // the C libraries of the platforms do not all round long literals correctly.
    double value = 0.0;
    const auto [end, error] = std::from_chars(literal.data(), literal.data() + literal.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        if (s.exponent > 0)
            raise(ErrorCode::Overflow);
        return 0.0;
    }
    if (std::isinf(value))
        raise(ErrorCode::Overflow);
    return value == 0.0 ? 0.0 : value;
}

// The commonest text, 1 to 15 ASCII digits and nothing else, spells an integer that
// a double holds exactly; scan() and valueOf() would find the same value, unless a
// sign of the locale starts with a digit, which is then left to them.
bool readDigitsOnly(QStringView text, const Separators &sep, double *value)
{
    const qsizetype n = text.size();
    if (n == 0 || n > 15)
        return false;
    std::uint64_t integer = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        integer = integer * 10 + std::uint64_t(c - u'0');
    }
    if (startsAt(text, 0, sep.minus) || startsAt(text, 0, sep.plus))
        return false;
    *value = static_cast<double>(integer);
    return true;
}

double readNumberWith(QStringView text, const Separators &sep)
{
    double value = 0.0;
    if (readDigitsOnly(text, sep, &value))
        return value;
    const Scanned s = scan(text, sep);
    return s.found ? valueOf(s) : 0.0;
}

} // namespace

double readNumber(QStringView text)
{
    return readNumberWith(text, separatorsOf(QLocale()));
}

NumberReader::NumberReader() : m_separators(&separatorsOf(QLocale())) {}

double NumberReader::read(QStringView text) const
{
    return readNumberWith(text, *m_separators);
}

bool parseWholeNumber(QStringView text, double *value)
{
    const Separators &sep = separatorsOf(QLocale());
    if (readDigitsOnly(text, sep, value))
        return true;
    const Scanned s = scan(text, sep);
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
    const Separators *sep = nullptr; // asked for when the text needs one
    QString text;
    text.reserve(int(result.ptr - buffer) + 2);
    for (const char *p = buffer; p != result.ptr; ++p) {
        if (*p == '.' || (*p == '-' && p == buffer)) {
            if (!sep)
                sep = &separatorsOf(QLocale());
            text += *p == '.' ? sep->decimal : sep->minus;
        } else {
            text += QLatin1Char(*p);
        }
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
