#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "app/CommandBook.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"
#include "platform/RtfReader.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextBlock>
#include <QTextDocument>
#include <QtTest>

namespace {

// A help page as the catalogue stores it: a whole document, one paragraph.
QString storedPage(const QString& text)
{
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
                          "\\viewkind4\\uc1\\pard\\f0\\fs20 ")
        + text + QStringLiteral("\\par\r\n}\r\n");
}

// What the book shows for its pages, given as heading and text: each an empty line, its
// heading, an empty line, then the page.
QString bookText(const QStringList& headingsAndTexts)
{
    QString out;
    for (qsizetype i = 0; i + 1 < headingsAndTexts.size(); i += 2)
        out += QStringLiteral("\n%1 command\n\n%2\n").arg(headingsAndTexts.at(i), headingsAndTexts.at(i + 1));
    return out;
}

// The lines of the document written in bold 14 point: the headings.
QStringList headingLines(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        bool heading = !block.text().isEmpty();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            heading = heading && f.fontWeight() == QFont::Bold && qFuzzyCompare(f.fontPointSize(), 14.0);
        }
        if (heading)
            out << block.text();
    }
    return out;
}

// Every stretch of text whose colour is not white.
QStringList nonWhiteRuns(const QTextDocument& doc)
{
    QStringList out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (!f.hasProperty(QTextFormat::ForegroundBrush) || f.foreground().color() != QColor(Qt::white))
                out << it.fragment().text();
        }
    }
    return out;
}

frmWindow* activeWindow(frmMain& main)
{
    return qobject_cast<frmWindow*>(main.mdiArea->currentSubWindow());
}

}

class tst_commandbook : public QObject {
    Q_OBJECT
private slots:
    void headingPiece_data();
    void headingPiece();
    void book();
    void f1InLockedScriptWindow();
};

void tst_commandbook::headingPiece_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("heading");
    QTest::newRow("mixed case and white space") << "tElL  oRG\tx" << "Tell  Org\tX command";
    QTest::newRow("punctuation is no word break") << "o'neil-smith" << "O'neil-smith command";
    QTest::newRow("braces") << "{b}" << "{b} command";
    QTest::newRow("backslash and control word") << "a\\par b" << "A\\par B command";
    QTest::newRow("beyond the code page") << QString::fromUtf8("élan ωmega") << QString::fromUtf8("Élan Ωmega command");
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
    cursor.insertText(QStringLiteral("page"));
    QVERIFY(cursor.charFormat().fontWeight() != QFont::Bold);
    QCOMPARE(cursor.charFormat().fontPointSize(), 10.0);
}

// Groups come by number (10 after 2), commands by word without regard to case; group
// 9, empty pages and missing pages stay out. Pages keep their sizes and bold runs, but
// are all white.
void tst_commandbook::book()
{
    MainWindowFixture f;
    TestCatalogue& c = *f.catalogue;
    c.addGroup(1, QStringLiteral("One"));
    c.addGroup(2, QStringLiteral("Two"));
    c.addGroup(9, QStringLiteral("Example Scripts"));
    c.addGroup(10, QStringLiteral("Ten"));
    // Stored out of order on purpose.
    c.addCommand(1003, 10, QStringLiteral("zz"), {}, 0, {}, storedPage(QStringLiteral("Group ten comes last.")));
    c.addCommand(901, 9, QStringLiteral("/t Example"), {}, 0, {}, storedPage(QStringLiteral("Never in the book.")));
    c.addCommand(203, 2, QStringLiteral("pet zap"), {}, 0, {},
                 QStringLiteral("{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;}\\pard\\cf1\\fs32 Red and big.\\par}"));
    c.addCommand(103, 1, QStringLiteral("gamma"), {}, 0, {}, QStringLiteral("A fragment with {\\b bold} words.\\par "));
    c.addCommand(101, 1, QStringLiteral("alpha"), {}, 0, {}, storedPage(QStringLiteral("First.")));
    c.addCommand(102, 1, QStringLiteral("Beta"), {}, 0, {}, storedPage(QStringLiteral("Capital B among lower case.")));
    c.addCommand(104, 1, QStringLiteral("empty"), {}, 0, {}, QString());
    c.addCommand(105, 1, QStringLiteral("missing"), {}, 0);
    c.exec(QStringLiteral("UPDATE tblCommand SET CommandBook = NULL WHERE CommandID = 105"));
    c.addCommand(201, 2, QStringLiteral("pet attack"), {}, 0, {}, storedPage(QStringLiteral("Both capitalised.")));
    QVERIFY(f.start());
    frmWindow* first = activeWindow(*f.main);
    first->rtfrypAO->setSelText(QStringLiteral("my script"));

    f.main->mnuAllC_Click();
    frmWindow* book = activeWindow(*f.main);
    QVERIFY(book && book != first);
    RichTextControl& editor = *book->rtfrypAO;
    QCOMPARE(editor.Text(), bookText({"Alpha", "First.", "Beta", "Capital B among lower case.", "Gamma",
                                      "A fragment with bold words.", "Pet Attack", "Both capitalised.", "Pet Zap",
                                      "Red and big.", "Zz", "Group ten comes last."}));
    QCOMPARE(headingLines(*editor.document()), (QStringList{"Alpha command", "Beta command", "Gamma command",
                                                            "Pet Attack command", "Pet Zap command", "Zz command"}));
    QCOMPARE(nonWhiteRuns(*editor.document()), QStringList());
    const int red = editor.Text().indexOf(QStringLiteral("Red"));
    QCOMPARE(editor.document()->findBlock(red).begin().fragment().charFormat().fontPointSize(), 16.0);
    QTextCursor at(editor.document());
    at.setPosition(editor.Text().indexOf(QStringLiteral("bold")) + 1);
    QCOMPARE(at.charFormat().fontWeight(), int(QFont::Bold));
    QCOMPARE(f.main->windowTitle(), CommandBook::caption());
    QCOMPARE(editor.SelStart(), 0);
    QCOMPARE(editor.SelLength(), 0);
    // The colouring pass stays off for the book only; the player's script is left alone.
    QVERIFY(!book->tmHighlight->isActive());
    QVERIFY(first->tmHighlight->isActive());
    QCOMPARE(first->rtfrypAO->Text(), QStringLiteral("my script"));
    QCOMPARE(f.prompt.boxes.size(), 0);
}

// F1 in a script window while free typing is off asks for the book through the main
// window's timer, not at once, and only once per press.
void tst_commandbook::f1InLockedScriptWindow()
{
    MainWindowFixture f;
    f.catalogue->addGroup(1, QStringLiteral("One"));
    f.catalogue->addCommand(101, 1, QStringLiteral("tell"), {}, 1, {}, storedPage(QStringLiteral("Whisper.")));
    QVERIFY(f.start());
    f.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.main.get()));
    frmWindow* script = activeWindow(*f.main);
    script->rtfrypAO->setFocus();

    QTest::keyClick(script->rtfrypAO, Qt::Key_F1);
    QCOMPARE(f.main->mdiArea->subWindowList().size(), 1);
    QVERIFY(f.main->tmHelp.isActive());
    QTRY_COMPARE(f.main->mdiArea->subWindowList().size(), 2);
    QVERIFY(!f.main->tmHelp.isActive());
    QCOMPARE(activeWindow(*f.main)->rtfrypAO->Text(), bookText({"Tell", "Whisper."}));
    QCOMPARE(script->rtfrypAO->Text(), QString());
    // Elsewhere F1 is the Help menu's All Commands.
    QCOMPARE(f.main->findChild<QAction*>(QStringLiteral("mnuAllC"))->shortcut(), QKeySequence(Qt::Key_F1));
}

QTEST_MAIN(tst_commandbook)
#include "tst_commandbook.moc"
