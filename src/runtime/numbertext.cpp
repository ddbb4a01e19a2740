// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/numbertext.h"

#include "runtime/errors.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

namespace runtime {

struct NumberSeparators
{
    QString decimal;
    QString group;
    QString minus;
    QString plus;
    bool pointIsDecimal; // a point is accepted as a decimal separator too
    char16_t point;      // the decimal separator when it is one character, else 0
    bool spaceGroups;    // the group separator is a space: any space groups
    // How the locale groups the digits of a whole part: the group nearest the
    // separator, the groups before it, and how many digits must stand before the
    // first separator for there to be one at all.
    int firstGroup = 3;
    int otherGroups = 3;
    int minimumGrouping = 1;
};

namespace {

using Separators = NumberSeparators;

// A double is fixed by its first 767 significant decimal digits and whether any
// nonzero digit follows them, so longer mantissas are cut there with a sticky 1.
constexpr std::size_t kSignificantDigits = 780;

// Beyond this the value is 0 or overflows whatever the digits are.
constexpr long long kExponentLimit = 100000;

// "e" and the scale of the digits: a sign and at most six figures.
constexpr std::size_t kScaleRoom = 16;

// Texts up to this long that are only digits and a decimal separator are far from
// the limits of a double.
constexpr std::size_t kPlainLength = 32;

bool isGroupingSpace(QChar c)
{
    return c == u' ' || c == u'\u00a0' || c == u'\u202f';
}

// Qt knows each locale's grouping but does not tell it, so it is read off numbers
// that Qt formats: the sizes from the groups of a 16-digit number, the minimum from
// the shortest number that Qt groups at all.
void learnGrouping(const QLocale &locale, Separators *s)
{
    if (s->group.isEmpty() || locale.numberOptions().testFlag(QLocale::OmitGroupSeparator))
        return;
    const QStringList groups = locale.toString(1234567890123456.0, 'f', 0).split(s->group);
    if (groups.size() < 3)
        return;
    s->firstGroup = int(groups.last().size());
    s->otherGroups = int(groups[groups.size() - 2].size());
    double power = 1.0;
    for (int i = 0; i < s->firstGroup; ++i)
        power *= 10.0;
    for (int minimum = 1; minimum <= 4; ++minimum, power *= 10.0) {
        if (locale.toString(power, 'f', 0).contains(s->group)) {
            s->minimumGrouping = minimum;
            break;
        }
    }
}

Separators fetchSeparators(const QLocale &locale)
{
    Separators s{locale.decimalPoint(), locale.groupSeparator(), locale.negativeSign(),
                 locale.positiveSign(), false, 0, false};
    s.pointIsDecimal = s.group != QLatin1String(".");
    if (s.decimal.size() == 1 && s.decimal != s.group)
        s.point = s.decimal[0].unicode();
    s.spaceGroups = s.group.size() == 1 && isGroupingSpace(s.group[0]);
    learnGrouping(locale, &s);
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

// The length of a group separator at pos, 0 where there is none. Where the locale
// groups with a kind of space, people type whichever space their keyboard gives, so
// an ordinary, a no-break and a narrow no-break space all group.
qsizetype groupAt(QStringView text, qsizetype pos, const Separators &sep)
{
    if (startsAt(text, pos, sep.group))
        return sep.group.size();
    return sep.spaceGroups && pos < text.size() && isGroupingSpace(text[pos]) ? 1 : 0;
}

struct Scanned
{
    bool found = false;    // at least one mantissa digit
    bool negative = false;
    qsizetype end = 0;     // index after the last character of the number
    long long exponent = 0;  // value = 0.literal * 10^exponent
    std::size_t digits = 0;  // how many of literal are mantissa digits
    // Mantissa digits without leading zeros, cut with a sticky 1, and room for the
    // scale that valueOf() writes after them; not terminated.
    char literal[kSignificantDigits + 1 + kScaleRoom];
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
            out.literal[out.digits++] = static_cast<char>(c.unicode());
        else if (c != u'0')
            sticky = true;
    };

    // Integer part, with group separators only between digits.
    while (pos < n) {
        if (isDigit(text[pos])) {
            takeDigit(text[pos], false);
            ++pos;
        } else if (const qsizetype g = anyDigit ? groupAt(text, pos, sep) : 0;
                   g > 0 && pos + g < n && isDigit(text[pos + g])) {
            pos += g;
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
        out.literal[out.digits++] = '1';
    out.exponent += seenNonZero ? (integerDigits > 0 ? integerDigits : -leadingFractionZeros) : 0;
    return out;
}

double valueOf(Scanned &s)
{
    if (s.digits == 0)
        return 0.0;
    if (s.exponent > kExponentLimit)
        raise(ErrorCode::Overflow);
    if (s.exponent < -kExponentLimit)
        return 0.0;

    // The digits as an integer with a scale, "<digits>e<scale>", which the standard
    // library rounds correctly and reads the same way in every locale.
    char *end = s.literal + s.digits;
    *end++ = 'e';
    end = std::to_chars(end, s.literal + sizeof s.literal, s.exponent - static_cast<long long>(s.digits)).ptr;
    double magnitude = 0.0;
    if (std::from_chars(s.literal, end, magnitude).ec == std::errc::result_out_of_range) {
        // The first digit is not 0, so the value lies between 10^(exponent - 1) and
        // 10^exponent: a positive exponent means too large, any other too small.
        if (s.exponent > 0)
            raise(ErrorCode::Overflow);
        return 0.0;
    }
    return s.negative ? -magnitude : magnitude;
}

// The commonest texts, a few ASCII digits with at most one decimal separator and
// nothing else, need neither the scanner nor its limits: they are handed to the
// standard library as they stand, save whole numbers of up to 15 digits, which a
// double holds exactly. A sign of the locale that starts with a digit or the
// separator leaves them to scan().
bool readPlain(QStringView text, const Separators &sep, double *value)
{
    const qsizetype n = text.size();
    if (n == 0 || n > qsizetype(kPlainLength))
        return false;
    char literal[kPlainLength];
    std::uint64_t integer = 0;
    bool digit = false;
    bool point = false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            literal[i] = static_cast<char>(c);
            integer = integer * 10 + std::uint64_t(c - u'0');
            digit = true;
        } else if (!point && ((c == sep.point && c != 0) || (c == u'.' && sep.pointIsDecimal))) {
            literal[i] = '.';
            point = true;
        } else {
            return false;
        }
    }
    if (!digit || startsAt(text, 0, sep.minus) || startsAt(text, 0, sep.plus))
        return false;
    if (!point && n <= 15)
        *value = static_cast<double>(integer);
    else
        std::from_chars(literal, literal + n, *value);
    return true;
}

double readNumberWith(QStringView text, const Separators &sep, bool *found)
{
    double value = 0.0;
    if (readPlain(text, sep, &value)) {
        if (found)
            *found = true;
        return value;
    }
    Scanned s = scan(text, sep);
    if (found)
        *found = s.found;
    return s.found ? valueOf(s) : 0.0;
}

} // namespace

double readNumber(QStringView text, bool *found)
{
    return readNumberWith(text, separatorsOf(QLocale()), found);
}

NumberReader::NumberReader() : m_separators(&separatorsOf(QLocale())) {}

double NumberReader::read(QStringView text, bool *found) const
{
    return readNumberWith(text, *m_separators, found);
}

bool parseWholeNumber(QStringView text, double *value)
{
    const Separators &sep = separatorsOf(QLocale());
    if (readPlain(text, sep, value))
        return true;
    Scanned s = scan(text, sep);
    if (!s.found)
        return false;
    for (qsizetype pos = s.end; pos < text.size(); ++pos) {
        if (!text[pos].isSpace())
            return false;
    }
    *value = valueOf(s);
    return true;
}

namespace {

// The digits of to_chars in the locale's separators and minus sign.
QString localised(const char *begin, const char *end)
{
    const Separators *sep = nullptr; // asked for when the text needs one
    QString text;
    text.reserve(int(end - begin) + 2);
    for (const char *p = begin; p != end; ++p) {
        if (*p == '.' || (*p == '-' && p == begin)) {
            if (!sep)
                sep = &separatorsOf(QLocale());
            text += *p == '.' ? sep->decimal : sep->minus;
        } else {
            text += QLatin1Char(*p);
        }
    }
    return text;
}

// How many digits the plain decimal notation of the shortest text of a nonzero double
// has from its first nonzero digit to its last digit: 1 for 0,000001, 301 for 1e300.
int plainSignificantDigits(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const char *begin = buffer;
    const char *e = std::find(begin, static_cast<const char *>(result.ptr), 'e');
    int exponent = 0;
    std::from_chars(e + (e[1] == '+' ? 2 : 1), static_cast<const char *>(result.ptr), exponent);
    const int digits = int(std::count_if(begin, e, [](char c) { return c >= '0' && c <= '9'; }));
    return std::max(digits, exponent + 1);
}

// The sign that leads a typed number, with the blanks before it, left out.
QString withoutSign(QStringView typed)
{
    qsizetype at = 0;
    while (at < typed.size() && typed[at].isSpace())
        ++at;
    const Separators &sep = separatorsOf(QLocale());
    if (at < typed.size() && (typed[at] == u'-' || typed[at] == u'\u2212' || typed[at] == u'+'))
        return typed.mid(at + 1).toString();
    for (const QString &sign : {sep.minus, sep.plus}) {
        if (startsAt(typed, at, sign))
            return typed.mid(at + sign.size()).toString();
    }
    return typed.toString();
}

} // namespace

QString plainText(double value)
{
    if (value == 0.0)
        return QStringLiteral("0");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return localised(buffer, result.ptr);
}

namespace {

// Where a locale wants at least two digits before the first group separator, Qt
// 6.4 keeps the leading group whole at every length ("1234 567,00"); such a whole
// part is grouped again from its digits ("1 234 567,00"), as the locale says.
void regroup(QString *text, const Separators &sep)
{
    const qsizetype point = text->indexOf(sep.decimal);
    QString whole = text->left(point < 0 ? text->size() : point);
    const QString rest = text->mid(whole.size());
    whole.remove(sep.group);
    if (whole.size() < sep.firstGroup + sep.minimumGrouping)
        return;
    qsizetype at = whole.size() - sep.firstGroup;
    while (at > 0) {
        whole.insert(at, sep.group);
        at -= sep.otherGroups;
    }
    *text = whole + rest;
}

} // namespace

QString twoDecimalText(double value)
{
    const QLocale locale;
    QString text = locale.toString(std::fabs(value), 'f', 2);
    if (const Separators &sep = separatorsOf(locale); sep.minimumGrouping > 1)
        regroup(&text, sep);
    if (value < 0.0) {
        const bool allZero = std::none_of(text.cbegin(), text.cend(), [](QChar c) {
            return c >= u'1' && c <= u'9';
        });
        if (!allZero)
            text.prepend(locale.negativeSign());
    }
    return text;
}

QString givenText(double value, QStringView typed)
{
    if (value != 0.0 && std::isfinite(value) && plainSignificantDigits(value) > 15)
        return typed.isEmpty() ? plainText(value) : withoutSign(typed);
    const QString two = twoDecimalText(value);
    double back = 0.0;
    if (parseWholeNumber(two, &back) && back == value)
        return two;
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return localised(buffer, result.ptr);
}

QString decimalText(QByteArrayView wholeDigits, QByteArrayView fractionDigits, bool negative)
{
    const QLocale locale;
    QString text;
    if (wholeDigits.size() <= 15) {
        // A double holds a whole number of up to 15 digits exactly, so the one grouping
        // of the grid serves.
        const double whole = wholeDigits.toByteArray().toDouble();
        text = twoDecimalText(whole);
        text.chop(locale.decimalPoint().size() + 2);
    } else {
        text = QString::fromLatin1(wholeDigits);
        if (!locale.numberOptions().testFlag(QLocale::OmitGroupSeparator))
            regroup(&text, separatorsOf(locale));
    }
    if (!fractionDigits.isEmpty())
        text += locale.decimalPoint() + QString::fromLatin1(fractionDigits);
    if (negative)
        text.prepend(locale.negativeSign());
    return text;
}

} // namespace runtime
