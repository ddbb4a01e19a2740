// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// "Упражнение": its controls, their layout and the settings kept between runs.
#include "practiceview/practicewindow.h"

#include "form/accessibility.h"
#include "solver/rectangle.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSettings>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

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

// "Вариант 2: a и d".
QString variantName(int variant)
{
    const auto &given = solver::kGivenColumns[std::size_t(variant - 1)];
    return u"Вариант %1: %2 и %3"_s.arg(variant)
        .arg(practice::Problem::letter(given[0]), practice::Problem::letter(given[1]));
}

} // namespace

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
    applyChoices();
}

void PracticeWindow::applyChoices()
{
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
    // The choice takes effect from the controls themselves: Windows' registry keeps no
    // cache shared between QSettings objects, so reading it back could find the old one.
    applyChoices();
    // The problem on screen no longer fits what was chosen.
    newProblem();
}

} // namespace practiceview
