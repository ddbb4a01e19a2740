// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/quadrelon.h"

#include "form/accessibility.h"
#include "form/cell.h"
#include "form/layout.h"
#include "runtime/errorreport.h"
#include "runtime/eventhandler.h"
#include "runtime/numbertext.h"
#include "solver/shown.h"

#include <QAction>
#include <QActionEvent>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <utility>

using runtime::Variant;

namespace {

const Variant kOne{qint16(1)};
const Variant kFive{qint16(5)};

// The form's cells as the solver reads them.
class FormCells final : public solver::CellTexts
{
public:
    explicit FormCells(const std::array<QLineEdit *, solver::kCellCount> &cells) : m_cells(cells) {}

    QString text(qint16 cell) const override
    {
        if (cell < 0 || cell >= solver::kCellCount)
            runtime::raise(runtime::ErrorCode::ControlFailure);
        return m_cells[cell]->text();
    }

private:
    const std::array<QLineEdit *, solver::kCellCount> &m_cells;
};

// Index of a column's cell in the selected row.
qint16 rowCell(const Variant &selected, const Variant &column)
{
    return ((kFive * selected) + column).toInt16();
}

} // namespace

Quadrelon::Quadrelon(QWidget *parent) : QWidget(parent)
{
    accessibility::attach(this);
    createControls();
    createActions();
    handleEvent([this] { Form_Load(); });
}

Quadrelon::~Quadrelon() = default;

QLineEdit *Quadrelon::cell(qint16 index) const
{
    if (index < 0 || index >= solver::kCellCount)
        runtime::raise(runtime::ErrorCode::ControlFailure);
    return Text2[index];
}

void Quadrelon::handleEvent(const std::function<void()> &handler)
{
    runtime::runHandler(handler,
                        [this](const runtime::RuntimeError &error) { report(error); });
}

void Quadrelon::report(const runtime::RuntimeError &error)
{
    // In the browser the box is still open when reportError() returns: the keys are
    // given back to the grid as it closes, on the desktop too.
    const qint16 cell = std::exchange(m_cellAfterReport, qint16(-1));
    runtime::reportError(this, error, [this, cell] {
        if (cell < 0)
            return;
        activateWindow();
        focusGiven(cell);
    });
}

void Quadrelon::Form_Load()
{
    LastCellIndex = 49;
    // Selecting from code raises the Click, so variant 0 is set up before the lock
    // loop below, which starts at cell 4 and so leaves cells 0 to 3 open.
    Option1[0]->setChecked(true);
    for (Variant i{qint16(4)}; compare(i, Variant(LastCellIndex)) <= 0; i = i + kOne)
        cell(i.toInt16())->setReadOnly(true);
}

void Quadrelon::Option1_Click(qint16 Index)
{
    const qint16 first = runtime::checkedMultiply(Index, 5);
    const qint16 last = runtime::checkedAdd(runtime::checkedAdd(first, 5), -1);
    SelectedVariant = Variant(Index);
    for (Variant i{qint16(0)}; compare(i, Variant(LastCellIndex)) <= 0; i = i + kOne) {
        cell(i.toInt16())->setText(QString());
        cell(i.toInt16())->setReadOnly(true);
    }
    for (Variant i{first}; compare(i, Variant(last)) <= 0; i = i + kOne)
        cell(i.toInt16())->setReadOnly(false);
    clearFormulas();
    m_calculated = false;
    Q_EMIT cleared();
}

void Quadrelon::Command1_Click(qint16 Index)
{
    if (Index == 0) {
        Calculate();
    } else if (Index == 1) {
        for (Variant i{qint16(0)}; compare(i, Variant(LastCellIndex)) <= 0; i = i + kOne)
            cell(i.toInt16())->setText(QString());
        clearFormulas();
        m_calculated = false;
        Q_EMIT cleared();
    }
}

void Quadrelon::Calculate()
{
    const qint16 typedIn = focusedGivenCell();
    // A failure before the solver runs (a number too large to read) is the last
    // calculation's too.
    m_steps = solver::Steps{};
    m_steps.variant = SelectedVariant.toInt16();
    try {
        solveSelectedRow();
    } catch (const runtime::RuntimeError &error) {
        m_steps.failed = true;
        m_steps.error = error.code();
        m_steps.about = error.about();
        // No answer is left standing that looks like one: the row keeps its given
        // values and shows no results.
        emptyResults();
        m_calculated = true;
        m_cellAfterReport = givenCellOf(error.about(), typedIn);
        Q_EMIT calculationFailed();
        throw;
    }
    m_calculated = true;
    // Before the results are announced, so that the move of the focus does not cut
    // the announcement short.
    focusGiven(typedIn >= 0 ? typedIn : givenCellOf(0, -1));
    Q_EMIT calculated();
}

void Quadrelon::emptyResults()
{
    for (qint16 c = 0; c < solver::kColumnCount; ++c) {
        const qint16 k = rowCell(SelectedVariant, Variant(c));
        if (!solver::isGivenCell(k))
            writeCell(k, QString());
    }
    clearFormulas();
}

void Quadrelon::givenEdited(qint16 cell)
{
    if (!m_calculated || cell / solver::kColumnCount != SelectedVariant.toInt16())
        return;
    m_calculated = false;
    emptyResults();
    Q_EMIT givenChanged();
}

qint16 Quadrelon::focusedGivenCell() const
{
    const qint16 row = SelectedVariant.toInt16();
    if (row < 0 || row >= solver::kVariantCount)
        return -1;
    for (const int column : solver::kGivenColumns[row]) {
        const qint16 k = qint16(row * solver::kColumnCount + column);
        if (Text2[k]->hasFocus())
            return k;
    }
    return -1;
}

qint16 Quadrelon::givenCellOf(runtime::Quantities about, qint16 otherwise) const
{
    // The first of the row's given cells when the error names neither of them (the
    // values disagree with each other) and the user was in none.
    const qint16 row = SelectedVariant.toInt16();
    if (row < 0 || row >= solver::kVariantCount)
        return -1;
    for (const int column : solver::kGivenColumns[row]) {
        if (about & runtime::quantity(column))
            return qint16(row * solver::kColumnCount + column);
    }
    return otherwise >= 0 ? otherwise : qint16(row * solver::kColumnCount + solver::kGivenColumns[row][0]);
}

void Quadrelon::focusGiven(qint16 cell)
{
    if (cell < 0 || cell >= solver::kCellCount)
        return;
    QLineEdit *edit = Text2[std::size_t(cell)];
    edit->setFocus(Qt::OtherFocusReason);
    // Selected from its end back to its start, the cell still shows its first digit.
    const int length = int(edit->text().size());
    edit->setSelection(length, -length);
}

void Quadrelon::solveSelectedRow()
{
    // Each cell of the row that starts with a number is rewritten as that number's
    // absolute value, in a text that reads back as the very same value, so that a
    // second press computes the same row; a cell without a number stays as typed.
    const auto normalisedCell = [this](qint16 i) {
        return (((kFive * SelectedVariant) + Variant(i)) - kOne).toInt16();
    };
    Variant a;
    for (qint16 i = 1; i <= 5; i = runtime::checkedAdd(i, 1)) {
        qint16 k = normalisedCell(i);
        bool found = false;
        a = Variant(runtime::readNumber(cell(k)->text(), &found));
        k = normalisedCell(i);
        if (found)
            writeCell(k, runtime::givenText(runtime::abs(a).toDouble(), cell(k)->text()));
    }

    solver::WorkingValues values;
    solver::SolveVariant(SelectedVariant, FormCells(Text2), Sides, values, &m_steps);

    // The given values as read; the results with two decimals, a tie rounded up where
    // the exact value is known.
    const std::array<const Variant *, solver::kColumnCount> row{&values.a, &values.b, &values.d,
                                                                &values.P, &values.S};
    const auto results = solver::shownResults(m_steps);
    for (qint16 c = 0; c < solver::kColumnCount; ++c) {
        const qint16 k = rowCell(SelectedVariant, Variant(c));
        const double value = row[c]->toDouble();
        writeCell(k, solver::isGivenCell(k) ? runtime::givenText(value, cell(k)->text())
                     : results[c].isEmpty() ? runtime::twoDecimalText(value)
                                            : results[c]);
    }
}

void Quadrelon::writeCell(qint16 k, const QString &text)
{
    // Writing the text a cell already holds would only move its cursor to the end.
    QLineEdit *edit = cell(k);
    if (edit->text() != text)
        edit->setText(text);
}

void Quadrelon::setCellFormula(qint16 index, const QString &formula)
{
    // Called from outside any event handler, so a wrong index is no run-time error.
    if (index >= 0 && index < solver::kCellCount)
        static_cast<Cell *>(Text2[index])->setFormula(formula);
}

void Quadrelon::clearFormulas()
{
    for (QLineEdit *edit : Text2)
        static_cast<Cell *>(edit)->setFormula(QString());
}

QAction *Quadrelon::addCellAction(const QString &text, const QString &name, const QKeySequence &shortcut,
                                  const QString &hint)
{
    auto *action = new QAction(text, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    action->setProperty(Cell::kMenuProperty, true);
    action->setProperty("hint", hint);
    addAction(action);
    return action;
}

void Quadrelon::createActions()
{
    // Ctrl+C stays with the text selected in a cell.
    QAction *copy = addCellAction(QStringLiteral("Копирай реда"), QStringLiteral("copyRowAction"),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), QStringLiteral("копирай реда"));
    connect(copy, &QAction::triggered, this, [this] { handleEvent([this] { copyRow(); }); });
}

void Quadrelon::copyRow()
{
    // Plain text that pastes as a table into a spreadsheet: a header line and the
    // row's texts as the cells show them. Lines end in LF, which the clipboard turns
    // into the platform's line end (CR LF on Windows).
    QStringList texts;
    for (qint16 c = 0; c < solver::kColumnCount; ++c) {
        QString text = cell(rowCell(SelectedVariant, Variant(c)))->text();
        // A pasted tab or line break must not shift the columns.
        for (QChar breaking : {QChar(u'\t'), QChar(u'\n'), QChar(u'\r')})
            text.replace(breaking, QLatin1Char(' '));
        texts << text;
    }
    QGuiApplication::clipboard()->setText(QStringLiteral("a\tb\td\tP\tS\n") + texts.join(QLatin1Char('\t'))
                                          + QLatin1Char('\n'));
}

void Quadrelon::describeCells()
{
    QString keys = QStringLiteral(". Enter — изчисли");
    for (const QAction *action : Cell::menuActions(this)) {
        if (!action->shortcut().isEmpty()) {
            // Key names as Qt writes them on Linux and Windows. Qt's Bulgarian texts
            // spell them the same, and asking for them here would read those texts
            // at start-up.
            keys += QStringLiteral("; ") + action->shortcut().toString(QKeySequence::PortableText)
                + QStringLiteral(" — ") + action->property("hint").toString();
        }
    }
    for (int k = 0; k < solver::kCellCount; ++k) {
        const QString suffix = solver::isGivenCell(k) ? keys : QStringLiteral(" (резултат)");
        static_cast<Cell *>(Text2[k])->setDescription(layout::cellQuantity(k) + suffix);
    }
}

void Quadrelon::actionEvent(QActionEvent *event)
{
    QWidget::actionEvent(event);
    if (event->type() == QEvent::ActionAdded)
        event->action()->installEventFilter(this);
    else if (event->type() == QEvent::ActionRemoved)
        event->action()->removeEventFilter(this);
    describeCells();
}

namespace {

// A key that puts text into a line edit: a printable character, or a paste.
bool typesText(const QKeyEvent *key)
{
    if (key->matches(QKeySequence::Paste))
        return true;
    const QString text = key->text();
    return !text.isEmpty() && text.front().isPrint()
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

} // namespace

void Quadrelon::selectRowOf(QObject *watched, QEvent *event)
{
    const bool press = event->type() == QEvent::MouseButtonPress;
    if (!press && !(event->type() == QEvent::KeyPress && typesText(static_cast<QKeyEvent *>(event))))
        return;
    const auto found = std::find(Text2.begin(), Text2.end(), watched);
    if (found == Text2.end())
        return;
    const int row = int(found - Text2.begin()) / solver::kColumnCount;
    // A given cell of another variant takes what the pupil does once that variant is
    // selected, as its button would select it, instead of dropping it unseen.
    if (!(SelectedVariant == Variant(qint16(row))))
        Option1[std::size_t(row)]->click();
}

bool Quadrelon::eventFilter(QObject *watched, QEvent *event)
{
    selectRowOf(watched, event);
    // The hint and the menu flag are dynamic properties, which QAction::changed misses.
    if (event->type() == QEvent::DynamicPropertyChange && qobject_cast<QAction *>(watched))
        describeCells();
    return QWidget::eventFilter(watched, event);
}
