// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Tests of the teacher's worksheets: a fixed seed gives one text, word for word, on
// every platform and whatever the default locale; other seeds and the other versions
// give other problems; the command line's lists, counts and units are read or refused
// with a reason.

#include "practice/worksheet.h"

#include <QFile>
#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;
using practice::Level;
using practice::Section;
using practice::WorksheetOptions;

namespace {

// --problems 6 --versions 2 --levels 1,2,3 --variants 1-10 --unit см --seed 4821, with
// problems that have no rectangle.
WorksheetOptions options4821()
{
    WorksheetOptions options;
    options.problems = 6;
    options.versions = 2;
    options.settings = {{Level::Whole, Level::Decimal, Level::Roots}, {}, true,
                        solver::LengthUnit::Centimetre};
    options.seed = 4821;
    return options;
}

QStringList problemsOf(const Section &section)
{
    QStringList problems;
    for (const practice::Paragraph &p : section.paragraphs) {
        if (p.kind == practice::Paragraph::Kind::Problem)
            problems << p.text.mid(p.text.indexOf(u' ') + 1);
    }
    return problems;
}

} // namespace

class TstPracticeSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sameTextEverywhere();
    void otherSeedsOtherProblems();
    void sectionsAndPages();
    void lists_data();
    void lists();
    void countsAndUnits();
};

void TstPracticeSheet::sameTextEverywhere()
{
    QFile file(QString::fromUtf8(QUADRELON_WORKSHEET_TEXT));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString expected = QString::fromUtf8(file.readAll());
    // The same in a locale that writes numbers another way: the sheet is Bulgarian.
    for (const QLocale &locale : {QLocale(QLocale::Bulgarian, QLocale::Bulgaria),
                                  QLocale(QLocale::English, QLocale::UnitedStates)}) {
        QLocale::setDefault(locale);
        QCOMPARE(practice::makeWorksheet(options4821()).plainText(), expected);
        QCOMPARE(QLocale().name(), locale.name()); // and the default is left as it was
    }
}

void TstPracticeSheet::otherSeedsOtherProblems()
{
    WorksheetOptions options = options4821();
    const practice::Worksheet sheet = practice::makeWorksheet(options);
    options.seed = 4822;
    const practice::Worksheet other = practice::makeWorksheet(options);
    for (int version = 0; version < 2; ++version) {
        const QStringList problems = problemsOf(sheet.sections[version]);
        QCOMPARE(problems.size(), 6);
        QCOMPARE(QSet<QString>(problems.begin(), problems.end()).size(), 6);
        for (const QString &problem : problemsOf(other.sections[version]))
            QVERIFY(!problems.contains(problem));
    }
    // Neighbours, group A and group B, have different problems.
    const QStringList a = problemsOf(sheet.sections[0]);
    for (const QString &problem : problemsOf(sheet.sections[1]))
        QVERIFY(!a.contains(problem));
}

void TstPracticeSheet::sectionsAndPages()
{
    WorksheetOptions options = options4821();
    options.versions = 3;
    const practice::Worksheet sheet = practice::makeWorksheet(options);
    QCOMPARE(sheet.sections.size(), 6);
    const QStringList versions{u"Група А"_s, u"Група Б"_s, u"Група В"_s};
    for (int i = 0; i < 6; ++i) {
        const Section &section = sheet.sections[i];
        QCOMPARE(section.kind, i < 3 ? Section::Kind::Sheet : Section::Kind::Key);
        QCOMPARE(section.version, versions[i % 3]);
        QCOMPARE(section.paragraphs.last().number, 6);
    }
    QCOMPARE(sheet.plainText().count(u'\f'), 5);
}

void TstPracticeSheet::lists_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<int>>("numbers");
    QTest::addColumn<QString>("error");
    QTest::newRow("a list") << u"1,2,3"_s << QList<int>{1, 2, 3} << QString();
    QTest::newRow("a range") << u"1-10"_s << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << QString();
    QTest::newRow("both, spaces, repeats, any order")
        << u" 7 ,1,3, 5-7"_s << QList<int>{1, 3, 5, 6, 7} << QString();
    QTest::newRow("empty") << u""_s << QList<int>() << u"празен списък; пример: 1,3,5-7"_s;
    QTest::newRow("an empty place") << u"1,,3"_s << QList<int>()
                                    << u"празно място в списъка „1,,3“; пример: 1,3,5-7"_s;
    QTest::newRow("not a number") << u"1,x"_s << QList<int>()
                                  << u"„x“ не е число или обхват; пример: 1,3,5-7"_s;
    QTest::newRow("out of range") << u"1-11"_s << QList<int>() << u"„11“ е извън границите от 1 до 10"_s;
    QTest::newRow("a range backwards") << u"7-5"_s << QList<int>() << u"„7-5“: началото е след края"_s;
}

void TstPracticeSheet::lists()
{
    QFETCH(QString, text);
    QFETCH(QList<int>, numbers);
    QFETCH(QString, error);
    QString why;
    const std::optional<QList<int>> read = practice::parseVariants(text, &why);
    QCOMPARE(why, error);
    QCOMPARE(read.has_value(), error.isEmpty());
    if (read)
        QCOMPARE(*read, numbers);
}

void TstPracticeSheet::countsAndUnits()
{
    QString why;
    QCOMPARE(practice::parseLevels(u"3,1"_s, &why), (QList<Level>{Level::Whole, Level::Roots}));
    QVERIFY(!practice::parseLevels(u"4"_s, &why));
    QCOMPARE(why, u"„4“ е извън границите от 1 до 3"_s);

    QCOMPARE(practice::parseCount(u"12"_s, 1, WorksheetOptions::kMaxProblems, &why), 12);
    QVERIFY(!practice::parseCount(u"0"_s, 1, WorksheetOptions::kMaxProblems, &why));
    QCOMPARE(why, u"„0“ е извън границите от 1 до 60"_s);
    QVERIFY(!practice::parseCount(u"дванайсет"_s, 1, 60, &why));
    QCOMPARE(why, u"„дванайсет“ не е цяло число"_s);

    QCOMPARE(practice::parseUnit(u"см"_s, &why), solver::LengthUnit::Centimetre);
    QCOMPARE(practice::parseUnit(u"km"_s, &why), solver::LengthUnit::Kilometre);
    QCOMPARE(practice::parseUnit(u""_s, &why), solver::LengthUnit::None);
    QVERIFY(!practice::parseUnit(u"инч"_s, &why));
    QCOMPARE(why, u"„инч“ не е мярка за дължина; мерките са мм, см, дм, м, км"_s);
}

QTEST_GUILESS_MAIN(TstPracticeSheet)
#include "tst_practicesheet.moc"
