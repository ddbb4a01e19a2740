// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Изчисли" end to end: typed into the real window, read back from its cells.
#include "support/formfixture.h"

#include "form/cell.h"
#include "runtime/errors.h"
#include "runtime/numbertext.h"
#include "solver/rectangle.h"

#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QRadioButton>
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
        QTest::newRow("exponent") << 2 << "3e0" << "1.4e1" << k345;
        QTest::newRow("half a cent rounds away from zero") << 0 << "0.25" << "0.5" << QStringList{"0.25", "0.50", "0.56", "1.50", "0.13"};
        QTest::newRow("more decimals than two kept as read") << 0 << "0.001" << "1e-3" << QStringList{"0.001", "0.001", "0.00", "0.00", "0.00"};
        QTest::newRow("square in Вариант 10") << 9 << "8" << "4" << QStringList{"2.00", "2.00", "2.83", "8.00", "4.00"};
        QTest::newRow("square typed in decimals") << 9 << "0.84" << "0.0441" << QStringList{"0.21", "0.21", "0.30", "0.84", "0.0441"};
        QTest::newRow("thousands") << 0 << "1234.5" << "2000" << QStringList{"1234.50", "2000.00", "2350.32", "6469.00", "2469000.00"};
        // Exactly halfway between two hundredths: 2.525 and 1.515, rounded up as at school.
        QTest::newRow("ties rounded up") << 2 << "0.6" << "6.25" << QStringList{"0.60", "2.53", "2.60", "6.25", "1.52"};
        QTest::newRow("tiny side written out") << 0 << "0.000001" << "1" << QStringList{"0.000001", "1.00", "1.00", "2.00", "0.00"};
        QTest::newRow("more than 15 digits as typed") << 0 << "12345678901234567" << "1"
            << QStringList{"12345678901234567", "1.00", "12345678901234568.00", "24691357802469136.00", "12345678901234568.00"};
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

    void failureKeepsGivenValuesOnly_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QStringList>("kept");
        QTest::addColumn<int>("error");
        QTest::newRow("no number for a side") << 3 << "" << "12" << QStringList{"", "", "", "", "12.00"}
                                              << int(ErrorCode::NoNumberGiven);
        QTest::newRow("side longer than the diagonal") << 1 << "5" << "-3" << QStringList{"5.00", "", "3.00", "", ""}
                                                       << int(ErrorCode::SideLongerThanDiagonal);
        QTest::newRow("side as long as half the perimeter") << 5 << "4" << "8" << QStringList{"", "4.00", "", "8.00", ""}
                                                            << int(ErrorCode::SideLongerThanHalfPerimeter);
        QTest::newRow("area a hundredth too large") << 9 << "14" << "12.26" << QStringList{"", "", "", "14.00", "12.26"}
                                                    << int(ErrorCode::AreaTooLargeForPerimeter);
        QTest::newRow("overflow") << 0 << "2e154" << "1" << QStringList{"2e154", "1.00", "", "", ""}
                                  << int(ErrorCode::Overflow);
        QTest::newRow("overflow while reading") << 0 << "1e999" << "1" << QStringList{"1e999", "1", "", "", ""}
                                                << int(ErrorCode::Overflow);
    }

    // A failed calculation shows no answer: over the results of a calculation that
    // succeeded, the row keeps its given values and its result cells are emptied.
    void failureKeepsGivenValuesOnly()
    {
        QFETCH(int, variant);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QStringList, kept);
        QFETCH(int, error);
        FormFixture f;
        const auto cells = givenCells(variant);
        f.calculate(variant, k345Values[cells[0] % 5], k345Values[cells[1] % 5]);
        QCOMPARE(f.row(variant), k345);
        f.typeInto(cells[0], first);
        f.typeInto(cells[1], second);
        f.pressCalculate();

        const auto seen = f.guard->take();
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen[0].text.contains(runtime::errorMessage(ErrorCode(error), runtime::quantity(cells[0] % 5))),
                 qPrintable(seen[0].text));
        QCOMPARE(f.row(variant), kept);
        for (int k = variant * 5; k < variant * 5 + 5; ++k)
            QVERIFY(static_cast<Cell *>(f.form->Text2[k])->formula().isEmpty());

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
        QTest::addColumn<QStringList>("givens"); // as the given cells show them, where it matters
        const QList<double> small{3, 4, 5, 14, 12};
        const QList<double> big{1234.5, 2000, 2350.32, 6469, 2469000};
        const QList<double> eighths{1.125, 2.375, 2.62797450520358, 7, 2.671875};
        QTest::newRow("bg_BG, three decimals") << "bg_BG" << 0 << "1,125" << "2,375" << eighths
                                               << QStringList{"1,125", "2,375"};
        QTest::newRow("en_US, three decimals") << "en_US" << 0 << "1.125" << "2.375" << eighths
                                               << QStringList{"1.125", "2.375"};
        QTest::newRow("bg_BG, four decimals") << "bg_BG" << 9 << "7,1234" << "3,0001"
                                              << QList<double>{1.3669336769345768, 2.1947663230654233, 2.5856347170472476, 7.1234, 3.0001}
                                              << QStringList{"7,1234", "3,0001"};
        QTest::newRow("en_US, four decimals") << "en_US" << 2 << "0.0125" << "3.5"
                                              << QList<double>{0.0125, 1.7375, 1.7375449634469895, 3.5, 0.021718750000000002}
                                              << QStringList{"0.0125", "3.50"};
        const QStringList any;
        QTest::newRow("C, 3-4-5") << "C" << 0 << "3" << "4" << small << any;
        QTest::newRow("C, thousands") << "C" << 0 << "1234.5" << "2000" << big << any;
        QTest::newRow("en_US, 3-4-5") << "en_US" << 9 << "14" << "12" << small << any;
        QTest::newRow("en_US, thousands") << "en_US" << 0 << "1234.5" << "2000" << big << any;
        QTest::newRow("en_US, thousands typed grouped") << "en_US" << 0 << "1,234.5" << "2,000" << big << any;
        QTest::newRow("bg_BG, 3-4-5") << "bg_BG" << 6 << "4" << "12" << small << any;
        QTest::newRow("bg_BG, point typed") << "bg_BG" << 0 << "1234.5" << "2000" << big << any;
        QTest::newRow("bg_BG, comma typed") << "bg_BG" << 0 << "1234,5" << "2000" << big << any;
        QTest::newRow("bg_BG, Вариант 10 millions") << "bg_BG" << 9 << "6469" << "2469000" << big
                                                    << QStringList{"6469,00", "2\u00a0469\u00a0000,00"};
    }

    void pressingTwiceGivesTheSameRow()
    {
        QFETCH(QString, locale);
        QFETCH(int, variant);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QList<double>, expected);
        QFETCH(QStringList, givens);
        QLocale::setDefault(QLocale(locale));
        QStringList expectedRow;
        for (int c = 0; c < 5; ++c) {
            const bool given = solver::isGivenCell(variant * 5 + c);
            expectedRow << (given ? runtime::givenText(expected[c]) : runtime::twoDecimalText(expected[c]));
        }

        FormFixture f;
        f.calculate(variant, first, second);
        QCOMPARE(f.row(variant), expectedRow);
        const auto cells = givenCells(variant);
        if (!givens.isEmpty())
            QCOMPARE((QStringList{f.form->Text2[cells[0]]->text(), f.form->Text2[cells[1]]->text()}), givens);
        f.pressCalculate();
        QCOMPARE(f.row(variant), expectedRow);
        QVERIFY(f.guard->take().isEmpty());
    }

    void typingReachesOnlyGivenCellsOfTheSelectedRow_data()
    {
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("cell");
        QTest::newRow("result cell of the selected row") << 1 << 6;
        QTest::newRow("result cell of another row") << 1 << 2;
        QTest::newRow("S cell of row 0 right after start") << 0 << 4;
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

    void givenCellOfAnotherRowSelectsIt_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("expected");
        QTest::newRow("click, then type") << 0 << "click" << "123";
        QTest::newRow("Tab to it, then type") << 49 << "tab" << "123";
        QTest::newRow("Tab to it, then paste") << 13 << "paste" << "456";
    }

    void givenCellOfAnotherRowSelectsIt()
    {
        QFETCH(int, cell);
        QFETCH(QString, how);
        QFETCH(QString, expected);
        FormFixture f;
        f.calculate(1, QStringLiteral("3"), QStringLiteral("5"));
        QLineEdit *edit = f.form->Text2[cell];
        if (how == u"click") {
            QTest::mouseClick(edit, Qt::LeftButton);
        } else {
            edit->setFocus(Qt::TabFocusReason);
            QCOMPARE(f.form->SelectedVariant.toInt16(), qint16(1)); // focus alone selects nothing
        }
        if (how == u"paste") {
            QApplication::clipboard()->setText(QStringLiteral("456"));
            QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(edit, QStringLiteral("123"));
        }
        // As its option button would: that row selected, the grid emptied, then the typing.
        QCOMPARE(f.form->SelectedVariant.toInt16(), qint16(cell / 5));
        QVERIFY(f.form->Option1[cell / 5]->isChecked());
        QCOMPARE(f.row(1), QStringList(5, QString()));
        QCOMPARE(edit->text(), expected);
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
