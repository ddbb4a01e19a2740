// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/formfixture.h"

#include "solution/solutionaction.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

FormFixture::FormFixture() : form(std::make_unique<Quadrelon>())
{
    solution = SolutionAction::attach(*form); // as the program does
    guard = std::make_unique<DialogGuard>(form.get());
    form->show();
    form->activateWindow();
    (void)QTest::qWaitForWindowExposed(form.get());
}

FormFixture::~FormFixture() = default;

void FormFixture::selectVariant(int variant)
{
    QRadioButton *option = form->Option1[variant];
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

void FormFixture::typeInto(int cell, const QString &text)
{
    QLineEdit *edit = form->Text2[cell];
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void FormFixture::pressCalculate()
{
    QTest::mouseClick(form->Command1[0], Qt::LeftButton);
}

std::array<int, 2> FormFixture::givenCells(int variant)
{
    const auto &columns = solver::kGivenColumns[variant];
    return {variant * 5 + columns[0], variant * 5 + columns[1]};
}

void FormFixture::calculate(int variant, const QString &first, const QString &second)
{
    selectVariant(variant);
    const auto cells = givenCells(variant);
    typeInto(cells[0], first);
    typeInto(cells[1], second);
    pressCalculate();
}

void FormFixture::pressClear()
{
    QTest::mouseClick(form->Command1[1], Qt::LeftButton);
}

QStringList FormFixture::row(int variant) const
{
    QStringList texts;
    for (int c = 0; c < 5; ++c)
        texts << form->Text2[variant * 5 + c]->text();
    return texts;
}
