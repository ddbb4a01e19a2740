// SPDX-FileCopyrightText: 2026 Quadrelon developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Where "Решение" opens beside the calculator, as geometry alone.
#include "placement/placement.h"

#include <QTest>

namespace {

// The calculator's frame and the size "Решение" wants, in device-independent pixels.
const QSize kCalculator(520, 428);
const QSize kPreferred(820, 420);
const QSize kLeast(400, 300);
constexpr int kGap = 8;

} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void beside_data()
    {
        QTest::addColumn<QRect>("room");
        QTest::addColumn<QPoint>("calculator");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("right, whole") << QRect(0, 0, 1366, 728) << QPoint(0, 0) << QRect(528, 0, 820, 420);
        QTest::newRow("left, whole, lined up with the top")
            << QRect(0, 0, 1366, 728) << QPoint(846, 200) << QRect(18, 200, 820, 420);
        QTest::newRow("right, moved up to stay on the screen")
            << QRect(0, 0, 1366, 728) << QPoint(10, 400) << QRect(538, 308, 820, 420);
        QTest::newRow("below on a tall screen") << QRect(0, 0, 900, 1200) << QPoint(200, 40)
                                                << QRect(80, 476, 820, 420);
        QTest::newRow("above on a tall screen") << QRect(0, 0, 900, 1200) << QPoint(200, 700)
                                                << QRect(80, 272, 820, 420);
        QTest::newRow("right, narrower") << QRect(0, 0, 1024, 600) << QPoint(0, 0) << QRect(528, 0, 496, 420);
        QTest::newRow("centred: the wider side, narrower")
            << QRect(0, 0, 1366, 728) << QPoint(423, 150) << QRect(951, 150, 415, 420);
        QTest::newRow("over, hiding the least") << QRect(0, 0, 800, 450) << QPoint(0, 0)
                                                << QRect(0, 30, 800, 420);
        QTest::newRow("larger than the screen") << QRect(0, 0, 640, 400) << QPoint(60, 0)
                                                << QRect(0, 0, 640, 400);
        QTest::newRow("second screen, taskbar above") << QRect(1366, 40, 1920, 1040) << QPoint(1400, 40)
                                                       << QRect(1928, 40, 820, 420);
    }

    void beside()
    {
        QFETCH(QRect, room);
        QFETCH(QPoint, calculator);
        QFETCH(QRect, placed);
        const QRect anchor(calculator, kCalculator);
        const QRect got = placement::beside(anchor, kPreferred, kLeast, room, kGap);
        QCOMPARE(got, placed);
        QVERIFY(room.contains(got));
    }
};

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
