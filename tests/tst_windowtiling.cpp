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
};

QTEST_GUILESS_MAIN(tst_windowtiling)
#include "tst_windowtiling.moc"
