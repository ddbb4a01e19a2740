// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Printing in the browser, which has no print dialog for Qt: the pages are written
// as a PDF and opened in a new tab of the browser, whose PDF viewer prints them; where
// the browser refuses to open a tab, the PDF is downloaded instead. Takes the place
// of the printing module of the desktop editions.
#include "printing/printing.h"

#include <QBuffer>
#include <QPdfWriter>

#include <emscripten.h>

// Called from the click on the button, so the browser lets the page open a tab.
EM_JS(void, openPdf, (const char *data, int size, const char *name), {
    const url = URL.createObjectURL(new Blob([HEAPU8.slice(data, data + size)], {type : 'application/pdf'}));
    if (!window.open(url, '_blank')) {
        const link = document.createElement('a');
        link.href = url;
        link.download = UTF8ToString(name);
        link.click();
    }
    setTimeout(() => URL.revokeObjectURL(url), 60000);
});

extern "C" bool quadrelonPrintWithDialog(QWidget *, const QString &documentName, const QString &,
                                         const printing::PrintFunction &print)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setTitle(documentName);
        writer.setCreator(QStringLiteral("Quadrelon"));
        if (!print(&writer))
            return false;
    }
    const QByteArray name = (documentName + QStringLiteral(".pdf")).toUtf8();
    openPdf(pdf.data().constData(), int(pdf.data().size()), name.constData());
    return true;
}
