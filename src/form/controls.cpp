// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form/accessibility.h"
#include "form/cell.h"
#include "form/colourbutton.h"
#include "form/layout.h"
#include "form/quadrelon.h"

#include "quadrelon_config.h"
#include "runtime/startup.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <climits>
#include <map>

// Builds the window's controls from the layout table. Only this file knows how a
// control of the table becomes a widget.

namespace {

// Where Times New Roman is not installed, the window names its stand-in itself: the
// same face fontconfig would show, found without Qt's search for a substitute, which
// costs about a millisecond at start-up and is made again for each script the window
// writes in (Cyrillic, Latin, the digits).
QString windowFontFamily()
{
    const QString wanted = QString::fromLatin1(layout::kFontFamily);
    const QString standIn = QString::fromLatin1(layout::kFontStandIn);
    // The installed families as they are; hasFamily() would ask fontconfig for
    // aliases first, which costs as much as the search this avoids.
    const QStringList installed = QFontDatabase::families();
    if (!installed.contains(wanted, Qt::CaseInsensitive) && installed.contains(standIn, Qt::CaseInsensitive))
        return standIn;
    return wanted;
}

QFont windowFont()
{
    QFont font(windowFontFamily(), layout::kFontPointSize);
    font.setWeight(QFont::Normal);
    return font;
}

QRect pixelRect(const layout::Control &c)
{
    return QRect(layout::pixels(c.left), layout::pixels(c.top), layout::pixels(c.width),
                 layout::pixels(c.height));
}

// Colours that show in every state, disabled included.
void setEverywhere(QPalette &palette, QPalette::ColorRole role, const QColor &colour)
{
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, colour);
}

void fillWith(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget->palette();
    setEverywhere(palette, role, colour);
    widget->setPalette(palette);
}

// A control with a background of its own gets a text colour chosen for it; one that
// follows the system's colours keeps the system's text colour too. One palette
// change, not two: each one is sent through the control and its children.
void fillWith(QWidget *widget, QPalette::ColorRole role, const QColor &colour, QPalette::ColorRole textRole,
              const QColor &text)
{
    QPalette palette = widget->palette();
    setEverywhere(palette, role, colour);
    setEverywhere(palette, textRole, text);
    widget->setPalette(palette);
}

// Qt lays out the text of a new line edit or text box once with the application's
// font, before the control takes the window's. With the system's font that loads a
// second face (DejaVu Sans on Debian, 0.25 MiB and a fontconfig match) only to throw
// its layout away, so the window's font is the application's while the controls are
// made. Dialogs, menus and tooltips, made later, have the system's font again.
class WindowFontWhileBuilding
{
public:
    explicit WindowFontWhileBuilding(const QFont &font) : m_system(QApplication::font())
    {
        QApplication::setFont(font);
    }
    ~WindowFontWhileBuilding() { QApplication::setFont(m_system); }
    WindowFontWhileBuilding(const WindowFontWhileBuilding &) = delete;
    WindowFontWhileBuilding &operator=(const WindowFontWhileBuilding &) = delete;

private:
    const QFont m_system;
};

// What every control takes from its row of the table once it exists.
void place(QWidget *widget, const layout::Control &c)
{
    widget->setObjectName(c.objectName());
    widget->setAccessibleName(layout::accessibleName(c));
    widget->setGeometry(pixelRect(c));
    widget->setEnabled(c.enabled);
    widget->setVisible(c.visible);
}

} // namespace

QPlainTextEdit *Quadrelon::createTextBox(const layout::Control &c)
{
    auto *text = new QPlainTextEdit(this);
    text->setPlainText(c.caption);
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setTabChangesFocus(true);
    text->setFocusPolicy(Qt::StrongFocus);
    Text1[c.index] = text;
    return text;
}

QPlainTextEdit *Quadrelon::textBox(qint16 index)
{
    if (index < 0 || index >= qint16(Text1.size()))
        return nullptr;
    if (!Text1[index]) {
        for (const layout::Control &c : layout::controls()) {
            if (c.kind == layout::Kind::TextBox && c.index == index)
                place(createTextBox(c), c);
        }
    }
    return Text1[index];
}

void Quadrelon::createControls()
{
    setObjectName(QStringLiteral("Quadrelon"));
    setWindowTitle(QStringLiteral(QUADRELON_WEB_ADDRESS " ") + QString::fromUtf16(layout::kTitleText));
    setWindowIcon(runtime::programIcon());
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(layout::pixels(layout::kClientWidth), layout::pixels(layout::kClientHeight));
    setFont(windowFont());
    setAutoFillBackground(true);
    fillWith(this, QPalette::Window, layout::kWindowColour);

    std::map<int, QWidget *> byTabIndex;
    const WindowFontWhileBuilding windowFontWhileBuilding(font());
    for (const layout::Control &c : layout::controls()) {
        QWidget *widget = nullptr;
        switch (c.kind) {
        case layout::Kind::Label: {
            auto *label = new QLabel(c.caption, this);
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            label->setAutoFillBackground(true);
            fillWith(label, QPalette::Window, c.backColour, QPalette::WindowText,
                     layout::textColourFor(c.backColour));
            Label1[c.index] = label;
            widget = label;
            break;
        }
        case layout::Kind::Frame:
            // Holds the option buttons as one group; drawn without border or caption.
            Frame1 = new accessibility::OptionGroup(this);
            Frame1->setFlat(true);
            Frame1->setAutoFillBackground(true);
            fillWith(Frame1, QPalette::Window, c.backColour);
            widget = Frame1;
            break;
        case layout::Kind::OptionButton: {
            auto *option = new QRadioButton(c.caption, Frame1);
            option->setAutoFillBackground(true);
            fillWith(option, option->backgroundRole(), c.backColour, option->foregroundRole(),
                     layout::textColourFor(c.backColour));
            option->setChecked(c.selected);
            connect(option, &QRadioButton::toggled, this, [this, index = qint16(c.index)](bool checked) {
                if (checked)
                    handleEvent([this, index] { Option1_Click(index); });
            });
            Option1[c.index] = option;
            widget = option;
            break;
        }
        case layout::Kind::CommandButton: {
            auto *button = new ColourButton(c.caption, c.backColour, this);
            fillWith(button, QPalette::ButtonText, layout::textColourFor(c.backColour));
            // Return and Enter press a focused button, as Space does.
            button->setAutoDefault(true);
            connect(button, &QPushButton::clicked, this, [this, index = qint16(c.index)] {
                handleEvent([this, index] { Command1_Click(index); });
            });
            Command1[c.index] = button;
            widget = button;
            break;
        }
        case layout::Kind::TextBox:
            // The hidden text box is made when something first asks for it.
            if (!c.visible)
                continue;
            widget = createTextBox(c);
            break;
        case layout::Kind::Cell: {
            QFont cellFont = font();
            if (c.bold)
                cellFont.setWeight(QFont::Bold);
            auto *cell = new Cell(cellFont, this);
            cell->setMaxLength(INT_MAX); // no limit of its own
            // A cell without a colour of its own follows the system's, text included.
            if (c.backColour.isValid()) {
                const QColor text = c.enabled ? layout::textColourFor(c.backColour) : layout::kResultTextColour;
                fillWith(cell, QPalette::Base, c.backColour, QPalette::Text, text);
            }
            if (c.enabled) {
                cell->installEventFilter(this);
                // Enter in a given cell of the selected row is a click on "Изчисли".
                connect(cell, &QLineEdit::returnPressed, this, [this, index = qint16(c.index)] {
                    handleEvent([this, index] {
                        if (index / solver::kColumnCount == SelectedVariant.toInt16())
                            Command1_Click(0);
                    });
                });
                // Typing, deleting, pasting or cutting: never a text the program writes.
                connect(cell, &QLineEdit::textEdited, this,
                        [this, index = qint16(c.index)] { givenEdited(index); });
            }
            Text2[c.index] = cell;
            widget = cell;
            break;
        }
        }
        place(widget, c);
        byTabIndex[c.tabIndex] = widget;
    }

    // Tab goes through the controls in tab-index order; Qt passes over those that take
    // no focus and reaches a group of option buttons at its selected one only.
    QWidget *previous = nullptr;
    for (const auto &[index, widget] : byTabIndex) {
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    Text1[0]->setFocus(Qt::OtherFocusReason);
}
