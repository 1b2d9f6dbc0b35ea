#include "app/WindowPlacement.h"
#include "app/WindowTiling.h"

#include <QtTest>

class tst_windowtiling : public QObject {
    Q_OBJECT
private slots:
    void bandsCoverTheAreaExactly_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("bands");
        for (int count : {1, 3, 7, 64})
            QTest::addRow("odd 333x211 at 5,9 / %d", count) << QRect(5, 9, 333, 211) << count << count;
        QTest::newRow("more windows than pixels") << QRect(0, 0, 10, 4) << 9 << 9;
        QTest::newRow("huge area") << QRect(0, 0, 2000000000, 2000000000) << 7 << 7;
        QTest::newRow("no windows") << QRect(0, 0, 300, 200) << 0 << 0;
        QTest::newRow("negative count") << QRect(0, 0, 300, 200) << -2 << 0;
        QTest::newRow("empty area") << QRect() << 3 << 0;
    }

    // Horizontal bands span the full width stacked top to bottom, vertical ones the full
    // height side by side: no gap, no overlap, sizes within one pixel of each other.
    void bandsCoverTheAreaExactly()
    {
        QFETCH(QRect, area);
        QFETCH(int, count);
        QFETCH(int, bands);
        const QList<QRect> h = WindowTiling::horizontal(area, count);
        const QList<QRect> v = WindowTiling::vertical(area, count);
        QCOMPARE(h.size(), bands);
        QCOMPARE(v.size(), bands);
        int y = area.top();
        int x = area.left();
        for (int i = 0; i < bands; ++i) {
            QCOMPARE(QRect(area.left(), y, area.width(), h[i].height()), h[i]);
            QVERIFY(h[i].height() >= 0 && qAbs(h[i].height() - h[0].height()) <= 1);
            y += h[i].height();
            QCOMPARE(QRect(x, area.top(), v[i].width(), area.height()), v[i]);
            QVERIFY(v[i].width() >= 0 && qAbs(v[i].width() - v[0].width()) <= 1);
            x += v[i].width();
        }
        if (bands > 0) {
            QCOMPARE(y, area.top() + area.height());
            QCOMPARE(x, area.left() + area.width());
        }
    }

    // Cascaded, every title bar shows below the one before and every window lies in
    // the area; too many windows start again at the top rather than shrink.
    void cascadeShowsEveryTitleBar_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("tops");  // distinct title bar heights
        QTest::newRow("three") << 3 << 3;
        QTest::newRow("more than fit: round again") << 40 << 12;
    }
    void cascadeShowsEveryTitleBar()
    {
        QFETCH(int, count);
        QFETCH(int, tops);
        const QRect area(10, 20, 900, 660);
        const QList<QRect> rects = WindowTiling::cascade(area, count, 20);
        QCOMPARE(rects.size(), count);
        QSet<int> seen;
        for (const QRect& r : rects) {
            QVERIFY(area.contains(r) && r.width() >= area.width() * 2 / 3);
            seen.insert(r.top());
        }
        QCOMPARE(seen.size(), tops);
        QCOMPARE(rects[1].topLeft() - rects[0].topLeft(), QPoint(20, 20));
    }

    // A window stored at another scale opens whole on today's screen.
    void restoredWindowFitsTheScreen_data()
    {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QRect>("fitted");
        const QRect screen(0, 0, 1280, 800);
        QTest::newRow("fits already") << QRect(100, 50, 800, 600) << QRect(100, 50, 800, 600);
        QTest::newRow("too large, below the top") << QRect(0, 276, 1920, 1536) << screen;
        QTest::newRow("off the right edge") << QRect(1000, 100, 800, 600) << QRect(480, 100, 800, 600);
        QTest::newRow("above the top") << QRect(10, -300, 800, 600) << QRect(10, 0, 800, 600);
    }
    void restoredWindowFitsTheScreen()
    {
        QFETCH(QRect, stored);
        QFETCH(QRect, fitted);
        QCOMPARE(WindowPlacement::fitted(stored, QRect(0, 0, 1280, 800)), fitted);
    }
};

QTEST_GUILESS_MAIN(tst_windowtiling)
#include "tst_windowtiling.moc"
