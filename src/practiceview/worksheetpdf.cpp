// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "practiceview/worksheetpdf.h"

#include "runtime/errors.h"

#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPdfWriter>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

using namespace Qt::StringLiterals;
using Kind = practice::Paragraph::Kind;

namespace practiceview {

namespace {

// The document measures its lengths in pixels of a 96 dpi screen.
constexpr qreal kMillimetre = 96 / 25.4;
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

bool printWorksheet(const practice::Worksheet &sheet, QPagedPaintDevice *device)
{
    QTextDocument document;
    QFont font(u"Times New Roman"_s);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(kTextPoints);
    document.setDefaultFont(font);
    QTextCursor cursor(&document);
    bool first = true;
    for (const practice::Section &section : sheet.sections) {
        bool sectionStart = true;
        for (const practice::Paragraph &paragraph : section.paragraphs) {
            const Look look = lookOf(paragraph.kind);
            QTextBlockFormat block;
            block.setTopMargin(look.above * kMillimetre);
            block.setBottomMargin(look.below * kMillimetre);
            // A problem and its answer stay on one page.
            block.setNonBreakableLines(true);
            if (sectionStart && !first)
                block.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            QTextCharFormat characters;
            characters.setFontPointSize(look.points);
            characters.setFontWeight(look.bold ? QFont::Bold : QFont::Normal);
            if (first)
                cursor.setBlockFormat(block);
            else
                cursor.insertBlock(block);
            cursor.insertText(paragraph.text, characters);
            first = false;
            sectionStart = false;
        }
    }
    device->setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                                     kMarginMillimetres),
                           QPageLayout::Millimeter);
    // Laid out on pages of the device's size by the document itself: Qt then adds no
    // page numbers, which would run on from one version's sheet into the next.
    document.setDocumentMargin(0);
    document.setPageSize(device->pageLayout().paintRect(QPageLayout::Millimeter).size() * kMillimetre);
    document.print(device);
    return true;
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
