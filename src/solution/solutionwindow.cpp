// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "solution/solutionwindow.h"

#include "printing/printing.h"
#include "solution/rectangledrawing.h"
#include "runtime/errorreport.h"
#include "solver/steps.h"
#include "solver/working.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPagedPaintDevice>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

const QString kTitle = u"Решение"_s;

} // namespace

SolutionWindow::SolutionWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(u"SolutionWindow"_s);
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    if (parent)
        setFont(parent->font()); // a window of its own takes no font from its parent

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(u"solutionText"_s);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setAccessibleName(u"Решение"_s);
    m_drawing = new RectangleDrawing(this);
    m_drawing->setAccessibleName(u"Чертеж на правоъгълника"_s);

    auto *copy = new QPushButton(u"Копирай"_s, this);
    copy->setObjectName(u"copySolutionButton"_s);
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(text()); });
    m_print = new QPushButton(u"Печат"_s, this);
    m_print->setObjectName(u"printSolutionButton"_s);
    connect(m_print, &QPushButton::clicked, this, &SolutionWindow::print);
    auto *close = new QPushButton(u"Затвори"_s, this);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *content = new QHBoxLayout;
    content->addWidget(m_text, 3);
    content->addWidget(m_drawing, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(copy);
    buttons->addWidget(m_print);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(content);
    layout->addLayout(buttons);
    resize(820, 420);
}

void SolutionWindow::showSteps(const solver::Steps &steps)
{
    if (steps.variant < 0) {
        setWindowTitle(kTitle);
        m_text->setPlainText(u"Още няма изчисление: изберете вариант, въведете двете дадени "
                             u"стойности и натиснете „Изчисли“."_s);
        m_drawing->clear();
        return;
    }
    setWindowTitle(kTitle + u" — Вариант %1"_s.arg(steps.variant + 1));
    m_text->setPlainText(solver::workingLines(steps).join(u'\n'));
    if (steps.failed) {
        m_drawing->clear();
        return;
    }
    const auto value = [&steps](solver::Target target) {
        const solver::Step *step = steps.find(target);
        return step ? step->value() : 0.0;
    };
    using solver::Target;
    m_drawing->setRectangle(value(Target::A), value(Target::B), value(Target::D),
                            value(Target::P), value(Target::S));
}

QString SolutionWindow::text() const
{
    return m_text->toPlainText();
}

bool SolutionWindow::printTo(QPagedPaintDevice *printer) const
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    const QRectF page = QRectF(painter.viewport());
    QFont font = m_text->font();
    font.setPointSizeF(12);
    painter.setFont(font);

    QTextDocument document;
    document.documentLayout()->setPaintDevice(printer);
    document.setDefaultFont(font);
    document.setPlainText(text());
    document.setTextWidth(page.width());
    document.drawContents(&painter, QRectF(0, 0, page.width(), page.height()));

    // The drawing below the text, as large as the rest of the page allows, at most
    // half of it.
    const qreal top = std::min(document.size().height(), page.height() / 2);
    m_drawing->paint(painter, QRectF(0, top, page.width(), page.height() - top));
    return painter.end();
}

void SolutionWindow::print()
{
    if (!printing::available()) {
        runtime::reportError(this, runtime::RuntimeError(runtime::ErrorCode::PrintingUnavailable));
        return;
    }
    printing::printWithDialog(this, windowTitle(), u"Печат на решението"_s,
                              [this](QPagedPaintDevice *printer) { return printTo(printer); });
}
