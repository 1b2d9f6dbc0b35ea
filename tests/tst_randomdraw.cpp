#include "ScriptedPrompt.h"
#include "TestCatalogue.h"

#include "catalogue/Catalogue.h"
#include "inserters/RandomDraw.h"
#include "inserters/RandomGenerator.h"
#include "inserters/RandomRow.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

// The boundaries of the rounding are exact only in the product r * n, so the
// tests sit on the float right above them.
float above(float x)
{
    return std::nextafter(x, 2.0f);
}

// A catalogue of its own and a draw on it.
struct Setup {
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    std::unique_ptr<TestCatalogue> data = std::make_unique<TestCatalogue>(dir.filePath(QStringLiteral("zandrel.db")));
    Catalogue catalogue{prompt, data->path()};
    RandomGenerator generator;
    RandomDraw draw{catalogue, generator};
    QString name(int type, const char* sex) { return draw.RandomName(type, sex).value_or("<none>"); }
    QString something(const char* what) { return draw.RandomSomething(what).value_or("<none>"); }
};

}

class tst_randomdraw : public QObject {
    Q_OBJECT
private slots:
    void rowIndex_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("index");
        // r * n - 1, rounded half to even, held to the rows.
        QTest::newRow("2.5 rounds to even 2") << 0.875f << 4 << 2;
        QTest::newRow("3.5 rounds to even 4") << 0.5625f << 8 << 4;
        QTest::newRow("just above 0.5 of one row") << above(0.375f) << 4 << 1;
        QTest::newRow("-0.7 stays on the first row") << 0.075f << 4 << 0;
        QTest::newRow("just above 6.5 is the last of 8 rows") << above(0.9375f) << 8 << 7;
        QTest::newRow("no rows") << 0.5f << 0 << -1;
        QTest::newRow("large table, top of r") << std::nextafter(1.0f, 0.0f) << 1000000 << 999999;
        QTest::newRow("r out of range is held") << 1.5f << 3 << 2;
    }
    void rowIndex()
    {
        QFETCH(float, r);
        QFETCH(int, rows);
        QFETCH(int, index);
        QCOMPARE(RandomRow::index(r, rows), index);
    }

    // A generator that reseeds from a clock that does not move would draw the same
    // row again and again within one second.
    void generatorNeverRepeatsWithAFrozenClock()
    {
        RandomGenerator generator(42, [] { return quint32(36000000); });
        QSet<float> seen;
        for (int i = 0; i < 2000; ++i)
            seen.insert(generator.next());
        QVERIFY2(seen.size() > 1990, qPrintable(QString::number(seen.size())));
    }

    void draws()
    {
        Setup s;
        s.data->addName(QStringLiteral("Rex"), 0, QStringLiteral("M"));
        s.data->addName(QStringLiteral("Fluffy"), 0, QStringLiteral("F"));
        s.data->addName(QStringLiteral("Tricky"), 0, QStringLiteral("x' OR '1'='1"));
        s.data->addBreed(QStringLiteral("Atrox"));
        for (int i = 0; i < 20; ++i) {
            // A single matching row is always the one drawn; a quote stays inside the value.
            QCOMPARE(s.name(0, "F"), QStringLiteral("Fluffy"));
            QCOMPARE(s.something("Breed"), QStringLiteral("Atrox"));
            QCOMPARE(s.name(0, "x' OR '1'='1"), QStringLiteral("Tricky"));
        }
        QCOMPARE(s.name(0, "U"), QStringLiteral("<none>"));
        QCOMPARE(s.name(1, ""), QStringLiteral("<none>"));
        QCOMPARE(s.something("Profession"), QStringLiteral("<none>"));
        QVERIFY(s.prompt.boxes.isEmpty());

        // Without the catalogue each draw gives nothing and says so once.
        s.data.reset();
        QVERIFY(QFile::remove(s.dir.filePath(QStringLiteral("zandrel.db"))));
        QCOMPARE(s.name(0, ""), QStringLiteral("<none>"));
        QCOMPARE(s.something("Breed"), QStringLiteral("<none>"));
        QCOMPARE(s.prompt.boxes.size(), 2);
    }
};

QTEST_MAIN(tst_randomdraw)
#include "tst_randomdraw.moc"
