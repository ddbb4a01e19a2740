// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the number texts: reading the number at the start of a text, the shortest
// text of a double and the two-decimal text, in the C, en_US and bg_BG locales.

#include "runtime/errors.h"
#include "runtime/numbertext.h"

#include <QFile>
#include <QLocale>
#include <QTest>

#include <bit>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

using runtime::ErrorCode;
using runtime::RuntimeError;

using namespace Qt::StringLiterals;

namespace {

constexpr double kMaxDouble = std::numeric_limits<double>::max();
constexpr double kMinSubnormal = std::numeric_limits<double>::denorm_min();

quint64 bits(double value)
{
    return std::bit_cast<quint64>(value);
}

QString repeated(const char *piece, int count)
{
    return QString::fromLatin1(piece).repeated(count);
}

// A finite double with random bits in every field.
double randomFinite(std::mt19937_64 &random)
{
    for (;;) {
        const double value = std::bit_cast<double>(random());
        if (std::isfinite(value))
            return value;
    }
}

// The exact value of the double rounded to two decimals with halves away from zero,
// written as "-1234.57": no grouping, a point, a minus only when not zero.
std::string roundedToCents(double value)
{
    char buffer[1200]; // every double below 1e15 in full: 16 digits, a point, 1074 decimals
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                   std::chars_format::fixed, 1100).ptr;
    const std::string exact(buffer, end);
    const std::size_t point = exact.find('.');
    std::string digits = exact.substr(0, point) + exact.substr(point + 1, 2);
    if (exact[point + 3] >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9')
            digits[--i] = '0';
        if (i == 0)
            digits.insert(0, 1, '1');
        else
            ++digits[i - 1];
    }
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    // Appended piece by piece: "-" + std::string inserts at the front, which GCC 12
    // takes for an overlapping copy (-Wrestrict) once inlined.
    std::string text = value < 0.0 && !zero ? "-" : "";
    text.append(digits, 0, digits.size() - 2).append(1, '.').append(digits, digits.size() - 2);
    return text;
}

// Writes a pattern in the locale's symbols: ',' groups, '.' separates the decimals,
// '-' is the minus sign.
QString inLocale(const QString &pattern, const QLocale &locale)
{
    QString out;
    for (const QChar c : pattern) {
        if (c == u',')
            out += locale.groupSeparator();
        else if (c == u'.')
            out += locale.decimalPoint();
        else if (c == u'-')
            out += locale.negativeSign();
        else
            out += c;
    }
    return out;
}

// Significant digits of a text from plainText: the mantissa without its leading and
// trailing zeros.
int significantDigits(const QString &text)
{
    QString digits;
    for (const QChar c : text) {
        if (c == u'e' || c == u'E')
            break;
        if (c.isDigit())
            digits += c;
    }
    while (digits.startsWith(u'0'))
        digits.remove(0, 1);
    while (digits.endsWith(u'0'))
        digits.chop(1);
    return int(digits.size());
}

const char *const kLocales[] = {"C", "en_US", "bg_BG"};

} // namespace

class TestNumberText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void readNumber_data();
    void readNumber();
    void readNumberEdges_data();
    void readNumberEdges();
    void readNumberOverflow_data();
    void readNumberOverflow();
    void plainText_data();
    void plainText();
    void plainTextReadsBack_data();
    void plainTextReadsBack();
    void twoDecimalText_data();
    void twoDecimalText();
    void twoDecimalTextGrouping_data();
    void twoDecimalTextGrouping();
    void twoDecimalTextRounding_data();
    void twoDecimalTextRounding();
    void givenText_data();
    void givenText();

private:
    static QLocale useLocale(const QString &name);
    static void addLocaleRows();

    QLocale m_savedLocale;
};

void TestNumberText::initTestCase()
{
    m_savedLocale = QLocale();
}

void TestNumberText::cleanup()
{
    QLocale::setDefault(m_savedLocale);
}

QLocale TestNumberText::useLocale(const QString &name)
{
    const QLocale locale(name);
    QLocale::setDefault(locale);
    return locale;
}

void TestNumberText::addLocaleRows()
{
    QTest::addColumn<QString>("localeName");
    for (const char *name : kLocales)
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestNumberText::readNumber_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");

    auto row = [](const char *locale, const char *name, const QString &text, double expected) {
        QTest::addRow("%s: %s", locale, name) << QString::fromLatin1(locale) << text << expected;
    };
    auto rowC = [&](const char *name, const char *text, double expected) {
        row("C", name, QString::fromUtf8(text), expected);
    };

    rowC("integer", "42", 42.0);
    rowC("decimal", "7.25", 7.25);
    rowC("leading blanks", " \t 7.25", 7.25);
    rowC("minus", "-2.5", -2.5);
    rowC("minus sign", "\u22124", -4.0);
    rowC("plus", "+2.5", 2.5);
    rowC("no integer digits", "-.5", -0.5);
    rowC("no fraction digits", "5.", 5.0);
    rowC("exponent", "2.5e-3", 0.0025);
    rowC("capital exponent with plus", "1E+3", 1000.0);
    rowC("exponent without digits", "1e", 1.0);
    rowC("exponent sign without digits", "1e+", 1.0);
    rowC("exponent then junk", "1ex", 1.0);
    rowC("junk", "abc", 0.0);
    rowC("empty", "", 0.0);
    rowC("blanks only", "   ", 0.0);
    rowC("sign only", "-", 0.0);
    rowC("point only", ".", 0.0);
    rowC("two signs", "--1", 0.0);
    rowC("exponent only", "e5", 0.0);
    rowC("number then junk", "12abc", 12.0);
    rowC("second point", "1.2.3", 1.2);
    rowC("blank inside", "1 2", 1.0);
    rowC("tenth", "0.1", 0.1);
    rowC("sum of tenths", "0.30000000000000004", 0.30000000000000004);
    rowC("largest double", "1.7976931348623157e308", kMaxDouble);
    rowC("rounds down to largest", "1.7976931348623158e308", kMaxDouble);
    rowC("smallest normal", "2.2250738585072014e-308", 2.2250738585072014e-308);
    rowC("subnormal", "1e-320", 1e-320);
    rowC("smallest subnormal", "4.9406564584124654e-324", kMinSubnormal);
    rowC("above half smallest", "2.4703282292062328e-324", kMinSubnormal);
    rowC("below half smallest", "2.4703282292062327e-324", 0.0);
    rowC("far underflow", "1e-400", 0.0);
    rowC("zero with huge exponent", "0e999999", 0.0);

    // Thousands of digits, still correctly rounded.
    row("C", "5000 threes", QStringLiteral("0.") + repeated("3", 5000), 1.0 / 3.0);
    row("C", "5000 leading zeros", repeated("0", 5000) + QStringLiteral("42"), 42.0);
    row("C", "leading fraction zeros and exponent",
        QStringLiteral("0.") + repeated("0", 3000) + QStringLiteral("1e3010"), 1e9);
    row("C", "long integer and exponent", QStringLiteral("1") + repeated("0", 4000) + QStringLiteral("e-4000"),
        1.0);
    row("C", "tie to even", QStringLiteral("9007199254740993"), 9007199254740992.0);
    row("C", "tie broken by a far digit",
        QStringLiteral("9007199254740993.") + repeated("0", 3000) + QStringLiteral("1"), 9007199254740994.0);
    const QString halfUlpAboveOne = QStringLiteral("1.00000000000000011102230246251565404236316680908203125");
    row("C", "exact tie above one", halfUlpAboveOne, 1.0);
    row("C", "tie above one broken by a far digit",
        halfUlpAboveOne + repeated("0", 3000) + QStringLiteral("1"), 1.0000000000000002);
    row("C", "just below a tie by far digits",
        QStringLiteral("1.00000000000000011102230246251565404236316680908203124") + repeated("9", 3000), 1.0);

    auto rowEn = [&](const char *name, const char *text, double expected) {
        row("en_US", name, QString::fromUtf8(text), expected);
    };
    rowEn("grouped", "1,234.50", 1234.5);
    rowEn("grouped twice", "-1,234,567", -1234567.0);
    rowEn("comma between digits groups", "3,5", 35.0);
    rowEn("comma after digits", "1,", 1.0);
    rowEn("two commas", "1,,2", 1.0);
    rowEn("leading comma", ",5", 0.0);
    rowEn("exponent", "1.5e2", 150.0);
    row("en_US", "long grouped integer", QStringLiteral("1") + repeated(",000", 100) + QStringLiteral("e-300"),
        1.0);

    const QString bgGroup = QLocale(QStringLiteral("bg_BG")).groupSeparator();
    auto rowBg = [&](const char *name, const char *text, double expected) {
        row("bg_BG", name, QString::fromUtf8(text), expected);
    };
    rowBg("comma", "3,5", 3.5);
    rowBg("point", "3.5", 3.5);
    rowBg("blanks, sign, exponent", "  -3,5e2", -350.0);
    rowBg("comma then point", "1,2.3", 1.2);
    rowBg("junk", "abc", 0.0);
    rowBg("number then junk", "12abc", 12.0);
    row("bg_BG", "grouped", QStringLiteral("1") + bgGroup + QStringLiteral("234") + bgGroup
            + QStringLiteral("567,25"), 1234567.25);
    // Bulgarian groups with a no-break space; any space people type groups too.
    rowBg("space groups", "1 000", 1000.0);
    rowBg("space groups with decimals", "2 500,5", 2500.5);
    rowBg("narrow no-break space groups", "1\u202f000", 1000.0);
    rowBg("three kinds of space", "-1 234\u00a0567\u202f890,5", -1234567890.5);
    rowBg("spaced exponent", "1 500e-3", 1.5);
    rowBg("two spaces", "1  000", 1.0);
    rowBg("space before the comma", "1 ,5", 1.0);
    rowBg("space after digits", "12 ", 12.0);
    rowBg("tab", "1\t000", 1.0);
    rowBg("em space", "1\u2003000", 1.0);
    rowEn("space", "1 000", 1.0);
    rowEn("narrow no-break space", "1\u202f000", 1.0);
    rowEn("no-break space", "1\u00a0000", 1.0);

    // Where the point groups digits it is no decimal separator.
    row("de_DE", "point groups", QStringLiteral("1.234,5"), 1234.5);
    row("de_DE", "point between digits", QStringLiteral("3.5"), 35.0);
    row("de_DE", "leading point", QStringLiteral(".5"), 0.0);
}

void TestNumberText::readNumber()
{
    QFETCH(QString, localeName);
    QFETCH(QString, text);
    QFETCH(double, expected);

    useLocale(localeName);
    double result = -1.0;
    try {
        result = runtime::readNumber(text);
    } catch (const RuntimeError &error) {
        QFAIL(qPrintable(QStringLiteral("raised error %1").arg(error.number())));
    }
    QCOMPARE(bits(result), bits(expected));
}

// Rows kept from comparing the reader with its earlier self on millions of texts: exact
// ties between two doubles and texts a far digit above or below them, written out with
// the locale's separators; ties among subnormals and in the largest binade; 16 to 32
// plain digits; long grouped integers; exponents at the edges. The expected value is
// the double's bits in hex, or "error N".
void TestNumberText::readNumberEdges_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QFile file(QString::fromUtf8(QUADRELON_NUMBERTEXT_EDGES));
    QVERIFY(file.open(QIODevice::ReadOnly));
    while (!file.atEnd()) {
        const QList<QByteArray> field = file.readLine().trimmed().split('\t');
        QCOMPARE(field.size(), 4);
        QTest::addRow("%s: %s", field[1].constData(), field[0].constData())
            << QString::fromUtf8(field[1]) << QString::fromUtf8(field[2]) << QString::fromUtf8(field[3]);
    }
}

void TestNumberText::readNumberEdges()
{
    QFETCH(QString, localeName);
    QFETCH(QString, text);
    QFETCH(QString, expected);

    useLocale(localeName);
    QString read;
    try {
        read = QString::number(bits(runtime::readNumber(text)), 16).rightJustified(16, u'0');
    } catch (const RuntimeError &error) {
        read = QStringLiteral("error %1").arg(error.number());
    }
    QCOMPARE(read, expected);
}

void TestNumberText::readNumberOverflow_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("text");

    QTest::newRow("C: 1e309") << "C" << "1e309";
    QTest::newRow("C: -1e309") << "C" << "-1e309";
    QTest::newRow("C: above half past largest") << "C" << "1.7976931348623159e308";
    QTest::newRow("C: huge exponent") << "C" << "1e99999999999999999999";
    QTest::newRow("C: 400 digits") << "C" << (QStringLiteral("1") + repeated("0", 400));
    QTest::newRow("en_US: grouped") << "en_US" << (QStringLiteral("1") + repeated(",000", 103));
    QTest::newRow("bg_BG: comma") << "bg_BG" << "2,5e308";
}

void TestNumberText::readNumberOverflow()
{
    QFETCH(QString, localeName);
    QFETCH(QString, text);

    useLocale(localeName);
    int raised = 0;
    try {
        runtime::readNumber(text);
    } catch (const RuntimeError &error) {
        raised = error.number();
    }
    QCOMPARE(raised, static_cast<int>(ErrorCode::Overflow));
}

void TestNumberText::plainText_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected"); // '.' and '-' stand for the locale's symbols

    for (const char *name : kLocales) {
        const QString locale = QString::fromLatin1(name);
        QTest::addRow("%s: zero", name) << locale << 0.0 << "0";
        QTest::addRow("%s: negative zero", name) << locale << -0.0 << "0";
        QTest::addRow("%s: tenth", name) << locale << 0.1 << "0.1";
        QTest::addRow("%s: sum of tenths", name) << locale << 0.1 + 0.2 << "0.30000000000000004";
        QTest::addRow("%s: third", name) << locale << 1.0 / 3.0 << "0.3333333333333333";
        QTest::addRow("%s: negative", name) << locale << -2.5 << "-2.5";
        QTest::addRow("%s: ungrouped integer", name) << locale << 1234567.0 << "1234567";
    }
}

void TestNumberText::plainText()
{
    QFETCH(QString, localeName);
    QFETCH(double, value);
    QFETCH(QString, expected);

    const QLocale locale = useLocale(localeName);
    QCOMPARE(runtime::plainText(value), inLocale(expected, locale));
}

void TestNumberText::plainTextReadsBack_data()
{
    addLocaleRows();
}

void TestNumberText::plainTextReadsBack()
{
    QFETCH(QString, localeName);

    const QLocale locale = useLocale(localeName);
    const QChar foreignPoint = locale.decimalPoint() == u"." ? u',' : u'.';
    std::mt19937_64 random(20240611);
    QList<double> values{kMaxDouble, -kMaxDouble, kMinSubnormal, 1e22, 1e-7, 123456789012345680000.0};
    for (int i = 0; i < 4000; ++i)
        values.append(randomFinite(random));

    for (const double value : values) {
        const QString text = runtime::plainText(value);
        const double back = runtime::readNumber(text);
        QVERIFY2(bits(back) == bits(value) || (value == 0.0 && back == 0.0),
                 qPrintable(QStringLiteral("%1 read back as %2").arg(text).arg(back, 0, 'g', 17)));
        QVERIFY2(!text.contains(foreignPoint), qPrintable(text));

        // Shortest: the nearest number with one significant digit fewer is another double.
        // A whole number from 2^53 up written without an exponent keeps its exact digits
        // (as many characters as its shortest digits padded with zeros), so it is left out.
        if (std::fabs(value) >= 9007199254740992.0 && !text.contains(u'e'))
            continue;
        const int digits = significantDigits(text);
        QVERIFY2(digits >= 1 && digits <= 17, qPrintable(text));
        if (digits >= 2) {
            char buffer[64];
            const auto end = std::to_chars(buffer, buffer + sizeof buffer, value,
                                           std::chars_format::scientific, digits - 2).ptr;
            double shorter = 0.0;
            std::from_chars(buffer, end, shorter);
            QVERIFY2(bits(shorter) != bits(value), qPrintable(text));
        }
    }
}

void TestNumberText::twoDecimalText_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("expected"); // ',', '.' and '-' stand for the locale's symbols

    for (const char *name : kLocales) {
        const QString locale = QString::fromLatin1(name);
        QTest::addRow("%s: zero", name) << locale << 0.0 << "0.00";
        QTest::addRow("%s: negative zero", name) << locale << -0.0 << "0.00";
        QTest::addRow("%s: exact half up", name) << locale << 0.125 << "0.13";
        QTest::addRow("%s: exact half away from zero", name) << locale << -0.125 << "-0.13";
        QTest::addRow("%s: exact half with even digit", name) << locale << 0.625 << "0.63";
        QTest::addRow("%s: 1.005 stored below half", name) << locale << 1.005 << "1.00";
        QTest::addRow("%s: 2.675 stored below half", name) << locale << 2.675 << "2.67";
        QTest::addRow("%s: 0.995 stored below half", name) << locale << 0.995 << "0.99";
        QTest::addRow("%s: -0.005 stored above half", name) << locale << -0.005 << "-0.01";
        QTest::addRow("%s: tiny negative", name) << locale << -0.001 << "0.00";
        QTest::addRow("%s: smallest negative", name) << locale << -kMinSubnormal << "0.00";
        QTest::addRow("%s: carry", name) << locale << 99.999 << "100.00";
        QTest::addRow("%s: padded", name) << locale << 7.0 << "7.00";
    }
    QTest::newRow("C: not grouped") << "C" << 1234.5 << "1234.50";
    QTest::newRow("en_US: grouped") << "en_US" << 1234.5 << "1,234.50";
    QTest::newRow("en_US: negative grouped half") << "en_US" << -1234567.125 << "-1,234,567.13";
    QTest::newRow("en_US: exact half near 1e15") << "en_US" << 1e15 + 0.125 << "1,000,000,000,000,000.13";
    QTest::newRow("en_US: exact digits of 1e23") << "en_US" << 1e23 << "99,999,999,999,999,991,611,392.00";
    QTest::newRow("bg_BG: grouped") << "bg_BG" << 12345.678 << "12,345.68";
    QTest::newRow("bg_BG: negative grouped") << "bg_BG" << -98765.4321 << "-98,765.43";
}

void TestNumberText::twoDecimalText()
{
    QFETCH(QString, localeName);
    QFETCH(double, value);
    QFETCH(QString, expected);

    const QLocale locale = useLocale(localeName);
    QCOMPARE(runtime::twoDecimalText(value), inLocale(expected, locale));
}

void TestNumberText::twoDecimalTextGrouping_data()
{
    QTest::addColumn<QString>("localeName");
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("ungrouped"); // the longest whole part written without groups
    for (const char *name : {"bg_BG", "en_US", "de_DE"}) {
        for (int length = 4; length <= 16; ++length) {
            QTest::addRow("%s: %d digits", name, length)
                << QString::fromLatin1(name) << QStringLiteral("1234567890123456").left(length)
                << (qstrcmp(name, "bg_BG") == 0 ? 4 : 3);
        }
    }
}

// Every three digits from the right, once the whole part is long enough to group.
void TestNumberText::twoDecimalTextGrouping()
{
    QFETCH(QString, localeName);
    QFETCH(QString, digits);
    QFETCH(int, ungrouped);

    const QLocale locale = useLocale(localeName);
    QString pattern = digits;
    if (digits.size() > ungrouped) {
        for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
            pattern.insert(at, u',');
    }
    const double value = digits.toDouble();
    const QString text = runtime::twoDecimalText(value);
    QCOMPARE(text, inLocale(pattern + QStringLiteral(".00"), locale));
    QCOMPARE(runtime::readNumber(text), value);
}

void TestNumberText::twoDecimalTextRounding_data()
{
    addLocaleRows();
}

void TestNumberText::twoDecimalTextRounding()
{
    QFETCH(QString, localeName);

    const QLocale locale = useLocale(localeName);
    std::mt19937_64 random(1506);
    QList<double> values;
    for (int i = 0; i < 1000; ++i) {
        const double sign = (random() & 1) ? -1.0 : 1.0;
        // Any bits, magnitudes from 1e-9 to below 1e15.
        const double mantissa = 1.0 + double(random() >> 12) / 4503599627370496.0;
        values.append(sign * std::ldexp(mantissa, int(random() % 79) - 30));
        // Thousandths, many of them just off a half.
        values.append(sign * double(random() % 1000000000000) / 1000.0);
        // Eighths, a quarter of them exact halves.
        values.append(sign * double(random() % 1099511627776) / 8.0);
    }

    for (const double value : values) {
        const QString text = runtime::twoDecimalText(value);
        const std::string cents = roundedToCents(value);
        QString plain = text;
        plain.remove(locale.groupSeparator());
        QCOMPARE(plain, inLocale(QString::fromStdString(cents), locale));

        double expected = 0.0;
        std::from_chars(cents.data(), cents.data() + cents.size(), expected);
        QCOMPARE(bits(runtime::readNumber(text)), bits(expected));
    }
}

void TestNumberText::givenText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written"); // in bg_BG

    QTest::newRow("two decimals exact") << u"3"_s << u"3,00"_s;
    QTest::newRow("more decimals") << u"1,125"_s << u"1,125"_s;
    QTest::newRow("small, written out") << u"0,000001"_s << u"0,000001"_s;
    QTest::newRow("typed with an exponent") << u"2,5e-7"_s << u"0,00000025"_s;
    QTest::newRow("15 digits") << u"123456789012345"_s << u"123\u00a0456\u00a0789\u00a0012\u00a0345,00"_s;
    QTest::newRow("16 digits, as typed") << u"1234567890123456"_s << u"1234567890123456"_s;
    QTest::newRow("large, as typed") << u"1e300"_s << u"1e300"_s;
    QTest::newRow("as typed, without its sign") << u" -1,5e300 м"_s << u"1,5e300 м"_s;
}

// A given value as a pupil writes it: in plain decimals up to 15 significant digits,
// else as typed; read again, the same value.
void TestNumberText::givenText()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);

    useLocale(u"bg_BG"_s);
    const double value = std::fabs(runtime::readNumber(typed));
    QCOMPARE(runtime::givenText(value, typed), written);
    QCOMPARE(runtime::readNumber(written), value);
}

QTEST_GUILESS_MAIN(TestNumberText)
#include "tst_numbertext.moc"
