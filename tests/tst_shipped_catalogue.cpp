// The catalogue the build ships: the texts and numbers the program compares against
// are there exactly, every command can show its help, and the menus have their lists.

#include "platform/RtfReader.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {

// Where the build put the catalogue and the tool: the test runner says so, and a test
// started by hand finds them beside itself.
QString buildDir()
{
    const QString dir = qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

struct CommandRow {
    int id = 0;
    int group = 0;
    QString text;
    QString description;
    int type = 0;
    QString add;
    QString book;
};

} // namespace

class TstShippedCatalogue : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void groupsAreTheProgramsGroups_data();
    void groupsAreTheProgramsGroups();
    void groupsComeInTreeOrder();
    void commandsTheProgramNamesExist_data();
    void commandsTheProgramNamesExist();
    void everyCommandHasItsHelpPage();
    void exampleLinesUseKnownCommands();
    void numberListOnlyForPauses();
    void menuListsAreComplete();
    void namesForEveryDraw_data();
    void namesForEveryDraw();

private:
    QSqlQuery run(const QString& sql);
    QList<CommandRow> m_commands;
    QString m_connection = QStringLiteral("shipped-catalogue");
};

QSqlQuery TstShippedCatalogue::run(const QString& sql)
{
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(sql))
        qWarning("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
    return q;
}

void TstShippedCatalogue::initTestCase()
{
    const QString path = QDir(buildDir()).filePath(QStringLiteral("zandrel.db"));
    QVERIFY2(QFileInfo::exists(path), qPrintable(path));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    QVERIFY2(db.open(), qPrintable(db.lastError().text()));

    QSqlQuery q = run(QStringLiteral("SELECT * FROM tblCommand"));
    while (q.next()) {
        m_commands.append({q.value("CommandID").toInt(), q.value("CommandGroupID").toInt(),
                           q.value("CommandText").toString(), q.value("CommandDescription").toString(),
                           q.value("CommandType").toInt(), q.value("Add").toString(), q.value("CommandBook").toString()});
    }
}

void TstShippedCatalogue::cleanupTestCase()
{
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

void TstShippedCatalogue::groupsAreTheProgramsGroups_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("prefix");

    // Group 5 shows the script files, 7 and 8 give their lines a fixed word, the tree
    // compares "Pet Commands" and "Example Scripts" exactly.
    QTest::newRow("scripts") << 5 << QStringLiteral("My Scripts") << QString();
    QTest::newRow("pet") << 7 << QStringLiteral("Pet Commands") << QStringLiteral("pet");
    QTest::newRow("org") << 8 << QStringLiteral("Organisation") << QStringLiteral("org");
    QTest::newRow("examples") << 9 << QStringLiteral("Example Scripts") << QString();
}

void TstShippedCatalogue::groupsAreTheProgramsGroups()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QFETCH(QString, prefix);
    QSqlQuery q = run(QStringLiteral("SELECT * FROM tblCommandGroup WHERE CommandGroupID = %1").arg(id));
    QVERIFY(q.next());
    QCOMPARE(q.value("CommandGroupText").toString(), text);
    QCOMPARE(q.value("Prefix").toString(), prefix);
    QVERIFY(!q.next());
}

void TstShippedCatalogue::groupsComeInTreeOrder()
{
    QSqlQuery q = run(QStringLiteral("SELECT * FROM tblCommandGroup"));
    QList<int> ids;
    while (q.next())
        ids << q.value("CommandGroupID").toInt();
    QCOMPARE(ids, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
}

void TstShippedCatalogue::commandsTheProgramNamesExist_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("add");

    // The tree lets these two pet commands through to the dialog and writes every other
    // pet command straight away; their values hold spaces and need quotes.
    QTest::newRow("pet rename") << 7 << QStringLiteral("rename") << 1 << QStringLiteral("\"");
    QTest::newRow("pet chat") << 7 << QStringLiteral("chat") << 1 << QStringLiteral("\"");
    QTest::newRow("the whole catalogue") << 11 << QStringLiteral("All") << 0 << QString();
    QTest::newRow("script") << 6 << QStringLiteral("script") << 1 << QString();
    QTest::newRow("delay, from the number list") << 6 << QStringLiteral("delay") << 3 << QString();
    QTest::newRow("pet help, shown with its own image") << 7 << QStringLiteral("help") << 0 << QString();
    QTest::newRow("org bank") << 8 << QStringLiteral("bank") << 1 << QString();
}

void TstShippedCatalogue::commandsTheProgramNamesExist()
{
    QFETCH(int, group);
    QFETCH(QString, text);
    QFETCH(int, type);
    QFETCH(QString, add);
    int found = 0;
    for (const CommandRow& row : std::as_const(m_commands)) {
        // The tree compares with exact case, so "all" would not do.
        if (row.group == group && row.text == text) {
            ++found;
            QCOMPARE(row.type, type);
            QCOMPARE(row.add, add);
        }
    }
    QCOMPARE(found, 1);
}

void TstShippedCatalogue::everyCommandHasItsHelpPage()
{
    QVERIFY2(m_commands.size() >= 40, qPrintable(QString::number(m_commands.size())));
    for (const CommandRow& row : std::as_const(m_commands)) {
        const QString name = QStringLiteral("%1 [%2]").arg(row.id).arg(row.text);
        if (row.group == 9) {
            QVERIFY2(row.book.isEmpty(), qPrintable(name));
            continue;
        }
        QVERIFY2(row.book.startsWith(QLatin1String("{\\rtf1")), qPrintable(name));
        const RtfResult check = RtfReader::check(row.book.toLatin1());
        QVERIFY2(check.ok, qPrintable(name + QStringLiteral(": ") + check.error));
        // Shown in the help window, the page says something and shows the line to type.
        QTextDocument doc;
        QTextCursor cursor(&doc);
        QVERIFY(RtfReader::insert(cursor, row.book.toLatin1()).ok);
        const QString text = doc.toPlainText();
        QVERIFY2(text.size() > 40, qPrintable(name));
        QVERIFY2(!text.contains(QStringLiteral("**")), qPrintable(name));
    }
}

void TstShippedCatalogue::exampleLinesUseKnownCommands()
{
    // A finished line is written into a script exactly as stored: a mistyped command
    // word would reach the game as a failing command.
    QSet<QString> words;
    QHash<int, QSet<QString>> byGroup;
    for (const CommandRow& row : std::as_const(m_commands)) {
        if (row.group != 9) {
            words.insert(row.text.toLower());
            byGroup[row.group].insert(row.text.toLower());
        }
    }
    int examples = 0;
    static const QRegularExpression quotedName(QStringLiteral("^\"[^\"]*\"\\s+"));
    for (const CommandRow& row : std::as_const(m_commands)) {
        if (row.group != 9)
            continue;
        ++examples;
        QVERIFY2(!row.description.isEmpty(), qPrintable(row.text));
        QCOMPARE(row.type, 0);
        if (!row.text.startsWith(QLatin1Char('/')))
            continue;
        const QString word = row.text.mid(1).section(QLatin1Char(' '), 0, 0).toLower();
        if (word.contains(QLatin1Char('.'))) {
            // Another script started by its file name: no catalogue word to match.
            continue;
        } else if (word == QLatin1String("pet") || word == QLatin1String("org")) {
            QString rest = row.text.mid(5);
            rest.remove(quotedName);
            const QString order = rest.section(QLatin1Char(' '), 0, 0).toLower();
            QVERIFY2(byGroup.value(word == QLatin1String("pet") ? 7 : 8).contains(order), qPrintable(row.text));
        } else {
            QVERIFY2(words.contains(word), qPrintable(row.text));
        }
    }
    QVERIFY2(examples >= 15, qPrintable(QString::number(examples)));
}

void TstShippedCatalogue::numberListOnlyForPauses()
{
    // The value list of type 3 runs 1000 to 10000: only a pause in milliseconds fits it.
    for (const CommandRow& row : std::as_const(m_commands)) {
        if (row.type == 3)
            QCOMPARE(row.text, QStringLiteral("delay"));
    }
}

void TstShippedCatalogue::menuListsAreComplete()
{
    QStringList breeds;
    QSqlQuery b = run(QStringLiteral("SELECT * FROM tblBreed"));
    while (b.next())
        breeds << b.value("Breed").toString();
    QCOMPARE(breeds, (QStringList{"Solitus", "Opifex", "Nanomage", "Atrox"}));

    QStringList professions;
    QSqlQuery p = run(QStringLiteral("SELECT * FROM tblProfession"));
    while (p.next())
        professions << p.value("Profession").toString();
    QCOMPARE(professions.size(), 14);
    QVERIFY(professions.contains(QStringLiteral("Meta-Physicist")));
    QVERIFY(professions.contains(QStringLiteral("Nano-Technician")));
    QVERIFY(professions.contains(QStringLiteral("Martial Artist")));
}

void TstShippedCatalogue::namesForEveryDraw_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("sex");
    QTest::newRow("male") << 0 << QStringLiteral("M");
    QTest::newRow("female") << 0 << QStringLiteral("F");
    QTest::newRow("unisex") << 0 << QStringLiteral("U");
    QTest::newRow("epithet") << 1 << QStringLiteral("U");
}

void TstShippedCatalogue::namesForEveryDraw()
{
    QFETCH(int, type);
    QFETCH(QString, sex);
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    QVERIFY(q.prepare(QStringLiteral("SELECT Names, Sex FROM tblnames WHERE Type = ? and Sex = ?")));
    q.addBindValue(type);
    q.addBindValue(sex);
    QVERIFY(q.exec());
    int count = 0;
    while (q.next()) {
        ++count;
        const QString name = q.value(0).toString();
        QCOMPARE(q.value(1).toString(), sex);
        // Written as /pet rename "<name>": no quotes inside; the game is said to want
        // at least four letters.
        QVERIFY2(!name.contains(QLatin1Char('"')), qPrintable(name));
        if (type == 0)
            QVERIFY2(name.size() >= 4, qPrintable(name));
    }
    QVERIFY2(count >= 60, qPrintable(QString::number(count)));
}

QTEST_MAIN(TstShippedCatalogue)
#include "tst_shipped_catalogue.moc"
