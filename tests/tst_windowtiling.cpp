#include "app/WindowTiling.h"

#include <QtTest>

Q_DECLARE_METATYPE(QList<QRect>)

class tst_windowtiling : public QObject {
    Q_OBJECT
private slots:
    void exactRects_data();
    void exactRects();
    void bandsCoverTheAreaExactly_data();
    void bandsCoverTheAreaExactly();
};

void tst_windowtiling::exactRects_data()
{
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("count");
    QTest::addColumn<QList<QRect>>("rects");
    QTest::newRow("h none") << true << QRect(0, 0, 300, 200) << 0 << QList<QRect>{};
    QTest::newRow("h negative count") << true << QRect(0, 0, 300, 200) << -2 << QList<QRect>{};
    QTest::newRow("h one fills") << true << QRect(0, 0, 300, 200) << 1 << QList<QRect>{QRect(0, 0, 300, 200)};
    QTest::newRow("h two") << true << QRect(0, 0, 300, 200) << 2
                           << QList<QRect>{QRect(0, 0, 300, 100), QRect(0, 100, 300, 100)};
    QTest::newRow("h three, uneven") << true << QRect(0, 0, 300, 200) << 3
                                     << QList<QRect>{QRect(0, 0, 300, 66), QRect(0, 66, 300, 67),
                                                     QRect(0, 133, 300, 67)};
    QTest::newRow("h offset area") << true << QRect(10, 20, 50, 40) << 2
                                   << QList<QRect>{QRect(10, 20, 50, 20), QRect(10, 40, 50, 20)};
    QTest::newRow("v two") << false << QRect(0, 0, 300, 200) << 2
                           << QList<QRect>{QRect(0, 0, 150, 200), QRect(150, 0, 150, 200)};
    QTest::newRow("v three, uneven") << false << QRect(0, 0, 100, 50) << 3
                                     << QList<QRect>{QRect(0, 0, 33, 50), QRect(33, 0, 33, 50), QRect(66, 0, 34, 50)};
    QTest::newRow("v empty area") << false << QRect() << 3 << QList<QRect>{};
}

void tst_windowtiling::exactRects()
{
    QFETCH(bool, horizontal);
    QFETCH(QRect, area);
    QFETCH(int, count);
    QFETCH(QList<QRect>, rects);
    QCOMPARE(horizontal ? WindowTiling::horizontal(area, count) : WindowTiling::vertical(area, count), rects);
}

void tst_windowtiling::bandsCoverTheAreaExactly_data()
{
    QTest::addColumn<QRect>("area");
    QTest::addColumn<int>("count");
    for (int count : {1, 2, 3, 5, 7, 13, 64}) {
        QTest::addRow("800x600 / %d", count) << QRect(0, 0, 800, 600) << count;
        QTest::addRow("odd 333x211 at 5,9 / %d", count) << QRect(5, 9, 333, 211) << count;
    }
    QTest::newRow("more windows than pixels") << QRect(0, 0, 10, 4) << 9;
    QTest::newRow("huge area") << QRect(0, 0, 2000000000, 2000000000) << 7;
}

void tst_windowtiling::bandsCoverTheAreaExactly()
{
    QFETCH(QRect, area);
    QFETCH(int, count);
    const QList<QRect> h = WindowTiling::horizontal(area, count);
    const QList<QRect> v = WindowTiling::vertical(area, count);
    QCOMPARE(h.size(), count);
    QCOMPARE(v.size(), count);
    int y = area.top();
    int x = area.left();
    for (int i = 0; i < count; ++i) {
        // Horizontal: full width, stacked without gap or overlap.
        QCOMPARE(h[i].left(), area.left());
        QCOMPARE(h[i].width(), area.width());
        QCOMPARE(h[i].top(), y);
        QVERIFY(h[i].height() >= 0);
        QVERIFY(qAbs(h[i].height() - h[0].height()) <= 1);
        y += h[i].height();
        // Vertical: full height, side by side.
        QCOMPARE(v[i].top(), area.top());
        QCOMPARE(v[i].height(), area.height());
        QCOMPARE(v[i].left(), x);
        QVERIFY(qAbs(v[i].width() - v[0].width()) <= 1);
        x += v[i].width();
    }
    QCOMPARE(y, area.top() + area.height());
    QCOMPARE(x, area.left() + area.width());
}

QTEST_GUILESS_MAIN(tst_windowtiling)
#include "tst_windowtiling.moc"
