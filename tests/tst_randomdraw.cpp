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

}

class tst_randomdraw : public QObject {
    Q_OBJECT
private slots:
    void offsetRounding_data();
    void offsetRounding();
    void rowIndex_data();
    void rowIndex();
    void distributionOverR_data();
    void distributionOverR();
    void generatorStaysInRange();
    void generatorNeverRepeatsWithAFrozenClock();
    void generatorMixesInTheClock();
    void generatedDrawsFollowTheRowWeights();

    void sexCodeIsBoundNotPasted();
    void oneRowAlwaysDrawn();
    void emptyResultGivesNothing();
    void tableNameMustBeAPlainWord_data();
    void tableNameMustBeAPlainWord();
    void everyDrawReconnects();
    void missingCatalogueGivesNothing();

private:
    struct Setup {
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        std::unique_ptr<TestCatalogue> data;
        std::unique_ptr<Catalogue> catalogue;
        RandomGenerator generator;
        std::unique_ptr<RandomDraw> draw;
        Setup()
        {
            data = std::make_unique<TestCatalogue>(dir.filePath(QStringLiteral("zandrel.db")));
            catalogue = std::make_unique<Catalogue>(prompt, data->path());
            draw = std::make_unique<RandomDraw>(*catalogue, generator);
        }
    };
};

void tst_randomdraw::offsetRounding_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("offset");
    // r * n - 1 = 2.5, 2.6, -0.5, -0.7 and their neighbours.
    QTest::newRow("2.5 rounds to even 2") << 0.875f << 4 << 2;
    QTest::newRow("3.5 rounds to even 4") << 0.5625f << 8 << 4;
    QTest::newRow("2.6 rounds up") << 0.9f << 4 << 3;
    QTest::newRow("-0.5 rounds to even 0") << 0.125f << 4 << 0;
    QTest::newRow("-0.7 rounds to -1") << 0.075f << 4 << -1;
    QTest::newRow("-1 at r = 0") << 0.0f << 4 << -1;
    QTest::newRow("1.5 rounds to even 2") << 0.625f << 4 << 2;
    QTest::newRow("0.5 rounds to even 0") << 0.375f << 4 << 0;
    QTest::newRow("just below 0.5 of one row") << below(0.375f) << 4 << 0;
    QTest::newRow("just above 0.5 of one row") << above(0.375f) << 4 << 1;
    QTest::newRow("one row, r near 1") << below(1.0f) << 1 << 0;
    QTest::newRow("one row, r = 0.5 gives -0.5") << 0.5f << 1 << 0;
    QTest::newRow("one row, r below 0.5") << 0.25f << 1 << -1;
}

void tst_randomdraw::offsetRounding()
{
    QFETCH(float, r);
    QFETCH(int, rows);
    QFETCH(int, offset);
    QCOMPARE(RandomRow::offset(r, rows), offset);
}

void tst_randomdraw::rowIndex_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("index");
    QTest::newRow("negative offset stays on the first row") << 0.075f << 4 << 0;
    QTest::newRow("r = 0") << 0.0f << 10 << 0;
    QTest::newRow("last row at the top of r") << below(1.0f) << 10 << 9;
    QTest::newRow("6.5 is not yet the last of 8 rows") << 0.9375f << 8 << 6;
    QTest::newRow("just above 6.5 is the last of 8 rows") << above(0.9375f) << 8 << 7;
    QTest::newRow("5.5 rounds to even 6") << 0.8125f << 8 << 6;
    QTest::newRow("one row") << 0.99f << 1 << 0;
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

void tst_randomdraw::distributionOverR_data()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("2 rows") << 2;
    QTest::newRow("3 rows") << 3;
    QTest::newRow("5 rows") << 5;
    QTest::newRow("12 rows") << 12;
}

// Walks r evenly over [0, 1): the share of each row must be 1.5/n for the first,
// 0.5/n for the last and 1/n for the rest.
void tst_randomdraw::distributionOverR()
{
    QFETCH(int, rows);
    constexpr int kSteps = 1 << 20;
    std::vector<int> hits(static_cast<size_t>(rows), 0);
    for (int i = 0; i < kSteps; ++i) {
        const float r = (static_cast<float>(i) + 0.5f) / static_cast<float>(kSteps);
        ++hits[static_cast<size_t>(RandomRow::index(r, rows))];
    }
    for (int row = 0; row < rows; ++row) {
        const double expected = (row == 0 ? 1.5 : row == rows - 1 ? 0.5 : 1.0) / rows;
        const double share = static_cast<double>(hits[static_cast<size_t>(row)]) / kSteps;
        QVERIFY2(std::abs(share - expected) < 1e-4,
                 qPrintable(QStringLiteral("row %1: %2 instead of %3").arg(row).arg(share).arg(expected)));
    }
}

void tst_randomdraw::generatorStaysInRange()
{
    RandomGenerator generator;
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 100000; ++i) {
        const float r = generator.next();
        QVERIFY(r >= 0.0f);
        QVERIFY(r < 1.0f);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    // The whole interval is reached, not a corner of it.
    QVERIFY(lowest < 0.001f);
    QVERIFY(highest > 0.999f);
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

void tst_randomdraw::generatorMixesInTheClock()
{
    RandomGenerator morning(7, [] { return quint32(1000); });
    RandomGenerator evening(7, [] { return quint32(1001); });
    RandomGenerator morningAgain(7, [] { return quint32(1000); });
    int differ = 0;
    for (int i = 0; i < 20; ++i) {
        const float m = morning.next();
        differ += m != evening.next() ? 1 : 0;
        QCOMPARE(morningAgain.next(), m);
    }
    QCOMPARE(differ, 20);
}

void tst_randomdraw::generatedDrawsFollowTheRowWeights()
{
    // Statistical: 400000 draws over four rows; five standard deviations of slack.
    constexpr int kDraws = 400000;
    constexpr int kRows = 4;
    RandomGenerator generator;
    int hits[kRows] = {};
    for (int i = 0; i < kDraws; ++i)
        ++hits[RandomRow::index(generator.next(), kRows)];
    const double expected[kRows] = {1.5 / kRows, 1.0 / kRows, 1.0 / kRows, 0.5 / kRows};
    for (int row = 0; row < kRows; ++row) {
        const double p = expected[row];
        const double slack = 5 * std::sqrt(p * (1 - p) / kDraws);
        const double share = double(hits[row]) / kDraws;
        QVERIFY2(std::abs(share - p) < slack,
                 qPrintable(QStringLiteral("row %1: %2 instead of %3").arg(row).arg(share).arg(p)));
    }
}

void tst_randomdraw::sexCodeIsBoundNotPasted()
{
    Setup s;
    s.data->addName(QStringLiteral("Rex"), 0, QStringLiteral("M"));
    s.data->addName(QStringLiteral("Tricky"), 0, QStringLiteral("x' OR '1'='1"));
    // The quote stays inside the value: only the row with that odd code matches.
    for (int i = 0; i < 20; ++i)
        QCOMPARE(shown(s.draw->RandomName(0, QStringLiteral("x' OR '1'='1"))), QStringLiteral("=Tricky"));
}

void tst_randomdraw::oneRowAlwaysDrawn()
{
    Setup s;
    s.data->addName(QStringLiteral("Fluffy"), 0, QStringLiteral("F"));
    s.data->addName(QStringLiteral("Rex"), 0, QStringLiteral("M"));
    s.data->addBreed(QStringLiteral("Atrox"));
    for (int i = 0; i < 50; ++i) {
        QCOMPARE(shown(s.draw->RandomName(0, QStringLiteral("F"))), QStringLiteral("=Fluffy"));
        QCOMPARE(shown(s.draw->RandomSomething(QStringLiteral("Breed"))), QStringLiteral("=Atrox"));
    }
}

void tst_randomdraw::emptyResultGivesNothing()
{
    Setup s;
    s.data->addName(QStringLiteral("Rex"), 0, QStringLiteral("M"));
    QCOMPARE(shown(s.draw->RandomName(0, QStringLiteral("F"))), QStringLiteral("<none>"));
    QCOMPARE(shown(s.draw->RandomName(1, QString())), QStringLiteral("<none>"));
    QCOMPARE(shown(s.draw->RandomSomething(QStringLiteral("Profession"))), QStringLiteral("<none>"));
    QVERIFY(s.prompt.boxes.isEmpty());
}

void tst_randomdraw::tableNameMustBeAPlainWord_data()
{
    QTest::addColumn<QString>("what");
    QTest::addColumn<bool>("runs");
    QTest::newRow("Breed") << "Breed" << true;
    QTest::newRow("with digits and underscore") << "Breed_2" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("statement") << "Breed; DELETE FROM tblBreed" << false;
    QTest::newRow("space") << "Breed x" << false;
    QTest::newRow("quote") << "Breed'" << false;
    QTest::newRow("non-ASCII letter") << QStringLiteral("Br\u00e9ed") << false;
}

void tst_randomdraw::tableNameMustBeAPlainWord()
{
    QFETCH(QString, what);
    QFETCH(bool, runs);
    Setup s;
    s.draw->RandomSomething(what);
    QCOMPARE(s.catalogue->queryLog().size(), runs ? 1 : 0);
}

// The connection is opened afresh for every draw: a catalogue replaced on disk
// between two draws answers the second one.
void tst_randomdraw::everyDrawReconnects()
{
    Setup s;
    s.data->addBreed(QStringLiteral("Solitus"));
    QCOMPARE(shown(s.draw->RandomSomething(QStringLiteral("Breed"))), QStringLiteral("=Solitus"));
    s.data.reset();
    s.data = std::make_unique<TestCatalogue>(s.dir.filePath(QStringLiteral("zandrel.db")));
    s.data->addBreed(QStringLiteral("Nanomage"));
    QCOMPARE(shown(s.draw->RandomSomething(QStringLiteral("Breed"))), QStringLiteral("=Nanomage"));
}

void tst_randomdraw::missingCatalogueGivesNothing()
{
    Setup s;
    s.data->addName(QStringLiteral("Rex"), 0, QString());
    s.data.reset();
    QVERIFY(QFile::remove(s.dir.filePath(QStringLiteral("zandrel.db"))));
    QCOMPARE(shown(s.draw->RandomName(0, QString())), QStringLiteral("<none>"));
    QCOMPARE(shown(s.draw->RandomSomething(QStringLiteral("Breed"))), QStringLiteral("<none>"));
    // Each reconnection says once that the catalogue is not there.
    QCOMPARE(s.prompt.boxes.size(), 2);
    QCOMPARE(s.prompt.boxes.constFirst().title, QStringLiteral("Error in globs"));
}

QTEST_MAIN(tst_randomdraw)
#include "tst_randomdraw.moc"
