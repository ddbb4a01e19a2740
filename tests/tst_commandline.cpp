// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The command line as read before the application exists: what each kind of
// arguments starts, the worksheet it asks for, and the one line a mistake gets.
#include "commandline/commandline.h"

#include <QTest>

using namespace Qt::StringLiterals;
using commandline::Action;

class TestCommandLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void actions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing: the calculator") << QStringList{} << int(Action::Calculator) << 0 << QString();
        QTest::newRow("Qt's own options are Qt's")
            << QStringList{u"-platform"_s, u"offscreen"_s, u"-style=fusion"_s, u"-reverse"_s}
            << int(Action::Calculator) << 0 << QString();
        QTest::newRow("--practice") << QStringList{u"--practice"_s} << int(Action::Practice) << 0 << QString();
        QTest::newRow("--worksheet without --output: the dialog")
            << QStringList{u"--worksheet"_s, u"--seed"_s, u"7"_s} << int(Action::Worksheet) << 0 << QString();
        QTest::newRow("-v") << QStringList{u"-v"_s} << int(Action::Exit) << 0 << u"Quadrelon 1.00\n"_s;
        QTest::newRow("an unknown short option")
            << QStringList{u"-q"_s} << int(Action::Exit) << 2
            << u"quadrelon: непозната опция „-q“ (вижте quadrelon --help)\n"_s;
        QTest::newRow("a value missing at the end")
            << QStringList{u"--worksheet"_s, u"--output"_s} << int(Action::Exit) << 2
            << u"quadrelon: след „--output“ липсва стойност (вижте quadrelon --help)\n"_s;
        QTest::newRow("a bad unit") << QStringList{u"--worksheet"_s, u"--unit"_s, u"inch"_s} << int(Action::Exit) << 2
                                    << u"quadrelon: --unit: "_s;
        QTest::newRow("a worksheet option alone")
            << QStringList{u"--output"_s, u"лист.pdf"_s} << int(Action::Exit) << 2
            << u"quadrelon: „--output“ е опция на --worksheet\n"_s;
    }

    void actions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, action);
        QFETCH(int, status);
        QFETCH(QString, message);
        const commandline::Request request = commandline::parse(QStringList{u"quadrelon"_s} + arguments);
        QCOMPARE(int(request.action), action);
        QCOMPARE(request.status, status);
        QVERIFY2(request.message.startsWith(message), qPrintable(request.message));
        // A mistake is one line, and goes to standard error.
        QCOMPARE(request.toErrors, status != 0);
        if (status != 0)
            QCOMPARE(request.message.count(u'\n'), 1);
    }

    void worksheetArguments()
    {
        const commandline::Request request = commandline::parse(
            {u"quadrelon"_s, u"--worksheet"_s, u"--problems"_s, u"12"_s, u"--versions"_s, u"2"_s, u"--levels"_s,
             u"1,3"_s, u"--variants"_s, u"2,5-6"_s, u"--unit"_s, u"мм"_s, u"--seed"_s, u"4821"_s,
             u"--without-rectangle"_s, u"--output"_s, u"лист.pdf"_s});
        QCOMPARE(int(request.action), int(Action::Worksheet));
        const practice::WorksheetOptions &options = request.worksheet.options;
        QCOMPARE(options.problems, 12);
        QCOMPARE(options.versions, 2);
        QCOMPARE(options.settings.levels, (QList<practice::Level>{practice::Level::Whole, practice::Level::Roots}));
        QCOMPARE(options.settings.variants, (QList<int>{2, 5, 6}));
        QCOMPARE(int(options.settings.unit), int(solver::LengthUnit::Millimetre));
        QCOMPARE(options.seed, 4821u);
        QVERIFY(options.settings.withoutRectangle);
        QCOMPARE(request.worksheet.output, u"лист.pdf"_s);
        QVERIFY(commandline::needsNoScreen(request));

        // Without --seed a new number is drawn, short enough to read out to a class.
        const commandline::Request drawn = commandline::parse({u"quadrelon"_s, u"--worksheet"_s});
        QVERIFY(!drawn.worksheet.seedGiven);
        QVERIFY(drawn.worksheet.options.seed >= 1000 && drawn.worksheet.options.seed <= 9999);
        QVERIFY(!commandline::needsNoScreen(drawn));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
