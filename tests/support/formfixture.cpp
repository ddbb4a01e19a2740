#include "support/formfixture.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTest>

FormFixture::FormFixture() : form(std::make_unique<Quadrelon>())
{
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
