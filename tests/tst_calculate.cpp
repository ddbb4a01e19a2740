// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Изчисли" end to end: typed into the real window, read back from its cells.
#include "support/formfixture.h"

#include "runtime/errors.h"
#include "solver/rectangle.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QTest>

using runtime::ErrorCode;

namespace {

const QStringList k345{"3.00", "4.00", "5.00", "14.00", "12.00"};
const QStringList k345Values{"3", "4", "5", "14", "12"};

std::array<int, 2> givenCells(int variant)
{
    return FormFixture::givenCells(variant);
}

} // namespace

class TestCalculate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { QLocale::setDefault(QLocale::c()); }
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }

    void rectangle345_data()
    {
        QTest::addColumn<int>("variant");
        for (int r = 0; r < 10; ++r)
            QTest::addRow("Вариант %d", r + 1) << r;
    }

    void rectangle345()
    {
        QFETCH(int, variant);
        FormFixture f;
        f.selectVariant(variant);
        for (int cell : givenCells(variant))
            f.typeInto(cell, k345Values[cell % 5]);
        f.pressCalculate();
        QCOMPARE(f.row(variant), k345);
        QVERIFY(f.guard->take().isEmpty());
    }

    void inputsAsTheyAreTyped_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("negative side used as its size") << 0 << "-3" << "4" << k345;
        QTest::newRow("both negative") << 9 << "-14" << "-12" << k345;
        QTest::newRow("blanks and trailing junk") << 0 << "  3cm" << "4 m" << k345;
        QTest::newRow("empty and junk read as 0") << 0 << "" << "abc" << QStringList{"0.00", "0.00", "0.00", "0.00", "0.00"};
        QTest::newRow("junk side with a real one") << 0 << "x" << "4" << QStringList{"0.00", "4.00", "4.00", "8.00", "0.00"};
        QTest::newRow("exponent") << 2 << "3e0" << "1.4e1" << k345;
        QTest::newRow("half a cent rounds away from zero") << 0 << "0.125" << "0" << QStringList{"0.13", "0.00", "0.13", "0.25", "0.00"};
        QTest::newRow("all zero in Вариант 10") << 9 << "0" << "0" << QStringList{"0.00", "0.00", "0.00", "0.00", "0.00"};
        QTest::newRow("square in Вариант 10") << 9 << "8" << "4" << QStringList{"2.00", "2.00", "2.83", "8.00", "4.00"};
        QTest::newRow("square typed in decimals") << 9 << "0.84" << "0.0441" << QStringList{"0.21", "0.21", "0.30", "0.84", "0.04"};
        QTest::newRow("degenerate in Вариант 8") << 7 << "4" << "8" << QStringList{"0.00", "4.00", "4.00", "8.00", "0.00"};
        QTest::newRow("thousands") << 0 << "1234.5" << "2000" << QStringList{"1234.50", "2000.00", "2350.32", "6469.00", "2469000.00"};
    }

    void inputsAsTheyAreTyped()
    {
        QFETCH(int, variant);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QStringList, expected);
        FormFixture f;
        f.calculate(variant, first, second);
        QCOMPARE(f.row(variant), expected);
        QVERIFY(f.guard->take().isEmpty());
    }

    void failureKeepsNormalisedInputs_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("normalised");
        QTest::addColumn<int>("error");
        QTest::newRow("zero side with an area") << 3 << "" << "12" << QStringList{"0", "0", "0", "0", "12"}
                                                << int(ErrorCode::SideZeroWithArea);
        QTest::newRow("side longer than the diagonal") << 1 << "5" << "-3" << QStringList{"5", "0", "3", "0", "0"}
                                                       << int(ErrorCode::SideLongerThanDiagonal);
        QTest::newRow("side longer than half the perimeter") << 5 << "5" << "8" << QStringList{"0", "5", "0", "8", "0"}
                                                             << int(ErrorCode::SideLongerThanHalfPerimeter);
        QTest::newRow("diagonal longer than half the perimeter") << 7 << "5" << "8" << QStringList{"0", "0", "5", "8", "0"}
                                                                 << int(ErrorCode::DiagonalLongerThanHalfPerimeter);
        QTest::newRow("diagonal too short") << 7 << "2.82" << "8" << QStringList{"0", "0", "2.82", "8", "0"}
                                            << int(ErrorCode::DiagonalTooShortForPerimeter);
        QTest::newRow("area too large for the diagonal") << 8 << "2.82" << "4" << QStringList{"0", "0", "2.82", "0", "4"}
                                                         << int(ErrorCode::AreaTooLargeForDiagonal);
        QTest::newRow("area too large for the perimeter") << 9 << "8" << "4.5" << QStringList{"0", "0", "0", "8", "4.5"}
                                                          << int(ErrorCode::AreaTooLargeForPerimeter);
        QTest::newRow("overflow") << 0 << "1e200" << "1" << QStringList{"1e+200", "1", "0", "0", "0"}
                                  << int(ErrorCode::Overflow);
        QTest::newRow("overflow while reading") << 0 << "1e999" << "1" << QStringList{"", "", "", "", ""}
                                                << int(ErrorCode::Overflow);
        QTest::newRow("area too large to solve") << 9 << "10" << "5e307" << QStringList{"0", "0", "0", "10", "5e+307"}
                                                 << int(ErrorCode::FloatingPoint);
    }

    void failureKeepsNormalisedInputs()
    {
        QFETCH(int, variant);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QStringList, normalised);
        QFETCH(int, error);
        FormFixture f;
        f.calculate(variant, first, second);
        const auto cells = givenCells(variant);

        const auto seen = f.guard->take();
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen[0].text.contains(runtime::errorMessage(ErrorCode(error))), qPrintable(seen[0].text));
        if (normalised.first().isEmpty()) {
            // The reading itself failed: the cells before it are normalised, the rest as typed.
            QCOMPARE(f.form->Text2[cells[0]]->text(), first);
        } else {
            QCOMPARE(f.row(variant), normalised);
        }

        // The window goes on: the same row now takes a rectangle that exists.
        for (int cell : cells)
            f.typeInto(cell, k345Values[cell % 5]);
        f.pressCalculate();
        QCOMPARE(f.row(variant), k345);
        QVERIFY(f.guard->take().isEmpty());
    }

    void pressingTwiceGivesTheSameRow_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QList<double>>("expected");
        const QList<double> small{3, 4, 5, 14, 12};
        const QList<double> big{1234.5, 2000, 2350.32, 6469, 2469000};
        QTest::newRow("C, 3-4-5") << "C" << 0 << "3" << "4" << small;
        QTest::newRow("C, thousands") << "C" << 0 << "1234.5" << "2000" << big;
        QTest::newRow("en_US, 3-4-5") << "en_US" << 9 << "14" << "12" << small;
        QTest::newRow("en_US, thousands") << "en_US" << 0 << "1234.5" << "2000" << big;
        QTest::newRow("en_US, thousands typed grouped") << "en_US" << 0 << "1,234.5" << "2,000" << big;
        QTest::newRow("bg_BG, 3-4-5") << "bg_BG" << 6 << "4" << "12" << small;
        QTest::newRow("bg_BG, point typed") << "bg_BG" << 0 << "1234.5" << "2000" << big;
        QTest::newRow("bg_BG, comma typed") << "bg_BG" << 0 << "1234,5" << "2000" << big;
        QTest::newRow("bg_BG, Вариант 10 millions") << "bg_BG" << 9 << "6469" << "2469000" << big;
    }

    void pressingTwiceGivesTheSameRow()
    {
        QFETCH(QString, locale);
        QFETCH(int, variant);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QList<double>, expected);
        QLocale::setDefault(QLocale(locale));
        QStringList expectedRow;
        for (double value : expected)
            expectedRow << QLocale().toString(value, 'f', 2);

        FormFixture f;
        f.calculate(variant, first, second);
        QCOMPARE(f.row(variant), expectedRow);
        f.pressCalculate();
        QCOMPARE(f.row(variant), expectedRow);
        QVERIFY(f.guard->take().isEmpty());
    }

    void typingReachesOnlyGivenCellsOfTheSelectedRow_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("cell");
        QTest::newRow("given cell of another row") << 1 << 0;
        QTest::newRow("result cell of the selected row") << 1 << 6;
        QTest::newRow("result cell of another row") << 1 << 2;
        QTest::newRow("S cell of row 0 right after start") << 0 << 4;
        QTest::newRow("given cell of the last row") << 0 << 49;
    }

    void typingReachesOnlyGivenCellsOfTheSelectedRow()
    {
        QFETCH(int, variant);
        QFETCH(int, cell);
        FormFixture f;
        if (variant != 0)
            f.selectVariant(variant);
        QLineEdit *edit = f.form->Text2[cell];
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClicks(edit, QStringLiteral("123"));
        QApplication::clipboard()->setText(QStringLiteral("456"));
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), QString());
        QVERIFY(f.guard->take().isEmpty());
    }

    void givenCellTakesTypingAndPaste()
    {
        FormFixture f;
        f.typeInto(0, QStringLiteral("3"));
        QApplication::clipboard()->setText(QStringLiteral("4"));
        QTest::mouseClick(f.form->Text2[1], Qt::LeftButton);
        QTest::keyClick(f.form->Text2[1], Qt::Key_V, Qt::ControlModifier);
        f.pressCalculate();
        QCOMPARE(f.row(0), k345);
    }

    void calculateLeavesOtherRowsAndLocks()
    {
        FormFixture f;
        f.selectVariant(4);
        f.form->Text2[0]->setText(QStringLiteral("keep"));
        f.typeInto(21, QStringLiteral("4"));
        f.typeInto(22, QStringLiteral("5"));
        f.pressCalculate();
        QCOMPARE(f.row(4), k345);
        QCOMPARE(f.form->Text2[0]->text(), QStringLiteral("keep"));
        for (int k = 0; k < 50; ++k)
            QCOMPARE(f.form->Text2[k]->isReadOnly(), k / 5 != 4);
        QCOMPARE(f.form->SelectedVariant.toInt16(), qint16(4));
    }
};

QTEST_MAIN(TestCalculate)
#include "tst_calculate.moc"
