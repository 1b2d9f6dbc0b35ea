#include "ScriptedPrompt.h"
#include "TestCatalogue.h"

#include "catalogue/Catalogue.h"
#include "inserters/RandomDraw.h"
#include "inserters/RandomGenerator.h"
#include "inserters/RandomRow.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// The smallest float above x and the largest below it: the boundaries of the
// rounding are exact only in the product r * n, so the tests sit right beside them.
float above(float x)
{
    return std::nextafter(x, 2.0f);
}
float below(float x)
{
    return std::nextafter(x, -1.0f);
}

// A drawn value as text, so a failure shows what came out.
QString shown(const std::optional<QString>& value)
{
    return value ? QStringLiteral("=") + *value : QStringLiteral("<none>");
}

// A catalogue of its own and a draw on it.
struct Setup {
    QTemporaryDir dir;
    ScriptedPrompt prompt;
    std::unique_ptr<TestCatalogue> data = std::make_unique<TestCatalogue>(dir.filePath(QStringLiteral("zandrel.db")));
    Catalogue catalogue{prompt, data->path()};
    RandomGenerator generator;
    RandomDraw draw{catalogue, generator};
};

}

class tst_randomdraw : public QObject {
    Q_OBJECT
private slots:
    void rowIndex_data();
    void rowIndex();
    void generatorNeverRepeatsWithAFrozenClock();

    void draws();
    void missingCatalogueGivesNothing();
};

void tst_randomdraw::rowIndex_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("index");
    // r * n - 1, rounded half to even, held to the rows.
    QTest::newRow("2.5 rounds to even 2") << 0.875f << 4 << 2;
    QTest::newRow("3.5 rounds to even 4") << 0.5625f << 8 << 4;
    QTest::newRow("2.6 rounds up") << 0.9f << 4 << 3;
    QTest::newRow("0.5 rounds to even 0") << 0.375f << 4 << 0;
    QTest::newRow("just above 0.5 of one row") << above(0.375f) << 4 << 1;
    QTest::newRow("-0.7 stays on the first row") << 0.075f << 4 << 0;
    QTest::newRow("last row at the top of r") << below(1.0f) << 10 << 9;
    QTest::newRow("6.5 is not yet the last of 8 rows") << 0.9375f << 8 << 6;
    QTest::newRow("just above 6.5 is the last of 8 rows") << above(0.9375f) << 8 << 7;
    QTest::newRow("no rows") << 0.5f << 0 << -1;
    QTest::newRow("large table, top of r") << below(1.0f) << 1000000 << 999999;
    QTest::newRow("r out of range is held") << 1.5f << 3 << 2;
}

void tst_randomdraw::rowIndex()
{
    QFETCH(float, r);
    QFETCH(int, rows);
    QFETCH(int, index);
    QCOMPARE(RandomRow::index(r, rows), index);
}

// Two draws within the same second must not come from the same seed.
void tst_randomdraw::generatorNeverRepeatsWithAFrozenClock()
{
    RandomGenerator generator(42, [] { return quint32(36000000); });
    QSet<float> seen;
    for (int i = 0; i < 2000; ++i)
        seen.insert(generator.next());
    QVERIFY2(seen.size() > 1990, qPrintable(QString::number(seen.size())));
}

void tst_randomdraw::draws()
{
    Setup s;
    s.data->addName(QStringLiteral("Rex"), 0, QStringLiteral("M"));
    s.data->addName(QStringLiteral("Fluffy"), 0, QStringLiteral("F"));
    s.data->addName(QStringLiteral("Tricky"), 0, QStringLiteral("x' OR '1'='1"));
    s.data->addBreed(QStringLiteral("Atrox"));
    for (int i = 0; i < 20; ++i) {
        // A single matching row is always the one drawn.
        QCOMPARE(shown(s.draw.RandomName(0, QStringLiteral("F"))), QStringLiteral("=Fluffy"));
        QCOMPARE(shown(s.draw.RandomSomething(QStringLiteral("Breed"))), QStringLiteral("=Atrox"));
        // The quote stays inside the value: only the row with that odd code matches.
        QCOMPARE(shown(s.draw.RandomName(0, QStringLiteral("x' OR '1'='1"))), QStringLiteral("=Tricky"));
    }
    QCOMPARE(shown(s.draw.RandomName(0, QStringLiteral("U"))), QStringLiteral("<none>"));
    QCOMPARE(shown(s.draw.RandomName(1, QString())), QStringLiteral("<none>"));
    QCOMPARE(shown(s.draw.RandomSomething(QStringLiteral("Profession"))), QStringLiteral("<none>"));
    QVERIFY(s.prompt.boxes.isEmpty());
}

void tst_randomdraw::missingCatalogueGivesNothing()
{
    Setup s;
    s.data.reset();
    QVERIFY(QFile::remove(s.dir.filePath(QStringLiteral("zandrel.db"))));
    QCOMPARE(shown(s.draw.RandomName(0, QString())), QStringLiteral("<none>"));
    QCOMPARE(shown(s.draw.RandomSomething(QStringLiteral("Breed"))), QStringLiteral("<none>"));
    // Each reconnection says once that the catalogue is not there.
    QCOMPARE(s.prompt.boxes.size(), 2);
}

QTEST_MAIN(tst_randomdraw)
#include "tst_randomdraw.moc"
