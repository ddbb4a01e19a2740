// Replays every checked-in fuzzer input through the fuzzers' own checks, so the
// ordinary build checks what the fuzzers once found or were seeded with.
#include "checks.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTest>

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
