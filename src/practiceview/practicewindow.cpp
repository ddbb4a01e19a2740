// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practiceview/practicewindow.h"

#include "form/accessibility.h"
#include "practiceview/worksheetdialog.h"
#include "solution/linebreaks.h"
#include "solver/rectangle.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using practice::FieldState;
using practice::Verdict;

namespace practiceview {

namespace {

const QString kLevelKey = u"practice/level"_s;
const QString kVariantKey = u"practice/variant"_s;
const QString kUnitKey = u"practice/unit"_s;
const QString kWithoutRectangleKey = u"practice/withoutRectangle"_s;
// The names the settings keep, in the order of LengthUnit (as "Решение" keeps them).
const QStringList kUnitNames{u"none"_s, u"mm"_s, u"cm"_s, u"dm"_s, u"m"_s, u"km"_s};

constexpr int kAllLevels = 0;
constexpr int kAllVariants = 0;

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

// "Вариант 2: a и d".
QString variantName(int variant)
{
    const auto &given = solver::kGivenColumns[std::size_t(variant - 1)];
    return u"Вариант %1: %2 и %3"_s.arg(variant)
        .arg(practice::Problem::letter(given[0]), practice::Problem::letter(given[1]));
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

PracticeWindow::PracticeWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"PracticeWindow"_s);
    setWindowTitle(u"Упражнение"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        setFont(parent->font()); // a window of its own takes no font from its parent
    accessibility::speaks(this);

    createSettings();

    m_title = new QLabel(this);
    m_title->setObjectName(u"problemTitle"_s);
    QFont bold = font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_score = new QLabel(this);
    m_score->setObjectName(u"score"_s);
    m_statement = new QLabel(this);
    m_statement->setObjectName(u"statement"_s);
    m_statement->setWordWrap(true);
    m_statement->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont larger = font();
    larger.setPointSizeF(font().pointSizeF() * 1.25);
    m_statement->setFont(larger);

    m_fieldsBox = new QWidget(this);
    auto *grid = new QGridLayout(m_fieldsBox);
    grid->setContentsMargins(0, 0, 0, 0);
    for (int column = 0; column < solver::kColumnCount; ++column) {
        Row row;
        const QString letter = practice::Problem::letter(column);
        row.name = new QLabel(letter + u" ="_s, m_fieldsBox);
        row.field = new QLineEdit(m_fieldsBox);
        row.field->setObjectName(u"answer_"_s + letter);
        row.field->setMinimumWidth(row.field->fontMetrics().horizontalAdvance(u"(5 − √5) : 2 + 10"_s));
        row.field->installEventFilter(this);
        row.name->setBuddy(row.field);
        row.unit = new QLabel(m_fieldsBox);
        row.verdict = new QLabel(m_fieldsBox);
        row.verdict->setObjectName(u"verdict_"_s + letter);
        row.verdict->setWordWrap(true);
        grid->addWidget(row.name, column, 0, Qt::AlignRight);
        grid->addWidget(row.field, column, 1);
        grid->addWidget(row.unit, column, 2);
        grid->addWidget(row.verdict, column, 3);
        m_rows << row;
    }
    grid->setColumnStretch(3, 1);

    m_noRectangle = new QCheckBox(u"Няма такъв правоъгълник"_s, this);
    m_noRectangle->setObjectName(u"noRectangle"_s);
    m_noRectangle->installEventFilter(this);
    m_noRectangleVerdict = new QLabel(this);
    m_noRectangleVerdict->setObjectName(u"noRectangleVerdict"_s);
    m_noRectangleVerdict->setWordWrap(true);

    createButtons();

    m_message = new QLabel(this);
    m_message->setObjectName(u"message"_s);
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_working = new QPlainTextEdit(this);
    m_working->setObjectName(u"working"_s);
    m_working->setReadOnly(true);
    m_working->setAccessibleName(u"Решение"_s);
    m_working->setPlaceholderText(u"Тук се показва решението: с „Покажи решението“ или след втори грешен отговор."_s);

    layOut();
    readSettings();
    newProblem();
}

PracticeWindow::~PracticeWindow() = default;

void PracticeWindow::createSettings()
{
    m_level = new QComboBox(this);
    m_level->setObjectName(u"levelChoice"_s);
    for (int level = 1; level <= practice::kLevelCount; ++level)
        m_level->addItem(practice::levelName(practice::Level(level)), level);
    m_level->addItem(u"Всички нива"_s, kAllLevels);
    m_level->setAccessibleName(u"Ниво"_s);

    m_variant = new QComboBox(this);
    m_variant->setObjectName(u"variantChoice"_s);
    m_variant->addItem(u"Всички варианти"_s, kAllVariants);
    for (int variant = 1; variant <= solver::kVariantCount; ++variant)
        m_variant->addItem(variantName(variant), variant);
    m_variant->setAccessibleName(u"Вариант"_s);

    m_unit = new QComboBox(this);
    m_unit->setObjectName(u"unitChoice"_s);
    for (int u = 0; u < kUnitNames.size(); ++u) {
        const QString symbol = solver::unitSymbol(solver::LengthUnit(u));
        m_unit->addItem(symbol.isEmpty() ? u"без"_s : symbol, u);
    }
    m_unit->setAccessibleName(u"Мерна единица"_s);

    m_withoutRectangle = new QCheckBox(u"и задачи без решение"_s, this);
    m_withoutRectangle->setObjectName(u"withoutRectangle"_s);
}

void PracticeWindow::createButtons()
{
    const auto makeButton = [this](const QString &text, const QString &name, const QString &keys) {
        auto *button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setToolTip(keys);
        button->installEventFilter(this);
        return button;
    };
    m_root = makeButton(u"√"_s, u"rootButton"_s, u"Знакът √ в полето (Ctrl+Shift+K)"_s);
    m_root->setAccessibleName(u"Знак корен"_s);
    m_root->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K));
    m_check = makeButton(u"Провери"_s, u"checkButton"_s, u"Enter"_s);
    m_hint = makeButton(u"Подсказка"_s, u"hintButton"_s, u"F1"_s);
    m_hint->setShortcut(QKeySequence(Qt::Key_F1));
    m_solution = makeButton(u"Покажи решението"_s, u"solutionButton"_s, u"Ctrl+R"_s);
    m_solution->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_next = makeButton(u"Нова задача"_s, u"nextButton"_s, u"Ctrl+N"_s);
    m_next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_find = makeButton(u"Задача №…"_s, u"findButton"_s, u"Ctrl+G"_s);
    m_find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    m_worksheet = makeButton(u"Работен лист…"_s, u"worksheetButton"_s, u"Ctrl+P"_s);
    m_worksheet->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));

    connect(m_root, &QPushButton::clicked, this, &PracticeWindow::insertRoot);
    connect(m_check, &QPushButton::clicked, this, &PracticeWindow::check);
    connect(m_hint, &QPushButton::clicked, this, &PracticeWindow::showHint);
    connect(m_solution, &QPushButton::clicked, this, &PracticeWindow::showSolution);
    connect(m_next, &QPushButton::clicked, this, &PracticeWindow::newProblem);
    connect(m_find, &QPushButton::clicked, this, &PracticeWindow::findProblem);
    connect(m_worksheet, &QPushButton::clicked, this, qOverload<>(&PracticeWindow::openWorksheet));
}

void PracticeWindow::layOut()
{
    auto *settings = new QHBoxLayout;
    const auto labelled = [this, settings](const QString &text, QWidget *widget) {
        auto *label = new QLabel(text, this);
        label->setBuddy(widget);
        settings->addWidget(label);
        settings->addWidget(widget);
    };
    labelled(u"&Ниво:"_s, m_level);
    labelled(u"&Вариант:"_s, m_variant);
    labelled(u"&Мерна единица:"_s, m_unit);
    settings->addWidget(m_withoutRectangle);
    settings->addStretch();

    auto *heading = new QHBoxLayout;
    heading->addWidget(m_title);
    heading->addStretch();
    heading->addWidget(m_score);

    auto *tick = new QHBoxLayout;
    tick->addWidget(m_noRectangle);
    tick->addWidget(m_noRectangleVerdict, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_root);
    buttons->addSpacing(12);
    for (QPushButton *button : {m_check, m_hint, m_solution, m_next})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(m_find);
    buttons->addWidget(m_worksheet);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addLayout(heading);
    layout->addWidget(m_statement);
    layout->addWidget(m_fieldsBox);
    layout->addLayout(tick);
    layout->addLayout(buttons);
    layout->addWidget(m_message);
    layout->addWidget(m_working, 1);
    resize(760, 560);
}

void PracticeWindow::readSettings()
{
    const QSettings stored;
    const auto select = [](QComboBox *box, const QVariant &value) {
        const int index = box->findData(value);
        if (index >= 0)
            box->setCurrentIndex(index);
    };
    select(m_level, stored.value(kLevelKey, 1).toInt());
    select(m_variant, stored.value(kVariantKey, kAllVariants).toInt());
    select(m_unit, int(kUnitNames.indexOf(stored.value(kUnitKey, u"cm"_s).toString())));
    m_withoutRectangle->setChecked(stored.value(kWithoutRectangleKey, false).toBool());

    const int level = m_level->currentData().toInt();
    const int variant = m_variant->currentData().toInt();
    m_settings = practice::Settings();
    m_settings.levels = level == kAllLevels ? QList<practice::Level>{} : QList{practice::Level(level)};
    m_settings.variants = variant == kAllVariants ? QList<int>{} : QList{variant};
    m_settings.unit = solver::LengthUnit(m_unit->currentData().toInt());
    m_settings.withoutRectangle = m_withoutRectangle->isChecked();
    m_generator = std::make_unique<practice::Generator>(m_settings, QRandomGenerator::global()->generate64());

    // Connected once the stored values are in, so that reading them starts nothing.
    for (QComboBox *box : {m_level, m_variant, m_unit})
        connect(box, &QComboBox::currentIndexChanged, this, &PracticeWindow::settingsChanged, Qt::UniqueConnection);
    connect(m_withoutRectangle, &QCheckBox::toggled, this, &PracticeWindow::settingsChanged, Qt::UniqueConnection);
}

void PracticeWindow::settingsChanged()
{
    QSettings stored;
    stored.setValue(kLevelKey, m_level->currentData().toInt());
    stored.setValue(kVariantKey, m_variant->currentData().toInt());
    stored.setValue(kUnitKey, kUnitNames.value(m_unit->currentData().toInt()));
    stored.setValue(kWithoutRectangleKey, m_withoutRectangle->isChecked());
    readSettings();
    // The problem on screen no longer fits what was chosen.
    newProblem();
}

void PracticeWindow::newProblem()
{
    showProblem(m_generator->next());
}

void PracticeWindow::findProblem()
{
    bool ok = false;
    const int number = QInputDialog::getInt(this, u"Задача №"_s, u"Номер на задачата (със същите ниво и варианти):"_s,
                                            int(m_sitting.problem().number()), 1, int(practice::kMaxNumber), 1, &ok);
    if (ok)
        showProblem(practice::makeProblem(quint32(number), m_settings));
}

void PracticeWindow::showProblem(const practice::Problem &problem)
{
    m_sitting.start(problem);
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
        // The fields typed into; with none, the one in focus, so that the pupil hears
        // that it is empty.
        QList<int> columns;
        for (int column : problem.unknowns()) {
            if (m_sitting.state(problem.hasRectangle() ? column : practice::kNoRectangle) == FieldState::Open
                && !m_rows[column].field->text().trimmed().isEmpty())
                columns << column;
        }
        if (columns.isEmpty()) {
            int column = problem.unknowns().value(0);
            for (int c : problem.unknowns()) {
                if (m_rows[c].field == m_lastField && m_sitting.state(c) == FieldState::Open)
                    column = c;
            }
            columns << column;
        }
        // Without a rectangle every field is a try at the same question: one answer
        // is judged, not each.
        if (!problem.hasRectangle())
            columns = columns.mid(0, 1);
        for (int column : std::as_const(columns)) {
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
