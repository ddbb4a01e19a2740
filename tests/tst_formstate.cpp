// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Loading, variant selection and clearing, driven through the real widgets.
#include "support/formfixture.h"

#include "runtime/errors.h"

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

class TestFormState : public QObject
{
    Q_OBJECT

private:
    static void fillAllCells(Quadrelon &form)
    {
        for (QLineEdit *cell : form.Text2)
            cell->setText(QStringLiteral("7"));
    }

    static QList<int> unlockedCells(const Quadrelon &form)
    {
        QList<int> open;
        for (int k = 0; k < 50; ++k) {
            if (!form.Text2[k]->isReadOnly())
                open << k;
        }
        return open;
    }

    static bool allEmpty(const Quadrelon &form)
    {
        return std::all_of(form.Text2.begin(), form.Text2.end(),
                           [](const QLineEdit *cell) { return cell->text().isEmpty(); });
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void controlsAreFoundByName()
    {
        FormFixture f;
        for (int k = 0; k < 50; ++k)
            QCOMPARE(f.form->findChild<QLineEdit *>(QStringLiteral("Text2_%1").arg(k)), f.form->Text2[k]);
        for (int r = 0; r < 10; ++r)
            QCOMPARE(f.form->findChild<QRadioButton *>(QStringLiteral("Option1_%1").arg(r)), f.form->Option1[r]);
        QCOMPARE(f.form->findChild<QPushButton *>(QStringLiteral("Command1_0"))->text(), QStringLiteral("Изчисли"));
        QCOMPARE(f.form->findChild<QPushButton *>(QStringLiteral("Command1_1"))->text(), QStringLiteral("Изчисти"));
        QVERIFY(f.form->findChild<QWidget *>(QStringLiteral("Frame1")));
        QCOMPARE(f.form->Option1[9]->text(), QStringLiteral("Вариант 10"));
    }

    void loadedState()
    {
        FormFixture f;
        QCOMPARE(f.form->LastCellIndex, qint16(49));
        QVERIFY(f.form->SelectedVariant.isInteger());
        QCOMPARE(f.form->SelectedVariant.toInt16(), qint16(0));
        for (int r = 0; r < 10; ++r)
            QCOMPARE(f.form->Option1[r]->isChecked(), r == 0);
        QVERIFY(allEmpty(*f.form));
        // The lock loop of loading starts at cell 4, so the S cell of row 0 is locked.
        QCOMPARE(unlockedCells(*f.form), (QList<int>{0, 1, 2, 3}));
        QVERIFY(f.guard->take().isEmpty());
    }

    void selectVariant_data()
    {
        QTest::addColumn<int>("variant");
        for (int r = 0; r < 10; ++r)
            QTest::addRow("Вариант %d", r + 1) << r;
    }

    void selectVariant()
    {
        QFETCH(int, variant);
        FormFixture f;
        if (variant == 0)
            f.selectVariant(4); // selecting the selected button again is no new selection
        fillAllCells(*f.form);
        f.selectVariant(variant);

        QCOMPARE(f.form->SelectedVariant.toInt16(), qint16(variant));
        QVERIFY(f.form->Option1[variant]->isChecked());
        QVERIFY(allEmpty(*f.form));
        QList<int> expected;
        for (int c = 0; c < 5; ++c)
            expected << variant * 5 + c;
        QCOMPARE(unlockedCells(*f.form), expected);
        QVERIFY(f.guard->take().isEmpty());
    }

    void reselectingTheSelectedVariantKeepsTheRow()
    {
        FormFixture f;
        f.selectVariant(2);
        f.typeInto(10, QStringLiteral("3"));
        f.selectVariant(2);
        QCOMPARE(f.form->Text2[10]->text(), QStringLiteral("3"));
    }

    void keyboardSelectionRaisesTheSelection()
    {
        FormFixture f;
        f.form->Option1[0]->setFocus();
        QTest::keyClick(f.form->Option1[0], Qt::Key_Down);
        QVERIFY(f.form->Option1[1]->isChecked());
        QCOMPARE(f.form->SelectedVariant.toInt16(), qint16(1));
        QCOMPARE(unlockedCells(*f.form), (QList<int>{5, 6, 7, 8, 9}));
    }

    void clearEmptiesEveryCellAndKeepsLocks()
    {
        FormFixture f;
        f.selectVariant(6);
        fillAllCells(*f.form);
        const QList<int> locksBefore = unlockedCells(*f.form);
        f.pressClear();
        QVERIFY(allEmpty(*f.form));
        QCOMPARE(unlockedCells(*f.form), locksBefore);
        QCOMPARE(f.form->SelectedVariant.toInt16(), qint16(6));
        f.typeInto(31, QStringLiteral("4"));
        QCOMPARE(f.form->Text2[31]->text(), QStringLiteral("4"));
    }

    void otherCommandIndexChangesNothing()
    {
        FormFixture f;
        fillAllCells(*f.form);
        f.form->Command1_Click(2);
        f.form->Command1_Click(-1);
        for (QLineEdit *cell : f.form->Text2)
            QCOMPARE(cell->text(), QStringLiteral("7"));
        QCOMPARE(unlockedCells(*f.form), (QList<int>{0, 1, 2, 3}));
    }

    void errorIsReportedAndTheWindowGoesOn_data()
    {
        QTest::addColumn<QString>("side");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("icon");
        // Values without a rectangle are explained; a failure keeps its number.
        QTest::newRow("no rectangle") << "0" << "Няма правоъгълник"
            << runtime::errorMessage(runtime::ErrorCode::GivenValueZero, runtime::quantity(0))
            << int(QMessageBox::Warning);
        QTest::newRow("overflow") << "1e-320" << QString() << "Грешка 6: "
            + runtime::errorMessage(runtime::ErrorCode::Overflow) << int(QMessageBox::Critical);
    }

    void errorIsReportedAndTheWindowGoesOn()
    {
        QFETCH(QString, side);
        QFETCH(QString, title);
        QFETCH(QString, text);
        QFETCH(int, icon);
        FormFixture f;
        f.selectVariant(3); // a and S given
        f.typeInto(15, side);
        f.typeInto(19, QStringLiteral("12"));
        f.pressCalculate();

        const QList<DialogGuard::Seen> seen = f.guard->take();
        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].className, QStringLiteral("QMessageBox"));
        QCOMPARE(seen[0].title, title.isEmpty() ? f.form->windowTitle() : title);
        QCOMPARE(int(seen[0].icon), icon);
        QVERIFY(seen[0].parentIsWindow);
        QCOMPARE(seen[0].text, text);
        QVERIFY(f.form->isVisible());

        f.typeInto(15, QStringLiteral("3"));
        f.typeInto(19, QStringLiteral("12"));
        f.pressCalculate();
        QCOMPARE(f.row(3), (QStringList{"3.00", "4.00", "5.00", "14.00", "12.00"}));
        QVERIFY(f.guard->take().isEmpty());
    }
};

QTEST_MAIN(TestFormState)
#include "tst_formstate.moc"
