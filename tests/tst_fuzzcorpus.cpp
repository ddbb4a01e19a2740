// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Replays every checked-in fuzzer input through the fuzzers' own checks, so the
// ordinary build checks what the fuzzers once found or were seeded with; and checks
// number texts of a megabyte and more, too long for a corpus file.
#include "checks.h"

#include "runtime/errors.h"
#include "runtime/numbertext.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

class TestFuzzCorpus : public QObject
{
    Q_OBJECT

private:
    static QDir corpus(const char *name)
    {
        return QDir(QStringLiteral(QUADRELON_FUZZ_CORPUS "/") + QLatin1String(name));
    }

    // One row per input file, named after it.
    static void addInputs(const char *name)
    {
        QTest::addColumn<QByteArray>("input");
        const QDir dir = corpus(name);
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        for (const QString &file : files) {
            QFile f(dir.filePath(file));
            if (!f.open(QIODevice::ReadOnly))
                qFatal("cannot read %s", qPrintable(f.fileName()));
            QTest::newRow(qPrintable(file)) << f.readAll();
        }
    }

    std::unique_ptr<fuzzchecks::CalculateRig> m_rig;

private Q_SLOTS:
    void initTestCase()
    {
        // Each corpus is seeded with a few dozen inputs; fewer means a wrong path.
        QVERIFY(corpus("numbertext").entryList(QDir::Files).size() >= 24);
        QVERIFY(corpus("calculate").entryList(QDir::Files).size() >= 24);
        m_rig = std::make_unique<fuzzchecks::CalculateRig>();
    }

    void cleanupTestCase()
    {
        m_rig.reset();
        QLocale::setDefault(QLocale::c());
    }

    void numberText_data() { addInputs("numbertext"); }

    void numberText()
    {
        QFETCH(QByteArray, input);
        const QString problem = fuzzchecks::checkNumberText(input);
        QVERIFY2(problem.isEmpty(), problem.toUtf8().constData());
    }

    // Texts too long to check in, of a known value: a megabyte of digits whose
    // exponent brings the value back to a few units.
    void longTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value"); // NaN: too large, Overflow
        constexpr int n = 1024 * 1024;
        const QString zeros(n, u'0');
        const auto number = [](qsizetype value) { return QString::number(value); };
        const auto text = [](const char *latin) { return QString::fromLatin1(latin); };
        const double overflow = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("1, 1 MiB of zeros, e-1 MiB") << text("1") + zeros + text("e-") + number(n) << 1.0;
        QTest::newRow("1, 1 MiB of zeros, e-(1 MiB + 5)") << text("1") + zeros + text("e-") + number(n + 5) << 1e-5;
        QTest::newRow("1, 1 MiB of zeros, e-1") << text("1") + zeros + text("e-1") << overflow;
        QTest::newRow("0., 1 MiB of zeros, 1e(1 MiB + 1)") << text("0.") + zeros + text("1e") + number(n + 1) << 1.0;
        QTest::newRow("0., 10 Mi zeros, 25e(10 Mi + 1)")
            << text("0.") + zeros.repeated(10) + text("25e") + number(10 * n + 1) << 2.5;
        QTest::newRow("1 MiB of sevens, e-(1 MiB - 1)") << QString(n, u'7') + text("e-") + number(n - 1) << 70.0 / 9.0;
    }

    void longTexts()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QLocale::setDefault(QLocale::c());
        try {
            const double read = runtime::readNumber(text);
            QVERIFY2(!std::isnan(value), qPrintable(QStringLiteral("read %1, not Overflow").arg(read)));
            QCOMPARE(read, value);
        } catch (const runtime::RuntimeError &error) {
            QCOMPARE(error.code(), runtime::ErrorCode::Overflow);
            QVERIFY(std::isnan(value));
        }
        const QString problem = fuzzchecks::checkNumberText(QByteArray(1, '0') + text.toLatin1());
        QVERIFY2(problem.isEmpty(), problem.toUtf8().constData());
    }

    void calculate_data() { addInputs("calculate"); }

    void calculate()
    {
        QFETCH(QByteArray, input);
        const QString problem = m_rig->check(input);
        QVERIFY2(problem.isEmpty(), problem.toUtf8().constData());
    }
};

QTEST_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
