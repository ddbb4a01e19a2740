// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practiceview/worksheetpdf.h"

#include "runtime/errors.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QScreen>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::StringLiterals;
using Kind = practice::Paragraph::Kind;

namespace practiceview {

namespace {

// The document lays its text out in pixels of the screen's resolution (96 dpi
// where there is none), and its lengths are in the same pixels.
qreal millimetre()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return (screen ? qRound(screen->logicalDotsPerInchY()) : 96) / 25.4;
}
// Room to work below each problem: a few lines of calculation by hand.
constexpr qreal kWorkingRoomMillimetres = 38;
constexpr qreal kTextPoints = 12;
// Room for a teacher's marks and for the binding; at least what any printer needs.
constexpr qreal kMarginMillimetres = 20;

struct Look
{
    qreal points = kTextPoints;
    bool bold = false;
    qreal above = 0; // millimetres
    qreal below = 0;
};

Look lookOf(Kind kind)
{
    switch (kind) {
    case Kind::Title:
        return {18, true, 0, 1};
    case Kind::Version:
        return {14, true, 0, 1};
    case Kind::Seed:
        return {kTextPoints, false, 0, 4};
    case Kind::NameLine:
        return {kTextPoints, false, 2, 8};
    case Kind::Problem:
        return {kTextPoints, false, 0, kWorkingRoomMillimetres};
    case Kind::Answer:
        return {kTextPoints, false, 0, 3};
    }
    return {};
}

} // namespace

QString documentName(const practice::WorksheetOptions &options)
{
    return u"Работен лист %1"_s.arg(options.seed);
}

namespace {

// One section as a document of its own, laid out on pages of the given size.
void fillSection(QTextDocument &document, const practice::Section &section, const QSizeF &page)
{
    QFont font(u"Times New Roman"_s);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(kTextPoints);
    document.setDefaultFont(font);
    document.setDocumentMargin(0);
    document.setPageSize(page);
    QTextCursor cursor(&document);
    bool first = true;
    for (const practice::Paragraph &paragraph : section.paragraphs) {
        const Look look = lookOf(paragraph.kind);
        QTextBlockFormat block;
        block.setTopMargin(look.above * millimetre());
        block.setBottomMargin(look.below * millimetre());
        // A problem and its answer stay on one page.
        block.setNonBreakableLines(true);
        QTextCharFormat characters;
        characters.setFontPointSize(look.points);
        characters.setFontWeight(look.bold ? QFont::Bold : QFont::Normal);
        if (first)
            cursor.setBlockFormat(block);
        else
            cursor.insertBlock(block);
        cursor.insertText(paragraph.text, characters);
        first = false;
    }
}

} // namespace

bool printWorksheet(const practice::Worksheet &sheet, QPagedPaintDevice *device)
{
    device->setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                                     kMarginMillimetres),
                           QPageLayout::Millimeter);
    // Each section is a document of its own that begins on a new page: in one
    // document, the room left below a sheet's last problem would be carried over to
    // the top of the next page. Drawn page by page, as QTextDocument::print does, but
    // on one painter for all of them, and without page numbers, which would run on
    // from one version's sheet into the next.
    const QSizeF page = device->pageLayout().paintRect(QPageLayout::Millimeter).size() * millimetre();
    QPainter painter;
    if (!painter.begin(device))
        return false;
    const QSizeF target(device->width(), device->height());
    painter.scale(target.width() / page.width(), target.height() / page.height());
    bool first = true;
    for (const practice::Section &section : sheet.sections) {
        QTextDocument document;
        fillSection(document, section, page);
        for (int index = 0; index < document.pageCount(); ++index) {
            if (!first && !device->newPage())
                return false;
            first = false;
            painter.save();
            const QRectF view(0, index * page.height(), page.width(), page.height());
            painter.translate(0, -view.top());
            QAbstractTextDocumentLayout::PaintContext context;
            context.clip = view;
            document.documentLayout()->draw(&painter, context);
            painter.restore();
        }
    }
    return painter.end();
}

bool writeWorksheetPdf(const practice::WorksheetOptions &options, const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error) {
            *error = runtime::errorMessage(runtime::ErrorCode::FileNotWritten) + u" „"_s + path + u"“: "_s
                + file.errorString();
        }
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(documentName(options));
        writer.setCreator(u"Quadrelon"_s);
        writer.setPageSize(QPageSize(QPageSize::A4));
        printWorksheet(practice::makeWorksheet(options), &writer);
    }
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        if (error) {
            *error = runtime::errorMessage(runtime::ErrorCode::FileNotWritten) + u" „"_s + path + u"“: "_s
                + file.errorString();
        }
        return false;
    }
    return true;
}

} // namespace practiceview
