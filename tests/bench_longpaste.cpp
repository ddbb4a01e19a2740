// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Long input: a paste of 125 KB to 1 MB into a given cell, read by the calculation,
// and the window's answer to the next key while the cell holds it. The time of each
// should grow in proportion to the length, and a 1 MB paste with its calculation
// should stay near a tenth of a second.
//
// Build with -DQUADRELON_BUILD_BENCHMARKS=ON; run build/<preset>/tests/bench_longpaste
// (QT_QPA_PLATFORM=offscreen without a display).
#include "checks.h"

#include "form/quadrelon.h"
#include "runtime/numbertext.h"
#include "runtime/startup.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

namespace {

constexpr int kKiB = 1024;

// The pasted texts: what a cell may be handed from another program.
QString content(const QString &kind, int length)
{
    QString text;
    text.reserve(length);
    if (kind == QLatin1String("fraction")) {
        // "0." and then digits: every digit is read, the value stays small.
        text = QStringLiteral("0.");
        while (text.size() < length)
            text += QChar(char16_t(u'1' + text.size() % 9));
    } else if (kind == QLatin1String("integer")) {
        // One long integer: read to its end, then too large for a double.
        while (text.size() < length)
            text += QChar(char16_t(u'1' + text.size() % 9));
    } else {
        // A number and then anything: reading stops after the number.
        text = QStringLiteral("12.5 ");
        static const QString junk = QStringLiteral("abc;xyz,-e+ ");
        while (text.size() < length)
            text += junk.at(text.size() % junk.size());
    }
    text.truncate(length);
    return text;
}

void addSizes()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("length");
    for (const char *kind : {"fraction", "integer", "junk"}) {
        for (const int kib : {125, 250, 500, 1000})
            QTest::addRow("%s %d KB", kind, kib) << QString::fromLatin1(kind) << kib * kKiB;
    }
}

} // namespace

class BenchLongPaste : public QObject
{
    Q_OBJECT

    std::unique_ptr<fuzzchecks::ReportCatcher> m_catcher;
    std::unique_ptr<Quadrelon> m_form;

    QLineEdit *givenCell() const { return m_form->Text2[0]; } // variant 1, side a

    void paste(const QString &text)
    {
        QApplication::clipboard()->setText(text);
        QLineEdit *cell = givenCell();
        cell->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(cell, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(cell, Qt::Key_V, Qt::ControlModifier);
    }

private Q_SLOTS:
    void initTestCase()
    {
        // As the program does at its start; QUADRELON_BENCH_DEFAULT_MALLOC=1 measures
        // without it.
        if (!qEnvironmentVariableIsSet("QUADRELON_BENCH_DEFAULT_MALLOC"))
            runtime::keepLargeBlocksForReuse();
        QLocale::setDefault(QLocale::c());
        m_catcher = std::make_unique<fuzzchecks::ReportCatcher>();
        m_form = std::make_unique<Quadrelon>();
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
        m_form->Option1[0]->click();
    }

    void cleanupTestCase()
    {
        m_form.reset();
        m_catcher.reset();
    }

    // Reading the number at the start of the text, without the window.
    void readNumber_data() { addSizes(); }
    void readNumber()
    {
        QFETCH(QString, kind);
        QFETCH(int, length);
        const QString text = content(kind, length);
        double value = 0.0;
        QBENCHMARK {
            try {
                value = runtime::readNumber(text);
            } catch (const std::exception &) {
                value = -1.0;
            }
        }
        QVERIFY(value != 0.0);
    }

    // Ctrl+V into the given cell and the window painted with the text in it.
    void paste_data() { addSizes(); }
    void paste()
    {
        QFETCH(QString, kind);
        QFETCH(int, length);
        const QString text = content(kind, length);
        QBENCHMARK {
            givenCell()->setText(QString());
            paste(text);
            m_form->repaint();
        }
        QCOMPARE(givenCell()->text().size(), text.size());
    }

    // The window painted while the cell holds the text, nothing else.
    void repaint_data() { addSizes(); }
    void repaint()
    {
        QFETCH(QString, kind);
        QFETCH(int, length);
        givenCell()->setText(content(kind, length));
        QBENCHMARK {
            givenCell()->update();
            m_form->repaint();
        }
    }

    // The whole of it: paste, "Изчисли" (with the error report where the number is
    // too large), and the window painted again.
    void pasteAndCalculate_data() { addSizes(); }
    void pasteAndCalculate()
    {
        QFETCH(QString, kind);
        QFETCH(int, length);
        const QString text = content(kind, length);
        m_form->Text2[1]->setText(QStringLiteral("4"));
        QBENCHMARK {
            givenCell()->setText(QString());
            paste(text);
            m_form->Command1[0]->click();
            m_form->repaint();
        }
        const QStringList reports = m_catcher->take();
        QCOMPARE(reports.isEmpty(), kind != QLatin1String("integer"));
    }

    // The next key while the cell holds the long text: End, a digit, Backspace.
    void keyInLongCell_data() { addSizes(); }
    void keyInLongCell()
    {
        QFETCH(QString, kind);
        QFETCH(int, length);
        givenCell()->setText(content(kind, length));
        givenCell()->setFocus(Qt::OtherFocusReason);
        m_form->repaint();
        QBENCHMARK {
            QTest::keyClick(givenCell(), Qt::Key_End);
            QTest::keyClick(givenCell(), Qt::Key_7);
            QTest::keyClick(givenCell(), Qt::Key_Backspace);
            m_form->repaint();
        }
        QCOMPARE(givenCell()->text().size(), length);
    }
};

QTEST_MAIN(BenchLongPaste)
#include "bench_longpaste.moc"
