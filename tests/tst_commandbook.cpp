#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "app/CommandBook.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"
#include "platform/RtfReader.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

struct Page {
    QString heading;  // as the book must show it, " command" left off
    QString text;     // the page's text as shown
};

// A help page as the catalogue stores it: a whole document, one paragraph.
QString storedPage(const QString& text)
{
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
                          "\\viewkind4\\uc1\\pard\\f0\\fs20 ")
        + text + QStringLiteral("\\par\r\n}\r\n");
}

// What the book shows for its pages: each an empty line, its heading, an empty line,
// then the page.
QString bookText(const QList<Page>& pages)
{
    QString out;
    for (const Page& p : pages)
        out += QStringLiteral("\n") + p.heading + QStringLiteral(" command\n\n") + p.text + QStringLiteral("\n");
    return out;
}

// The lines of the document written in bold 14 point: the headings.
QStringList headingLines(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.text().isEmpty())
            continue;
        bool heading = true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            heading = heading && f.fontWeight() == QFont::Bold && qFuzzyCompare(f.fontPointSize(), 14.0);
        }
        if (heading)
            out << block.text();
    }
    return out;
}

// Every stretch of text whose colour is not white, as "position:text".
QStringList nonWhiteRuns(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat f = fragment.charFormat();
            if (!f.hasProperty(QTextFormat::ForegroundBrush) || f.foreground().color() != QColor(0xFF, 0xFF, 0xFF))
                out << QString::number(fragment.position()) + QLatin1Char(':') + fragment.text();
        }
    }
    return out;
}

frmWindow* activeWindow(frmMain& main)
{
    return qobject_cast<frmWindow*>(main.mdiArea->currentSubWindow());
}

QString buildDir()
{
    const QString dir = qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR");
    return dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir;
}

}

class tst_commandbook : public QObject {
    Q_OBJECT
private slots:
    void properCase_data();
    void properCase();
    void headingPiece_data();
    void headingPiece();
    void headingPieceIsTheStoredForm();
    void bookOrder();
    void bookFormatsAndFinish();
    void onlyExampleScriptsLeavesWindowEmpty();
    void menuAndTimerBuildTheBook();
    void f1InLockedScriptWindow();
    void shippedCatalogueBook();
};

void tst_commandbook::properCase_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("proper");
    QTest::newRow("one word") << "pet" << "Pet";
    QTest::newRow("two words") << "pet attack" << "Pet Attack";
    QTest::newRow("upper case lowered") << "AFK" << "Afk";
    QTest::newRow("mixed case") << "tElL oRG" << "Tell Org";
    QTest::newRow("empty") << "" << "";
    QTest::newRow("leading and doubled spaces") << "  guard   me" << "  Guard   Me";
    QTest::newRow("tab separates words") << "a\tb" << "A\tB";
    QTest::newRow("punctuation is not a word break") << "o'neil-smith" << "O'neil-smith";
    QTest::newRow("slash first stays") << "/t help" << "/t Help";
    QTest::newRow("digits") << "3d view" << "3d View";
    QTest::newRow("beyond ASCII") << QString::fromUtf8("élan ÜBER") << QString::fromUtf8("Élan Über");
}

void tst_commandbook::properCase()
{
    QFETCH(QString, word);
    QFETCH(QString, proper);
    QCOMPARE(CommandBook::properCase(word), proper);
}

void tst_commandbook::headingPiece_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("heading");
    QTest::newRow("pet") << "pet" << "Pet command";
    QTest::newRow("two words") << "pet attack" << "Pet Attack command";
    QTest::newRow("braces") << "{b}" << "{b} command";
    QTest::newRow("backslash and control word") << "a\\par b" << "A\\par B command";
    QTest::newRow("unbalanced brace") << "x}" << "X} command";
    QTest::newRow("Windows-1252 letter") << QString::fromUtf8("café") << QString::fromUtf8("Café command");
    QTest::newRow("beyond the code page") << QString::fromUtf8("ωmega") << QString::fromUtf8("Ωmega command");
}

// A piece the reader must take as one whole document: an empty line, the heading in
// bold 14-point Arial, an empty 10-point line, and nothing that spills into the page
// inserted after it.
void tst_commandbook::headingPiece()
{
    QFETCH(QString, word);
    QFETCH(QString, heading);
    const QByteArray piece = CommandBook::headingPiece(word);
    const RtfResult check = RtfReader::check(piece);
    QVERIFY2(check.ok, qPrintable(check.error));

    QTextDocument doc;
    QTextCursor cursor(&doc);
    QVERIFY(RtfReader::insert(cursor, piece).ok);
    QCOMPARE(doc.toPlainText(), QStringLiteral("\n") + heading + QStringLiteral("\n\n"));
    QCOMPARE(headingLines(doc), QStringList{heading});
    const QTextCharFormat title = doc.findBlockByNumber(1).begin().fragment().charFormat();
    QCOMPARE(title.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
    // The page that follows starts plain, in 10 point.
    cursor.insertText(QStringLiteral("page"));
    const QTextCharFormat after = cursor.charFormat();
    QVERIFY(after.fontWeight() != QFont::Bold);
    QCOMPARE(after.fontPointSize(), 10.0);
}

void tst_commandbook::headingPieceIsTheStoredForm()
{
    QCOMPARE(CommandBook::headingPiece(QStringLiteral("pet")),
             QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
                        "\\viewkind4\\uc1\\pard\\par\\b\\f0\\fs28 Pet command\\par\r\n"
                        "\\b0\\fs20\\par\r\n"
                        "}\r\n"));
}

// Groups come by number (10 after 2), commands by word without regard to case; group
// 9, empty pages and missing pages stay out.
void tst_commandbook::bookOrder()
{
    const QList<Page> expected{
        {"Alpha", "First of group one."},
        {"Beta", "Capital B sorts among the lower case."},
        {"Gamma", "Last of group one."},
        {"Pet Attack", "Two words, both capitalised."},
        {"Pet Zap", "Second of group two."},
        {"Zz", "Group ten comes after group two."},
    };
    MainWindowFixture f;
    TestCatalogue& c = *f.catalogue;
    c.addGroup(1, QStringLiteral("One"));
    c.addGroup(2, QStringLiteral("Two"));
    c.addGroup(9, QStringLiteral("Example Scripts"));
    c.addGroup(10, QStringLiteral("Ten"));
    // Stored out of order on purpose.
    c.addCommand(1003, 10, QStringLiteral("zz"), {}, 0, {}, storedPage(QStringLiteral("Group ten comes after group two.")));
    c.addCommand(901, 9, QStringLiteral("/t Example"), {}, 0, {}, storedPage(QStringLiteral("Never in the book.")));
    c.addCommand(203, 2, QStringLiteral("pet zap"), {}, 0, {}, storedPage(QStringLiteral("Second of group two.")));
    c.addCommand(103, 1, QStringLiteral("gamma"), {}, 0, {}, storedPage(QStringLiteral("Last of group one.")));
    c.addCommand(101, 1, QStringLiteral("alpha"), {}, 0, {}, storedPage(QStringLiteral("First of group one.")));
    c.addCommand(102, 1, QStringLiteral("Beta"), {}, 0, {}, storedPage(QStringLiteral("Capital B sorts among the lower case.")));
    c.addCommand(104, 1, QStringLiteral("empty"), {}, 0, {}, QString());
    c.addCommand(105, 1, QStringLiteral("missing"), {}, 0);
    c.exec(QStringLiteral("UPDATE tblCommand SET CommandBook = NULL WHERE CommandID = 105"));
    c.addCommand(201, 2, QStringLiteral("pet attack"), {}, 0, {}, storedPage(QStringLiteral("Two words, both capitalised.")));
    QVERIFY(f.start());

    frmWindow* first = activeWindow(*f.main);
    QVERIFY(first);
    first->rtfrypAO->setSelText(QStringLiteral("my script"));
    f.main->mnuAllC_Click();

    QCOMPARE(f.main->mdiArea->subWindowList().size(), 2);
    frmWindow* book = activeWindow(*f.main);
    QVERIFY(book && book != first);
    QCOMPARE(book->rtfrypAO->Text(), bookText(expected));
    QStringList headings;
    for (const Page& p : expected)
        headings << p.heading + QStringLiteral(" command");
    QCOMPARE(headingLines(*book->rtfrypAO->document()), headings);
    // The player's own script is left alone.
    QCOMPARE(first->rtfrypAO->Text(), QStringLiteral("my script"));
    QCOMPARE(f.prompt.boxes.size(), 0);
}

void tst_commandbook::bookFormatsAndFinish()
{
    MainWindowFixture f;
    TestCatalogue& c = *f.catalogue;
    c.addGroup(7, QStringLiteral("Pet Commands"), QStringLiteral("pet"));
    // Pages with colours of their own, a fragment without a document around it, and
    // sizes: the book shows all of it in white.
    c.addCommand(701, 7, QStringLiteral("attack"), {}, 0, {},
                 QStringLiteral("{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;}\\pard\\cf1\\fs32 Red and big.\\par}"));
    c.addCommand(702, 7, QStringLiteral("follow"), {}, 0, {}, QStringLiteral("A fragment with {\\b bold} words.\\par "));
    QVERIFY(f.start());
    QCOMPARE(f.main->windowTitle(), QStringLiteral("Zandrel"));

    f.main->mnuAllC_Click();
    frmWindow* book = activeWindow(*f.main);
    QVERIFY(book);
    RichTextControl& editor = *book->rtfrypAO;
    QCOMPARE(editor.Text(), bookText({{"Attack", "Red and big."}, {"Follow", "A fragment with bold words."}}));
    QCOMPARE(f.main->windowTitle(), QStringLiteral("System Help - All Commands"));
    QCOMPARE(nonWhiteRuns(*editor.document()), QStringList());
    QCOMPARE(editor.SelStart(), 0);
    QCOMPARE(editor.SelLength(), 0);
    QVERIFY(!book->tmHighlight->isActive());
    // The colouring pass stays on for the other windows.
    for (QMdiSubWindow* w : f.main->mdiArea->subWindowList()) {
        if (w != book)
            QVERIFY(qobject_cast<frmWindow*>(w)->tmHighlight->isActive());
    }

    // The pages keep their own sizes and bold runs; only the colour is the book's.
    const QTextDocument& doc = *editor.document();
    const int red = editor.Text().indexOf(QStringLiteral("Red"));
    QCOMPARE(doc.findBlock(red).begin().fragment().charFormat().fontPointSize(), 16.0);
    QTextCursor at(editor.document());
    at.setPosition(editor.Text().indexOf(QStringLiteral("bold")) + 1);
    QCOMPARE(at.charFormat().fontWeight(), int(QFont::Bold));

    // The book is an ordinary script: a second one opens another window.
    f.main->mnuAllC_Click();
    QCOMPARE(f.main->mdiArea->subWindowList().size(), 3);
    QCOMPARE(activeWindow(*f.main)->rtfrypAO->Text(), editor.Text());
}

void tst_commandbook::onlyExampleScriptsLeavesWindowEmpty()
{
    MainWindowFixture f;
    f.catalogue->addGroup(9, QStringLiteral("Example Scripts"));
    f.catalogue->addCommand(901, 9, QStringLiteral("/t Example"), {}, 0, {}, storedPage(QStringLiteral("An example.")));
    QVERIFY(f.start());
    f.main->mnuAllC_Click();
    QCOMPARE(f.main->mdiArea->subWindowList().size(), 2);
    frmWindow* book = activeWindow(*f.main);
    QVERIFY(book);
    QCOMPARE(book->rtfrypAO->Text(), QString());
    QCOMPARE(f.main->windowTitle(), QStringLiteral("Zandrel"));
}

// Help > All Commands, and the main window's help timer that a locked script window
// arms with F1: both build the book, the timer once per arming.
void tst_commandbook::menuAndTimerBuildTheBook()
{
    MainWindowFixture f;
    f.catalogue->addGroup(1, QStringLiteral("One"));
    f.catalogue->addCommand(101, 1, QStringLiteral("tell"), {}, 1, {}, storedPage(QStringLiteral("Whisper.")));
    QVERIFY(f.start());
    const QString expected = bookText({{"Tell", "Whisper."}});

    auto* allCommands = f.main->findChild<QAction*>(QStringLiteral("mnuAllC"));
    QVERIFY(allCommands);
    QCOMPARE(allCommands->shortcut(), QKeySequence(Qt::Key_F1));
    allCommands->trigger();
    QCOMPARE(f.main->mdiArea->subWindowList().size(), 2);
    QCOMPARE(activeWindow(*f.main)->rtfrypAO->Text(), expected);

    f.main->tmHelp_Timer();
    QCOMPARE(f.main->mdiArea->subWindowList().size(), 3);
    QVERIFY(!f.main->tmHelp.isActive());

    f.main->tmHelp.start();
    QTRY_COMPARE(f.main->mdiArea->subWindowList().size(), 4);
    QVERIFY(!f.main->tmHelp.isActive());
    QCOMPARE(activeWindow(*f.main)->rtfrypAO->Text(), expected);
}

// F1 in a script window while free typing is off asks for the book through the
// main window's timer, not at once.
void tst_commandbook::f1InLockedScriptWindow()
{
    MainWindowFixture f;
    f.catalogue->addGroup(1, QStringLiteral("One"));
    f.catalogue->addCommand(101, 1, QStringLiteral("tell"), {}, 1, {}, storedPage(QStringLiteral("Whisper.")));
    QVERIFY(f.start());
    f.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.main.get()));
    frmWindow* script = activeWindow(*f.main);
    QVERIFY(script);
    script->rtfrypAO->setFocus();

    QTest::keyClick(script->rtfrypAO, Qt::Key_F1);
    QCOMPARE(f.main->mdiArea->subWindowList().size(), 1);
    QVERIFY(f.main->tmHelp.isActive());
    QTRY_COMPARE(f.main->mdiArea->subWindowList().size(), 2);
    QCOMPARE(activeWindow(*f.main)->rtfrypAO->Text(), bookText({{"Tell", "Whisper."}}));
    QCOMPARE(script->rtfrypAO->Text(), QString());
    QCOMPARE(f.prompt.boxes.size(), 0);
}

// The book of the catalogue the program ships: every page reads, each under its
// heading, nothing of the RTF shows as text, and no box comes up.
void tst_commandbook::shippedCatalogueBook()
{
    const QString shipped = buildDir() + QStringLiteral("/zandrel.db");
    if (!QFileInfo::exists(shipped))
        QSKIP("the shipped catalogue has not been built");
    MainWindowFixture f;
    f.main = std::make_unique<frmMain>(f.prompt, shipped);
    QVERIFY(f.main->Form_Load());

    QStringList expected;
    QSqlQuery rows(QSqlDatabase::database(Catalogue::connectionName()));
    QVERIFY(rows.exec(QStringLiteral("SELECT CommandText FROM tblCommand WHERE CommandGroupID <> 9 AND CommandBook <> '' "
                                     "ORDER BY CommandGroupID, CommandText")));
    while (rows.next())
        expected << CommandBook::properCase(rows.value(0).toString()) + QStringLiteral(" command");
    QVERIFY(expected.size() > 20);

    f.main->mnuAllC_Click();
    frmWindow* book = activeWindow(*f.main);
    QVERIFY(book);
    const QTextDocument& doc = *book->rtfrypAO->document();
    QCOMPARE(headingLines(doc), expected);
    const QString text = book->rtfrypAO->Text();
    for (const char* code : {"{\\rtf", "\\par", "\\b", "\\f0", "fonttbl", "\\'"})
        QVERIFY2(!text.contains(QLatin1String(code)), code);
    QCOMPARE(nonWhiteRuns(doc), QStringList());
    QCOMPARE(f.main->windowTitle(), QStringLiteral("System Help - All Commands"));
    QCOMPARE(f.prompt.boxes.size(), 0);
}

QTEST_MAIN(tst_commandbook)
#include "tst_commandbook.moc"
