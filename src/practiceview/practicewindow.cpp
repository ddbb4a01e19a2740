// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Упражнение": problems, answers and their verdicts, the hint and the working.
#include "practiceview/practicewindow.h"

#include "form/accessibility.h"
#include "practiceview/worksheetdialog.h"
#include "solution/linebreaks.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QShowEvent>
#include <QTimer>

using namespace Qt::StringLiterals;
using practice::FieldState;
using practice::Verdict;

namespace practiceview {

namespace {

// The sign before a verdict's words: a second cue beside the colour, which a pupil
// who does not tell red from green still reads.
QString sign(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Right:
        return u"✓ "_s;
    case Verdict::Almost:
        return u"≈ "_s;
    case Verdict::Wrong:
        return u"✗ "_s;
    case Verdict::Unreadable:
        break;
    }
    return u"? "_s;
}

// The words' colour: dark enough to read on the window's background.
QColor textColour(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Right:
        return QColor(0x1b, 0x5e, 0x20);
    case Verdict::Almost:
        return QColor(0x7a, 0x4a, 0x00);
    case Verdict::Wrong:
        return QColor(0xb0, 0x00, 0x20);
    case Verdict::Unreadable:
        break;
    }
    return QColor(Qt::black);
}

} // namespace

QColor PracticeWindow::rightColour()
{
    return QColor(0xc8, 0xf0, 0xc0);
}

QColor PracticeWindow::almostColour()
{
    return QColor(0xff, 0xe8, 0xa0);
}

QColor PracticeWindow::wrongColour()
{
    return QColor(0xff, 0xc8, 0xc8);
}

void PracticeWindow::newProblem()
{
    showProblem(m_generator->next());
}

void PracticeWindow::findProblem()
{
    // Not a blocking dialog: the browser's event loop cannot wait inside an event.
    auto *dialog = new QDialog(this);
    dialog->setObjectName(u"findDialog"_s);
    dialog->setWindowTitle(u"Задача №"_s);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    auto *number = new QSpinBox(dialog);
    number->setObjectName(u"problemNumber"_s);
    number->setRange(1, int(practice::kMaxNumber));
    number->setValue(int(m_sitting.problem().number()));
    number->selectAll();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    auto *form = new QFormLayout(dialog);
    form->addRow(u"Номер на задачата (със същите ниво и варианти):"_s, number);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    connect(dialog, &QDialog::accepted, this, [this, number] {
        showProblem(practice::makeProblem(quint32(number->value()), m_settings));
    });
    dialog->open();
}

void PracticeWindow::showProblem(const practice::Problem &problem)
{
    m_sitting.start(problem);
    m_judged = {};
    m_title->setText(problem.title());
    m_statement->setText(problem.statement());
    const QList<int> unknowns = problem.unknowns();
    for (int column = 0; column < int(m_rows.size()); ++column) {
        const Row &row = m_rows[column];
        const bool asked = unknowns.contains(column);
        row.field->clear();
        row.field->setReadOnly(false);
        row.field->setPalette(QPalette());
        row.field->setAccessibleName(row.name->text() + u' ' + problem.unitAfter(column));
        row.field->setAccessibleDescription(QString());
        row.unit->setText(problem.unitAfter(column));
        row.verdict->clear();
        for (QWidget *widget : {static_cast<QWidget *>(row.name), static_cast<QWidget *>(row.field),
                                static_cast<QWidget *>(row.unit), static_cast<QWidget *>(row.verdict)})
            widget->setVisible(asked);
    }
    m_noRectangle->setChecked(false);
    m_noRectangle->setEnabled(true);
    m_noRectangleVerdict->clear();
    m_message->clear();
    m_working->clear();
    m_score->setText(m_sitting.score());
    m_lastField = field(unknowns.value(0, -1));
    updateButtons();
    if (m_lastField)
        m_lastField->setFocus();
    accessibility::say(this, problem.title() + u". "_s + problem.statement());
}

QLineEdit *PracticeWindow::field(int column) const
{
    if (column < 0 || column >= int(m_rows.size()) || !m_sitting.problem().unknowns().contains(column))
        return nullptr;
    return m_rows[column].field;
}

QLabel *PracticeWindow::verdict(int column) const
{
    return field(column) ? m_rows[column].verdict : nullptr;
}

void PracticeWindow::markField(int column, const practice::Check &check, bool closed)
{
    const Row &row = m_rows[column];
    QPalette palette;
    switch (check.verdict) {
    case Verdict::Right:
        palette.setColor(QPalette::Base, rightColour());
        break;
    case Verdict::Almost:
        palette.setColor(QPalette::Base, almostColour());
        break;
    case Verdict::Wrong:
        palette.setColor(QPalette::Base, wrongColour());
        break;
    case Verdict::Unreadable:
        break;
    }
    palette.setColor(QPalette::Text, Qt::black);
    row.field->setPalette(palette);
    row.field->setReadOnly(closed);
    QPalette words = row.verdict->palette();
    words.setColor(QPalette::WindowText, textColour(check.verdict));
    row.verdict->setPalette(words);
    row.verdict->setText(sign(check.verdict) + check.message);
    row.field->setAccessibleDescription(check.message);
}

void PracticeWindow::check()
{
    const practice::Problem &problem = m_sitting.problem();
    if (m_sitting.finished()) {
        m_message->setText(u"Задачата е решена. „Нова задача“ (Ctrl+N) дава следващата."_s);
        accessibility::say(this, m_message->text());
        return;
    }
    QStringList spoken;
    QStringList hints;
    QStringList working;
    if (m_noRectangle->isChecked()) {
        const practice::Feedback feedback = m_sitting.answerNoRectangle();
        QPalette words = m_noRectangleVerdict->palette();
        words.setColor(QPalette::WindowText, textColour(feedback.check.verdict));
        m_noRectangleVerdict->setPalette(words);
        const QString text = sign(feedback.check.verdict) + feedback.check.message;
        m_noRectangleVerdict->setText(text);
        spoken << u"Няма такъв правоъгълник: "_s + text.mid(2);
        if (!feedback.hint.isEmpty())
            hints << feedback.hint;
        if (!feedback.answer.isEmpty())
            m_noRectangleVerdict->setText(text + u" "_s + feedback.answer);
        working = feedback.working;
        // A rectangle there is: the tick was wrong, and the fields are still to fill.
        if (problem.hasRectangle())
            m_noRectangle->setChecked(false);
    } else {
        // The fields typed into since they were last judged: an answer judged once is
        // no new try. With none, the one in focus, so that the pupil hears that it is
        // empty or was judged already.
        QList<int> columns;
        int focused = -1;
        int firstOpen = -1;
        for (int column : problem.unknowns()) {
            if (m_sitting.state(problem.hasRectangle() ? column : practice::kNoRectangle) != FieldState::Open)
                continue;
            if (firstOpen < 0)
                firstOpen = column;
            if (m_rows[column].field == m_lastField)
                focused = column;
            const QString text = m_rows[column].field->text().trimmed();
            if (!text.isEmpty() && text != m_judged[std::size_t(column)])
                columns << column;
        }
        // Without a rectangle every field is a try at the same question: one answer
        // is judged, the one in focus where it is new.
        if (!problem.hasRectangle() && columns.size() > 1)
            columns = {columns.contains(focused) ? focused : columns.first()};
        if (columns.isEmpty()) {
            const int column = focused >= 0 ? focused : firstOpen;
            if (!m_rows[column].field->text().trimmed().isEmpty()) {
                m_message->setText(u"Този отговор вече е проверен: поправете го и натиснете „Провери“."_s);
                accessibility::say(this, m_message->text());
                return;
            }
            columns << column;
        }
        for (int column : std::as_const(columns)) {
            m_judged[std::size_t(column)] = m_rows[column].field->text().trimmed();
            const practice::Feedback feedback = m_sitting.answer(column, m_rows[column].field->text());
            const int state = problem.hasRectangle() ? column : practice::kNoRectangle;
            markField(column, feedback.check, m_sitting.state(state) != FieldState::Open);
            QString said = practice::Problem::letter(column) + u": "_s + feedback.check.message;
            if (!feedback.answer.isEmpty()) {
                m_rows[column].verdict->setText(m_rows[column].verdict->text() + u". Отговор: "_s + feedback.answer);
                said += u". Отговор: "_s + feedback.answer;
            }
            spoken << said;
            if (!feedback.hint.isEmpty())
                hints << feedback.hint;
            if (!feedback.working.isEmpty())
                working = feedback.working;
        }
    }
    m_message->setText(hints.isEmpty() ? QString() : u"Подсказка: "_s + hints.join(u"; "_s));
    if (!working.isEmpty())
        showWorking(working);
    if (!m_message->text().isEmpty())
        spoken << m_message->text();
    m_score->setText(m_sitting.score());
    updateButtons();
    accessibility::say(this, spoken.join(u". "_s));

    // On to the next field to answer, or to the next problem; a field still open
    // keeps the focus for another try.
    if (m_sitting.finished()) {
        m_next->setFocus();
        return;
    }
    const auto *edit = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    if (edit && !edit->isReadOnly())
        return;
    for (int column : problem.unknowns()) {
        if (!m_rows[column].field->isReadOnly()) {
            m_rows[column].field->setFocus();
            return;
        }
    }
}

void PracticeWindow::showHint()
{
    const practice::Problem &problem = m_sitting.problem();
    int column = -1;
    for (int c : problem.unknowns()) {
        if (m_rows[c].field->isReadOnly())
            continue;
        if (column < 0 || m_rows[c].field == m_lastField)
            column = c;
    }
    if (column < 0)
        column = problem.unknowns().value(0);
    m_message->setText(u"Подсказка: "_s + m_sitting.hint(column));
    accessibility::say(this, m_message->text());
}

void PracticeWindow::showSolution()
{
    const QStringList lines = m_sitting.showSolution();
    showAnswers();
    showWorking(lines);
    m_score->setText(m_sitting.score());
    updateButtons();
    QStringList spoken{u"Решение"_s};
    const practice::Problem &problem = m_sitting.problem();
    if (problem.hasRectangle()) {
        for (int column : problem.unknowns())
            spoken << problem.answer(column);
    } else {
        spoken << problem.reason();
    }
    accessibility::say(this, spoken.join(u". "_s));
    m_next->setFocus();
}

void PracticeWindow::showAnswers()
{
    const practice::Problem &problem = m_sitting.problem();
    for (int column : problem.unknowns()) {
        const Row &row = m_rows[column];
        if (problem.hasRectangle() && m_sitting.state(column) == FieldState::Shown) {
            row.field->setReadOnly(true);
            row.verdict->setPalette(QPalette());
            row.verdict->setText(u"Отговор: "_s + problem.answer(column));
        } else if (!problem.hasRectangle()) {
            row.field->setReadOnly(true);
        }
    }
    if (!problem.hasRectangle() && m_sitting.state(practice::kNoRectangle) == FieldState::Shown) {
        m_noRectangleVerdict->setPalette(QPalette());
        m_noRectangleVerdict->setText(u"Отговор: няма такъв правоъгълник. "_s + problem.reason());
    }
}

void PracticeWindow::showWorking(const QStringList &lines)
{
    QStringList shown;
    for (const QString &line : lines)
        shown << solution::keepFormulasTogether(line);
    m_working->setPlainText(shown.join(u'\n'));
}

void PracticeWindow::insertRoot()
{
    if (!m_lastField || m_lastField->isReadOnly() || !m_lastField->isVisible())
        return;
    m_lastField->insert(u"√"_s);
    m_lastField->setFocus();
}

void PracticeWindow::updateButtons()
{
    // A field answered, twice wrong or shown takes no more typing; without a
    // rectangle all of them follow the one question whether there is one.
    const practice::Problem &problem = m_sitting.problem();
    for (int column : problem.unknowns()) {
        const int field = problem.hasRectangle() ? column : practice::kNoRectangle;
        m_rows[column].field->setReadOnly(m_sitting.state(field) != FieldState::Open);
    }
    const bool open = !m_sitting.finished();
    m_check->setEnabled(open);
    m_hint->setEnabled(open);
    m_solution->setEnabled(open);
    m_root->setEnabled(open);
    m_noRectangle->setEnabled(open);
}

void PracticeWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Said once more when the window is first seen: said while it was made, before a
    // screen reader knew of it, the problem was heard by nobody.
    if (!event->spontaneous() && !m_shown) {
        m_shown = true;
        QTimer::singleShot(0, this, [this] {
            accessibility::say(this, m_sitting.problem().title() + u". "_s + m_sitting.problem().statement());
        });
    }
}

bool PracticeWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            m_lastField = edit;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier));
        if (enter) {
            // Enter checks from a field or the tick, and presses a button in focus.
            if (auto *button = qobject_cast<QPushButton *>(watched))
                button->animateClick();
            else
                check();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void PracticeWindow::openWorksheet()
{
    practice::WorksheetOptions options;
    options.settings = m_settings;
    if (options.settings.levels.isEmpty())
        options.settings.levels = {practice::Level::Whole, practice::Level::Decimal, practice::Level::Roots};
    options.seed = QRandomGenerator::global()->bounded(1000u, 10000u);
    openWorksheet(options);
}

void PracticeWindow::openWorksheet(const practice::WorksheetOptions &options)
{
    auto *dialog = new WorksheetDialog(options, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

} // namespace practiceview
