// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The scale a printed rectangle is drawn at, and the line that says it.
#include "scale/drawingscale.h"

#include <QLocale>
#include <QTest>

using namespace Qt::StringLiterals;

class TestScale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria)); }

    void choose_data()
    {
        QTest::addColumn<QSizeF>("real"); // millimetres
        QTest::addColumn<QSizeF>("room");
        QTest::addColumn<QString>("text"); // empty: no scale
        const QSizeF page(170, 100);
        QTest::newRow("3 by 4 см: real size") << QSizeF(30, 40) << page << u"М 1 : 1"_s;
        QTest::newRow("exactly as large as the room") << QSizeF(170, 100) << page << u"М 1 : 1"_s;
        QTest::newRow("a centimetre: still real size") << QSizeF(10, 4) << page << u"М 1 : 1"_s;
        QTest::newRow("a little too large: 1 : 2") << QSizeF(171, 100) << page << u"М 1 : 2"_s;
        QTest::newRow("3 by 4 м, the upright side decides: 1 : 50") << QSizeF(3000, 4000) << page << u"М 1 : 50"_s;
        QTest::newRow("3 by 4 км: grouped") << QSizeF(3e6, 4e6) << page << u"М 1 : 50\u00A0000"_s;
        QTest::newRow("a segment") << QSizeF(0, 4000) << page << u"М 1 : 50"_s;
        QTest::newRow("2 by 3 мм: 10 : 1") << QSizeF(2, 3) << page << u"М 10 : 1"_s;
        QTest::newRow("tiny in a low room: 5 : 1") << QSizeF(9, 9) << QSizeF(170, 60) << u"М 5 : 1"_s;
        QTest::newRow("beyond every scale") << QSizeF(1e300, 1) << page << QString();
        QTest::newRow("no length") << QSizeF(0, 0) << page << QString();
    }

    void choose()
    {
        QFETCH(QSizeF, real);
        QFETCH(QSizeF, room);
        QFETCH(QString, text);
        const auto chosen = scale::choose(real, room);
        QCOMPARE(chosen ? scale::text(*chosen) : QString(), text);
    }
};

QTEST_MAIN(TestScale)
#include "tst_scale.moc"
