#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "catalogue/Catalogue.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"

#include <QAction>
#include <QFile>
#include <QMdiArea>
#include <QTextCursor>
#include <QtTest>

#include <tuple>

namespace {

using NameRow = std::tuple<QString, int, QString>;  // name, type, sex

struct Started {
    MainWindowFixture f;
    frmWindow* window = nullptr;
    RichTextControl* editor = nullptr;

    explicit Started(const QList<NameRow>& names = {})
    {
        f.fillStandardCatalogue();
        for (const auto& [name, type, sex] : names)
            f.catalogue->addName(name, type, sex);
        if (!f.start())
            return;
        window = f.main->activeScriptWindow();
        editor = window ? window->rtfrypAO : nullptr;
        f.main->state().catalogue.clearQueryLog();
        f.prompt.clear();
    }

    void trigger(const QString& item)
    {
        auto* action = f.main->findChild<QAction*>(item);
        QVERIFY2(action, qPrintable(item));
        action->trigger();
    }

    QStringList queries() const { return f.main->state().catalogue.queryLog(); }
};

// The colour of each character from `from` on, as one letter per character:
// W white, G green, ? anything else.
QString colours(const RichTextControl& editor, int from, int length)
{
    QString out;
    for (int i = from; i < from + length; ++i) {
        QTextCursor c(editor.document());
        c.setPosition(i + 1);  // the format left of the position is character i's
        const QTextCharFormat format = c.charFormat();
        const QColor colour = format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color()
                                                                                : RichTextControl::white();
        out += colour == RichTextControl::white() ? u'W' : colour == RichTextControl::green() ? u'G' : u'?';
    }
    return out;
}

}

class tst_inserters : public QObject {
    Q_OBJECT
private slots:
    void captions_data();
    void captions();
    void whiteAfterAGreenCommand();
    void nothingWithoutAWindow_data();
    void nothingWithoutAWindow();
    void randomBreedAndProfession_data();
    void randomBreedAndProfession();
    void petRename_data();
    void petRename();
    void unreadableCatalogueWritesNothing();
};

// Variables and the listed breeds and professions are their own captions: written
// after the selection, in white, without asking the catalogue.
void tst_inserters::captions_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("after");

    const QList<std::pair<const char*, const char*>> items{
        {"mnuCurrentF", " %f"}, {"mnuSelectTarget", " %t"}, {"mnuMe", " %m"}, {"mnuArgs_1", " %1"},
        {"mnuArgs_5", " %5"},   {"mnuArgs_9", " %9"}};
    for (const auto& [item, text] : items) {
        const QString t = QString::fromLatin1(text);
        QTest::addRow("%s in an empty script", item) << item << "" << 0 << 0 << t;
        QTest::addRow("%s at the caret", item) << item << "/tell Bob\nhi" << 9 << 0 << "/tell Bob" + t + "\nhi";
        QTest::addRow("%s after a selection", item) << item << "say abc now" << 4 << 3 << "say abc" + t + " now";
        QTest::addRow("%s after a selection over a line break", item) << item << "ab\ncd" << 1 << 3 << "ab\nc" + t + "d";
    }
    QTest::newRow("breed at the caret") << "mnuBreeds_2" << "/say I am" << 9 << 0 << "/say I am Opifex";
    QTest::newRow("breed keeps the selection") << "mnuBreeds_4" << "x abc y" << 2 << 3 << "x abc Atrox y";
    QTest::newRow("profession with a hyphen") << "mnuProfessions_3" << "" << 0 << 0 << " Meta-Physicist";
    QTest::newRow("profession keeps the selection") << "mnuProfessions_1" << "abc" << 0 << 3 << "abc Adventurer";
}

void tst_inserters::captions()
{
    QFETCH(QString, item);
    QFETCH(QString, before);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, after);
    Started s;
    QVERIFY(s.editor);
    s.editor->setText(before);
    s.editor->select(selStart, selLength);
    s.trigger(item);
    const int inserted = int(after.size() - before.size());
    QCOMPARE(s.editor->Text(), after);
    QCOMPARE(s.editor->SelStart(), selStart + selLength + inserted);
    QCOMPARE(s.editor->SelLength(), 0);
    QCOMPARE(colours(*s.editor, selStart + selLength, inserted), QString(inserted, u'W'));
    QVERIFY(s.queries().isEmpty());
}

void tst_inserters::whiteAfterAGreenCommand()
{
    Started s;
    QVERIFY(s.editor);
    s.editor->setText(QStringLiteral("/tell"));
    s.editor->select(0, 5);
    s.editor->setSelColor(RichTextControl::green());
    s.editor->setSelStart(5);
    QCOMPARE(colours(*s.editor, 0, 5), QStringLiteral("GGGGG"));
    s.trigger(QStringLiteral("mnuSelectTarget"));
    s.trigger(QStringLiteral("mnuBreeds_1"));
    QCOMPARE(s.editor->Text(), QStringLiteral("/tell %t Solitus"));
    QCOMPARE(colours(*s.editor, 0, 16), QStringLiteral("GGGGGWWWWWWWWWWW"));
}

void tst_inserters::nothingWithoutAWindow_data()
{
    QTest::addColumn<QString>("item");
    for (const char* item : {"mnuCurrentF", "mnuSelectTarget", "mnuMe", "mnuArgs_1", "mnuArgs_9", "mnuBreeds_0",
                             "mnuBreeds_3", "mnuProfessions_0", "mnuProfessions_2", "mnuRename_0", "mnuRename_1",
                             "mnuRename_2", "mnuRename_3", "mnuRename_4", "mnuRename_5"})
        QTest::newRow(item) << QString::fromLatin1(item);
}

void tst_inserters::nothingWithoutAWindow()
{
    QFETCH(QString, item);
    Started s({{QStringLiteral("Rex"), 0, QStringLiteral("M")}, {QStringLiteral("Bold"), 1, QStringLiteral("M")}});
    QVERIFY(s.editor);
    s.f.main->mdiArea->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(s.f.main->mdiArea->subWindowList().isEmpty());
    s.trigger(item);
    QVERIFY(s.queries().isEmpty());
    QVERIFY(s.f.prompt.boxes.isEmpty());
    QVERIFY(s.f.main->mdiArea->subWindowList().isEmpty());
}

void tst_inserters::randomBreedAndProfession_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("values");
    QTest::newRow("breed") << "mnuBreeds_0" << "SELECT * FROM tblBreed"
                           << QStringList{"Solitus", "Opifex", "Nanomage", "Atrox"};
    QTest::newRow("profession") << "mnuProfessions_0" << "SELECT * FROM tblProfession"
                                << QStringList{"Adventurer", "Agent", "Meta-Physicist"};
}

void tst_inserters::randomBreedAndProfession()
{
    QFETCH(QString, item);
    QFETCH(QString, sql);
    QFETCH(QStringList, values);
    Started s;
    QVERIFY(s.editor);
    s.editor->setText(QStringLiteral("abc"));
    s.editor->select(0, 3);
    s.trigger(item);
    QCOMPARE(s.queries(), QStringList{sql});
    const QString text = s.editor->Text();
    QVERIFY2(text.startsWith(QLatin1String("abc ")), qPrintable(text));
    QVERIFY2(values.contains(text.mid(4)), qPrintable(text));
    QVERIFY(s.f.prompt.boxes.isEmpty());
}

void tst_inserters::petRename_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<NameRow>>("names");
    QTest::addColumn<QStringList>("sql");
    QTest::addColumn<QString>("line");  // empty: no name to be had, nothing written
    const QString type0 = QStringLiteral("SELECT * FROM tblnames WHERE Type = 0");
    const QString type1 = QStringLiteral("SELECT * FROM tblnames WHERE Type = 1");
    const QList<NameRow> oneOfEach{{"Rex", 0, "M"}, {"Bella", 0, "F"}, {"Sam", 0, "U"}, {"Bold", 1, "M"}};
    QTest::newRow("random") << 0 << QList<NameRow>{{"Rex", 0, "M"}, {"Bold", 1, "M"}} << QStringList{type0}
                            << "/pet rename \"Rex\"\n";
    QTest::newRow("male") << 1 << oneOfEach << QStringList{type0 + " and Sex = 'M'"} << "/pet rename \"Rex\"\n";
    QTest::newRow("female") << 2 << oneOfEach << QStringList{type0 + " and Sex = 'F'"} << "/pet rename \"Bella\"\n";
    QTest::newRow("unisex") << 3 << oneOfEach << QStringList{type0 + " and Sex = 'U'"} << "/pet rename \"Sam\"\n";
    QTest::newRow("surname") << 4 << QList<NameRow>{{"Smith", 0, "U"}} << QStringList{type0}
                             << "/pet rename \"Smith\"\n";
    QTest::newRow("fantasy") << 5 << QList<NameRow>{{"Rex", 0, "M"}, {"Bold", 1, "F"}} << QStringList{type0, type1}
                             << "/pet rename \"Rex the Bold\"\n";
    QTest::newRow("name with a space") << 1 << QList<NameRow>{{"Mr Whiskers", 0, "M"}}
                                       << QStringList{type0 + " and Sex = 'M'"} << "/pet rename \"Mr Whiskers\"\n";
    QTest::newRow("empty table") << 0 << QList<NameRow>{} << QStringList{type0} << "";
    QTest::newRow("no female name") << 2 << QList<NameRow>{{"Rex", 0, "M"}} << QStringList{type0 + " and Sex = 'F'"}
                                    << "";
    QTest::newRow("fantasy without an epithet") << 5 << QList<NameRow>{{"Rex", 0, "M"}} << QStringList{type0, type1}
                                                << "";
    QTest::newRow("fantasy without a first name") << 5 << QList<NameRow>{{"Bold", 1, "M"}} << QStringList{type0} << "";
}

void tst_inserters::petRename()
{
    QFETCH(int, index);
    QFETCH(QList<NameRow>, names);
    QFETCH(QStringList, sql);
    QFETCH(QString, line);
    Started s(names);
    QVERIFY(s.editor);
    // The line takes the place of the selection, wherever it stands on its line.
    s.editor->setText(QStringLiteral("say abc\nnext"));
    s.editor->select(4, 3);
    s.trigger(QStringLiteral("mnuRename_%1").arg(index));
    QCOMPARE(s.queries(), sql);
    if (line.isEmpty()) {
        QCOMPARE(s.editor->Text(), QStringLiteral("say abc\nnext"));
        QCOMPARE(s.editor->SelText(), QStringLiteral("abc"));
        return;
    }
    QCOMPARE(s.editor->Text(), QStringLiteral("say ") + line + QStringLiteral("\nnext"));
    QCOMPARE(s.editor->SelStart(), 4 + int(line.size()));
    QCOMPARE(colours(*s.editor, 4, static_cast<int>(line.size())), QString(line.size(), u'W'));
}

void tst_inserters::unreadableCatalogueWritesNothing()
{
    Started s({{QStringLiteral("Rex"), 0, QStringLiteral("M")}});
    QVERIFY(s.editor);
    s.f.catalogue.reset();
    QVERIFY(QFile::remove(s.f.dir.filePath(QStringLiteral("zandrel.db"))));
    s.trigger(QStringLiteral("mnuRename_0"));
    s.trigger(QStringLiteral("mnuBreeds_0"));
    QCOMPARE(s.editor->Text(), QString());
    QCOMPARE(s.f.prompt.boxes.size(), 2);
    QCOMPARE(s.f.prompt.boxes.constFirst().title, QStringLiteral("Error in globs"));
    // The listed items still work from their captions.
    s.trigger(QStringLiteral("mnuBreeds_3"));
    QCOMPARE(s.editor->Text(), QStringLiteral(" Nanomage"));
}

QTEST_MAIN(tst_inserters)
#include "tst_inserters.moc"
