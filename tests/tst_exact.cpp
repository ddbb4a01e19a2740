// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the exact values beside the solver's doubles: the simplified forms, and a
// property check that no exact value of a random school problem misses its double.

#include "runtime/errors.h"
#include "solver/exact.h"
#include "solver/exactsteps.h"
#include "solver/rectangle.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QTest>

#include <array>
#include <cmath>
#include <cstdio>

using namespace Qt::StringLiterals;
using solver::exact::Int;
using solver::exact::Value;

namespace {

// The two given cells of a row, written in place: a property check of a million
// solves allocates nothing per solve, which keeps it quick under the sanitizers.
class Row final : public solver::CellTexts
{
public:
    explicit Row(int variant) : m_variant(variant) {}

    // Writes mantissa · 10^-decimals into given cell i as a pupil types it: "12,5".
    void set(int i, qint64 mantissa, int decimals)
    {
        char digits[24];
        const int n = std::snprintf(digits, sizeof digits, "%0*lld", decimals + 1, mantissa);
        Text &text = m_texts[std::size_t(i)];
        text.size = 0;
        for (int k = 0; k < n; ++k) {
            if (k == n - decimals)
                text.chars[text.size++] = u',';
            text.chars[text.size++] = char16_t(digits[k]);
        }
    }
    QString text(qint16 cell) const override
    {
        const auto &given = solver::kGivenColumns[std::size_t(m_variant)];
        const int column = cell - m_variant * solver::kColumnCount;
        const int i = column == given[0] ? 0 : column == given[1] ? 1 : -1;
        return i < 0 ? QString() : m_texts[std::size_t(i)].view();
    }
    QString shown() const { return m_texts[0].view() + u"; "_s + m_texts[1].view(); }

private:
    struct Text
    {
        std::array<char16_t, 32> chars{};
        qsizetype size = 0;
        QString view() const { return QString::fromRawData(reinterpret_cast<const QChar *>(chars.data()), size); }
    };
    int m_variant;
    std::array<Text, 2> m_texts;
};

} // namespace

class TstExact : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)); }

    void roots_data();
    void roots();

    void randomSchoolProblems_data();
    void randomSchoolProblems();
};

void TstExact::roots_data()
{
    QTest::addColumn<qint64>("numerator");
    QTest::addColumn<qint64>("denominator");
    QTest::addColumn<qint64>("outside");
    QTest::addColumn<qint64>("below");
    QTest::addColumn<qint64>("radicand");

    QTest::newRow("whole") << 49ll << 1ll << 7ll << 1ll << 1ll;
    QTest::newRow("square factor") << 27ll << 1ll << 3ll << 1ll << 3ll;
    QTest::newRow("fraction") << 27ll << 4ll << 3ll << 2ll << 3ll;
    QTest::newRow("decimal") << 125ll << 100ll << 1ll << 2ll << 5ll;
    QTest::newRow("square-free denominator") << 1ll << 3ll << 1ll << 3ll << 3ll;
    QTest::newRow("two large primes squared") << 1000003ll * 1000003ll << 2ll << 1000003ll << 2ll << 2ll;
    QTest::newRow("large prime times a square") << 999999000001ll * 4ll << 1ll << 2ll << 1ll
                                                << 999999000001ll;
}

void TstExact::roots()
{
    QFETCH(qint64, numerator);
    QFETCH(qint64, denominator);
    QFETCH(qint64, outside);
    QFETCH(qint64, below);
    QFETCH(qint64, radicand);

    const Value root = solver::exact::squareRoot(Value::fraction(Int(numerator), Int(denominator)));
    QCOMPARE(root, Value::surd(Int(outside), quint64(radicand)) / Value(Int(below)));
}

void TstExact::randomSchoolProblems_data()
{
    QTest::addColumn<int>("variant");
    for (int variant = 0; variant < solver::kVariantCount; ++variant)
        QTest::addRow("Вариант %d", variant + 1) << variant;
}

// Sides of up to three figures with up to two decimals; the other quantities from them,
// the diagonal and the area cut to a few decimals as a pupil would type them. Every
// exact value of every step must agree with the solver's double, and most steps must
// have one.
void TstExact::randomSchoolProblems()
{
    QFETCH(int, variant);
    constexpr int kCount = 100'000;
    QRandomGenerator random(20261208u + quint32(variant));
    Row row(variant);
    qint64 checked = 0;
    qint64 numbers = 0;
    for (int i = 0; i < kCount; ++i) {
        // Each quantity as a mantissa and a count of decimals.
        const int aDecimals = int(random.bounded(3));
        const int bDecimals = int(random.bounded(3));
        const qint64 a = 1 + random.bounded(1000 * int(std::pow(10, aDecimals)));
        const qint64 b = 1 + random.bounded(1000 * int(std::pow(10, bDecimals)));
        const double aValue = double(a) / std::pow(10, aDecimals);
        const double bValue = double(b) / std::pow(10, bDecimals);
        const int dDecimals = int(random.bounded(4));
        const int SDecimals = int(random.bounded(5));
        const int PDecimals = std::max(aDecimals, bDecimals);
        const std::array<std::pair<qint64, int>, 5> values{{
            {a, aDecimals},
            {b, bDecimals},
            {std::llround(std::hypot(aValue, bValue) * std::pow(10, dDecimals)), dDecimals},
            {std::llround(2 * (aValue + bValue) * std::pow(10, PDecimals)), PDecimals},
            {std::llround(aValue * bValue * std::pow(10, SDecimals)), SDecimals},
        }};
        const auto &given = solver::kGivenColumns[std::size_t(variant)];
        for (std::size_t k = 0; k < 2; ++k)
            row.set(int(k), values[std::size_t(given[k])].first, values[std::size_t(given[k])].second);
        solver::FormValues form;
        solver::WorkingValues out;
        solver::Steps steps;
        try {
            solver::SolveVariant(runtime::Variant(qint16(variant)), row, form, out, &steps);
        } catch (const runtime::RuntimeError &) {
        }
        const solver::ExactSteps exact(steps);
        if (exact.faults() != 0)
            QFAIL(qPrintable(u"an exact value misses its double: "_s + row.shown()));
        checked += exact.checked();
        for (const solver::Step &step : steps)
            numbers += step.count;
    }
    qInfo("%lld of %lld recorded numbers exact", checked, numbers);
    QVERIFY(checked > numbers / 2);
}

QTEST_GUILESS_MAIN(TstExact)
#include "tst_exact.moc"
