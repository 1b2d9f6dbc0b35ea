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
    RichTextControl* editor = nullptr;

    explicit Started(const QList<NameRow>& names = {})
    {
        f.fillStandardCatalogue();
        for (const auto& [name, type, sex] : names)
            f.catalogue->addName(name, type, sex);
        if (f.start() && f.main->activeScriptWindow())
            editor = f.main->activeScriptWindow()->rtfrypAO;
        f.prompt.clear();
    }

    void trigger(const QString& item) { f.main->findChild<QAction*>(item)->trigger(); }
};

// True when no character of the span has a colour other than white.
bool allWhite(const RichTextControl& editor, int from, int length)
{
    for (int i = from; i < from + length; ++i) {
        QTextCursor c(editor.document());
        c.setPosition(i + 1);  // the format left of the position is character i's
        const QTextCharFormat f = c.charFormat();
        if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().color() != RichTextControl::white())
            return false;
    }
    return true;
}

}

class tst_inserters : public QObject {
    Q_OBJECT
private slots:
    void captions_data();
    void captions();
    void nothingWithoutAWindow_data();
    void nothingWithoutAWindow();
    void petRename_data();
    void petRename();
    void unreadableCatalogueWritesNothing();
};

// Variables and the listed breeds and professions are written after the selection,
// in white even after a green command; a random breed or profession is one of the
// catalogue's.
void tst_inserters::captions_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("before");  // its first five characters coloured green
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QStringList>("inserted");  // any one of these
    QTest::newRow("fighting target in an empty script") << "mnuCurrentF" << "" << 0 << 0 << QStringList{" %f"};
    QTest::newRow("target at the caret") << "mnuSelectTarget" << "/tell Bob\nhi" << 9 << 0 << QStringList{" %t"};
    QTest::newRow("me after a selection") << "mnuMe" << "say abc now" << 4 << 3 << QStringList{" %m"};
    QTest::newRow("argument 9 after a selection over a line break") << "mnuArgs_9" << "ab\ncd" << 1 << 3
                                                                     << QStringList{" %9"};
    QTest::newRow("listed breed after a green command") << "mnuBreeds_2" << "/tell" << 5 << 0 << QStringList{" Opifex"};
    QTest::newRow("listed profession") << "mnuProfessions_3" << "abc" << 0 << 3 << QStringList{" Meta-Physicist"};
    QTest::newRow("random breed") << "mnuBreeds_0" << "abc" << 0 << 3
                                  << QStringList{" Solitus", " Opifex", " Nanomage", " Atrox"};
    QTest::newRow("random profession") << "mnuProfessions_0" << "abc" << 3 << 0
                                       << QStringList{" Adventurer", " Agent", " Meta-Physicist"};
}

void tst_inserters::captions()
{
    QFETCH(QString, item);
    QFETCH(QString, before);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QStringList, inserted);
    Started s;
    QVERIFY(s.editor);
    s.editor->setText(before);
    s.editor->select(0, 5);
    s.editor->setSelColor(RichTextControl::green());
    s.editor->select(selStart, selLength);
    s.trigger(item);
    const int at = selStart + selLength;
    const QString text = s.editor->Text();
    const QString added = text.mid(at, text.size() - before.size());
    QVERIFY2(inserted.contains(added), qPrintable(text));
    QCOMPARE(text, before.left(at) + added + before.mid(at));
    QCOMPARE(s.editor->SelStart(), at + added.size());
    QCOMPARE(s.editor->SelLength(), 0);
    QVERIFY(allWhite(*s.editor, at, int(added.size())));
    QVERIFY(s.f.prompt.boxes.isEmpty());
}

void tst_inserters::nothingWithoutAWindow_data()
{
    QTest::addColumn<QString>("item");
    for (const char* item : {"mnuMe", "mnuArgs_1", "mnuBreeds_0", "mnuBreeds_3", "mnuRename_0", "mnuRename_5"})
        QTest::newRow(item) << QString::fromLatin1(item);
}

void tst_inserters::nothingWithoutAWindow()
{
    QFETCH(QString, item);
    Started s({{QStringLiteral("Rex"), 0, QStringLiteral("M")}, {QStringLiteral("Bold"), 1, QStringLiteral("M")}});
    s.f.main->mdiArea->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    s.trigger(item);
    QVERIFY(s.f.prompt.boxes.isEmpty());
    QVERIFY(s.f.main->mdiArea->subWindowList().isEmpty());
}

void tst_inserters::petRename_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<NameRow>>("names");
    QTest::addColumn<QString>("line");  // empty: no name to be had, nothing written
    const QList<NameRow> oneOfEach{{"Rex", 0, "M"}, {"Bella", 0, "F"}, {"Sam", 0, "U"}, {"Bold", 1, "M"}};
    QTest::newRow("random, first names only") << 0 << QList<NameRow>{{"Rex", 0, "M"}, {"Bold", 1, "M"}}
                                              << "/pet rename \"Rex\"\n";
    QTest::newRow("male") << 1 << oneOfEach << "/pet rename \"Rex\"\n";
    QTest::newRow("female") << 2 << oneOfEach << "/pet rename \"Bella\"\n";
    QTest::newRow("unisex") << 3 << oneOfEach << "/pet rename \"Sam\"\n";
    QTest::newRow("surname") << 4 << QList<NameRow>{{"Smith", 0, "U"}, {"Bold", 1, "M"}} << "/pet rename \"Smith\"\n";
    QTest::newRow("fantasy") << 5 << QList<NameRow>{{"Rex", 0, "M"}, {"Bold", 1, "F"}} << "/pet rename \"Rex the Bold\"\n";
    QTest::newRow("empty table") << 0 << QList<NameRow>{} << "";
    QTest::newRow("no female name") << 2 << QList<NameRow>{{"Rex", 0, "M"}} << "";
    QTest::newRow("fantasy without an epithet") << 5 << QList<NameRow>{{"Rex", 0, "M"}} << "";
    QTest::newRow("fantasy without a first name") << 5 << QList<NameRow>{{"Bold", 1, "M"}} << "";
}

void tst_inserters::petRename()
{
    QFETCH(int, index);
    QFETCH(QList<NameRow>, names);
    QFETCH(QString, line);
    Started s(names);
    QVERIFY(s.editor);
    // The line goes below the selection's line, which stays as it was.
    s.editor->setText(QStringLiteral("say abc\nnext"));
    s.editor->select(4, 3);
    s.trigger(QStringLiteral("mnuRename_%1").arg(index));
    if (line.isEmpty()) {
        QCOMPARE(s.editor->Text(), QStringLiteral("say abc\nnext"));
        QCOMPARE(s.editor->SelText(), QStringLiteral("abc"));
        return;
    }
    QCOMPARE(s.editor->Text(), QStringLiteral("say abc\n") + line + QStringLiteral("next"));
    QCOMPARE(s.editor->SelStart(), 8 + int(line.size()));
    QVERIFY(allWhite(*s.editor, 8, int(line.size())));
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
    // The listed items still work from their captions.
    s.trigger(QStringLiteral("mnuBreeds_3"));
    QCOMPARE(s.editor->Text(), QStringLiteral(" Nanomage"));
}

QTEST_MAIN(tst_inserters)
#include "tst_inserters.moc"
