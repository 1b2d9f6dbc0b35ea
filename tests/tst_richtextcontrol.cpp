#include "TestFiles.h"

#include "platform/ErrorNumbers.h"
#include "platform/RichTextControl.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

namespace {
// Colour of the character at pos, white when it has none of its own.
QColor colourAt(RichTextControl& c, int pos)
{
    QTextCursor cur(c.document());
    cur.setPosition(pos + 1);
    const QTextCharFormat f = cur.charFormat();
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : RichTextControl::white();
}
}

class tst_richtextcontrol : public QObject {
    Q_OBJECT
private slots:
    void lineBreakCountsOne();
    void selection_data();
    void selection();
    void selTextReplacesAndLeavesCaretAfter_data();
    void selTextReplacesAndLeavesCaretAfter();
    void selColourIsColourOfNextInsert_data();
    void selColourIsColourOfNextInsert();
    void changeNotification_data();
    void changeNotification();
    void find_data();
    void find();
    void loadSaveKeepsCharactersThatQtCouldAlter();
    void loadFailureLeavesEditorAlone_data();
    void loadFailureLeavesEditorAlone();
    void printableDocumentPrintsWhiteAsBlack();
    void keyDownHookSwallows();
    void doubleClickSignal();
    void appearance();
    void pointAtCaretHitsItsPosition_data();
    void pointAtCaretHitsItsPosition();
    void richTextKeepsItsIndent();
};

void tst_richtextcontrol::lineBreakCountsOne()
{
    RichTextControl c;
    c.setText(QStringLiteral("/afk\r\n/tell Bob hi\r\nend"));
    QCOMPARE(c.Text(), QStringLiteral("/afk\n/tell Bob hi\nend"));
    QCOMPARE(c.textLength(), c.Text().size());
    c.select(5, 5);
    QCOMPARE(c.SelText(), QStringLiteral("/tell"));
    c.select(3, 3);
    QCOMPARE(c.SelText(), QStringLiteral("k\n/"));
}

void tst_richtextcontrol::selection_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    // Text "abc\ndef" has 7 characters.
    QTest::newRow("inside") << 1 << 2 << 1 << 2;
    QTest::newRow("across the break") << 2 << 3 << 2 << 3;
    QTest::newRow("to the end") << 4 << 3 << 4 << 3;
    QTest::newRow("length past end clamps") << 5 << 100 << 5 << 2;
    QTest::newRow("start past end clamps") << 50 << 1 << 7 << 0;
    QTest::newRow("negative start") << -3 << 2 << 0 << 2;
    QTest::newRow("negative length") << 2 << -1 << 2 << 0;
}

void tst_richtextcontrol::selection()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    RichTextControl c;
    c.setText(QStringLiteral("abc\ndef"));
    c.select(2, 2);
    c.setSelStart(start);
    QCOMPARE(c.SelLength(), 0);  // moving the start collapses the selection
    c.setSelLength(length);
    QCOMPARE(c.SelStart(), selStart);
    QCOMPARE(c.SelLength(), selLength);
    QCOMPARE(c.SelText(), c.Text().mid(selStart, selLength));
}

void tst_richtextcontrol::selTextReplacesAndLeavesCaretAfter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("insert");
    QTest::addColumn<QString>("result");
    QTest::addColumn<int>("caret");
    QTest::newRow("at caret") << "/assist" << 7 << 0 << " %t" << "/assist %t" << 10;
    QTest::newRow("replace word") << "me you" << 0 << 2 << "me %1" << "me %1 you" << 5;
    QTest::newRow("crlf is one break") << "x" << 0 << 1 << "/tell a\r\n" << "/tell a\n" << 8;
    QTest::newRow("line replaced across break") << "a\nb\nc" << 2 << 2 << "" << "a\nc" << 2;
    QTest::newRow("empty text") << "" << 0 << 0 << "/afk" << "/afk" << 4;
}

void tst_richtextcontrol::selTextReplacesAndLeavesCaretAfter()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, insert);
    QFETCH(QString, result);
    QFETCH(int, caret);
    RichTextControl c;
    c.setText(text);
    c.select(start, length);
    c.setSelText(insert);
    QCOMPARE(c.Text(), result);
    QCOMPARE(c.SelStart(), caret);
    QCOMPARE(c.SelLength(), 0);
}

void tst_richtextcontrol::selColourIsColourOfNextInsert_data()
{
    QTest::addColumn<bool>("reversed");
    QTest::newRow("selection made forwards") << false;
    QTest::newRow("selection made backwards") << true;
}

void tst_richtextcontrol::selColourIsColourOfNextInsert()
{
    QFETCH(bool, reversed);
    RichTextControl c;
    c.setText(QStringLiteral("/tell bob"));
    // "/tell" green, as the colouring leaves it.
    c.select(0, 5);
    c.setSelColor(RichTextControl::green());
    QCOMPARE(colourAt(c, 0), RichTextControl::green());
    // Select " bob" (the text right after the green word) and replace it in white.
    QTextCursor cur = c.textCursor();
    cur.setPosition(reversed ? 9 : 5);
    cur.setPosition(reversed ? 5 : 9, QTextCursor::KeepAnchor);
    c.setTextCursor(cur);
    c.setSelColor(RichTextControl::white());
    c.setSelText(QStringLiteral(" %t"));
    QCOMPARE(c.Text(), QStringLiteral("/tell %t"));
    for (int i = 5; i < 8; ++i)
        QCOMPARE(colourAt(c, i), RichTextControl::white());
    QCOMPARE(colourAt(c, 4), RichTextControl::green());

    // Insertion at a collapsed caret right after green text takes the colour set.
    c.setSelStart(5);
    c.setSelColor(RichTextControl::white());
    QCOMPARE(c.SelColor(), RichTextControl::white());
    c.setSelText(QStringLiteral("X"));
    QCOMPARE(colourAt(c, 5), RichTextControl::white());
}

void tst_richtextcontrol::changeNotification_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("emitted");
    QTest::newRow("setText") << "setText" << true;
    QTest::newRow("setText same empty") << "clearEmpty" << false;
    QTest::newRow("typing") << "type" << true;
    QTest::newRow("backspace") << "backspace" << true;
    QTest::newRow("selection move") << "select" << false;
    QTest::newRow("colour") << "colour" << false;
    QTest::newRow("font size") << "size" << false;
    QTest::newRow("replacing the selection") << "selText" << true;
}

void tst_richtextcontrol::changeNotification()
{
    QFETCH(QString, action);
    QFETCH(bool, emitted);
    RichTextControl c;
    if (action != QLatin1String("clearEmpty"))
        c.setText(QStringLiteral("abc"));
    c.setSelStart(3);
    QSignalSpy changed(&c, &RichTextControl::contentChanged);
    if (action == QLatin1String("setText"))
        c.setText(QStringLiteral("xyz"));
    else if (action == QLatin1String("clearEmpty"))
        c.setText(QString());
    else if (action == QLatin1String("type"))
        QTest::keyClick(&c, Qt::Key_D);
    else if (action == QLatin1String("backspace"))
        QTest::keyClick(&c, Qt::Key_Backspace);
    else if (action == QLatin1String("select"))
        c.select(0, 2);
    else if (action == QLatin1String("colour")) {
        c.select(0, 2);
        c.setSelColor(Qt::red);
    } else if (action == QLatin1String("size")) {
        c.select(0, 2);
        c.setSelFontSize(14);
    } else if (action == QLatin1String("selText")) {
        c.select(0, 2);
        c.setSelText(QStringLiteral("x"));
    }
    QCOMPARE(changed.count() > 0, emitted);
}

void tst_richtextcontrol::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("what");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("found");
    QTest::newRow("from start") << "ab ab ab" << "ab" << 0 << 0 << 0;
    QTest::newRow("match at start position") << "ab ab ab" << "ab" << 3 << 0 << 3;
    QTest::newRow("after start") << "ab ab ab" << "ab" << 4 << 0 << 6;
    QTest::newRow("never wraps") << "ab ab ab" << "ab" << 7 << 0 << -1;
    QTest::newRow("start past end") << "ab" << "ab" << 10 << 0 << -1;
    QTest::newRow("negative start is 0") << "ab" << "ab" << -5 << 0 << 0;
    QTest::newRow("case ignored") << "x ABC" << "abc" << 0 << 0 << 2;
    QTest::newRow("match case") << "ABC abc" << "abc" << 0 << 4 << 4;
    QTest::newRow("match case none") << "ABC" << "abc" << 0 << 4 << -1;
    QTest::newRow("whole word skips part") << "abcd abc" << "abc" << 0 << 2 << 5;
    QTest::newRow("whole word none") << "xabc abcd" << "abc" << 0 << 2 << -1;
    QTest::newRow("both") << "Abc abc ABC" << "ABC" << 0 << 6 << 8;
    QTest::newRow("empty text finds nothing") << "abc" << "" << 0 << 0 << -1;
    QTest::newRow("second line counts one per break") << "/afk\n/tell a" << "tell" << 0 << 0 << 6;
    QTest::newRow("slash") << "say /wave now" << "/" << 0 << 0 << 4;
}

void tst_richtextcontrol::find()
{
    QFETCH(QString, text);
    QFETCH(QString, what);
    QFETCH(int, start);
    QFETCH(int, options);
    QFETCH(int, found);
    RichTextControl c;
    c.setText(text);
    c.select(1, 1);
    QCOMPARE(c.find(what, start, options), found);
    // A failed search leaves the selection as it was.
    QCOMPARE(c.SelStart(), found >= 0 ? found : 1);
    QCOMPARE(c.SelLength(), found >= 0 ? what.size() : 1);
}

void tst_richtextcontrol::loadSaveKeepsCharactersThatQtCouldAlter()
{
    // Non-breaking space, tab, form feed, vertical tab and the C1 bytes: a text
    // document is free to treat some of them specially.
    const QByteArray bytes("a\xA0" "b\tc\x0B" "d\x0C" "e\x81\x8D\x8F\x90\x9D\r\n\r\n\xA0\r\n");
    QTemporaryDir dir;
    const QString in = dir.filePath(QStringLiteral("in"));
    const QString out = dir.filePath(QStringLiteral("out"));
    writeFile(in, bytes);
    RichTextControl c;
    QVERIFY(c.loadFile(in).ok());
    QCOMPARE(c.SelStart(), 0);
    QVERIFY(c.saveFile(out).ok());
    QCOMPARE(readFile(out), bytes);
}

void tst_richtextcontrol::loadFailureLeavesEditorAlone_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("NUL byte") << QByteArray("x\0y", 3);
    QTest::newRow("line far longer than any chat line") << "/a b\r\n" + QByteArray(RichTextControl::kLongestLine + 1, 'x');
}

void tst_richtextcontrol::loadFailureLeavesEditorAlone()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    const QString bin = dir.filePath(QStringLiteral("bin"));
    writeFile(bin, bytes);
    RichTextControl c;
    c.setText(QStringLiteral("keep me"));
    c.select(2, 3);
    QSignalSpy changed(&c, &RichTextControl::contentChanged);
    const IoResult r = c.loadFile(bin);
    QCOMPARE(r.number, ErrorNumbers::NotAScript);
    QCOMPARE(c.Text(), QStringLiteral("keep me"));
    QCOMPARE(c.SelStart(), 2);
    QCOMPARE(c.SelLength(), 3);
    QCOMPARE(changed.count(), 0);
}

void tst_richtextcontrol::printableDocumentPrintsWhiteAsBlack()
{
    RichTextControl c;
    c.setText(QStringLiteral("/tell bob\nplain"));
    c.select(0, 15);
    c.setSelColor(RichTextControl::white());
    c.select(0, 5);
    c.setSelColor(RichTextControl::green());
    c.setSelStart(0);
    const auto doc = c.printableDocument();
    QCOMPARE(doc->toPlainText(), QStringLiteral("/tell bob\nplain"));
    int greens = 0;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QColor colour = it.fragment().charFormat().foreground().color();
            QVERIFY2(colour != RichTextControl::white(), qPrintable(it.fragment().text()));
            if (colour == RichTextControl::green()) {
                QCOMPARE(it.fragment().text(), QStringLiteral("/tell"));
                ++greens;
            }
        }
    }
    QCOMPARE(greens, 1);
    // The editor itself keeps its colours.
    QCOMPARE(colourAt(c, 6), RichTextControl::white());
}

void tst_richtextcontrol::keyDownHookSwallows()
{
    RichTextControl c;
    QList<int> seen;
    c.setKeyDownHook([&seen](QKeyEvent* e) {
        seen << e->key();
        return e->key() == Qt::Key_X;
    });
    QTest::keyClicks(&c, QStringLiteral("axb"));
    QCOMPARE(c.Text(), QStringLiteral("ab"));
    QCOMPARE(seen, (QList<int>{Qt::Key_A, Qt::Key_X, Qt::Key_B}));
    c.setKeyDownHook({});
    QTest::keyClick(&c, Qt::Key_X);
    QCOMPARE(c.Text(), QStringLiteral("abx"));
}

void tst_richtextcontrol::doubleClickSignal()
{
    RichTextControl c;
    c.setText(QStringLiteral("/tell bob"));
    c.resize(300, 100);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    QSignalSpy clicked(&c, &RichTextControl::doubleClicked);
    const QPoint at = c.cursorRect(QTextCursor(c.document())).center() + QPoint(2, 0);
    QTest::mouseDClick(c.viewport(), Qt::LeftButton, {}, at);
    QCOMPARE(clicked.count(), 1);
}

void tst_richtextcontrol::appearance()
{
    RichTextControl c;
    QCOMPARE(c.palette().color(QPalette::Base), QColor(Qt::black));
    QCOMPARE(c.palette().color(QPalette::Text), RichTextControl::white());
    QCOMPARE(c.SelColor(), RichTextControl::white());
    QCOMPARE(c.font().pointSizeF(), 9.75);
    QVERIFY(!QFontInfo(c.font()).fixedPitch());
}

void tst_richtextcontrol::pointAtCaretHitsItsPosition_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    const QString lines = QStringLiteral("/tell a b\n").repeated(3000);
    QTest::newRow("far down") << lines << 25004;
    const QString wrapped = QString(5000, u'w') + QStringLiteral("\n/x y\nlast");
    QTest::newRow("inside a wrapped line") << wrapped << 2500;
    QTest::newRow("below a wrapped line") << wrapped << 5003;
}

void tst_richtextcontrol::pointAtCaretHitsItsPosition()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    RichTextControl c;
    c.resize(300, 200);
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    c.setText(text);
    c.setSelStart(position);
    c.ensureCursorVisible();
    const QRect caret = c.cursorRect();
    QVERIFY(c.viewport()->rect().contains(caret));
    // Its top and bottom edges, just inside.
    QCOMPARE(c.cursorForPosition(QPoint(caret.center().x(), caret.top() + 1)).position(), position);
    QCOMPARE(c.cursorForPosition(QPoint(caret.center().x(), caret.bottom() - 1)).position(), position);
}

void tst_richtextcontrol::richTextKeepsItsIndent()
{
    // Help pages bring paragraphs of their own: the editor shows them indented.
    RichTextControl c;
    c.show();
    QVERIFY(QTest::qWaitForWindowExposed(&c));
    QTextBlockFormat indented;
    indented.setLeftMargin(60);
    QTextCursor cursor(c.document());
    cursor.insertText(QStringLiteral("plain"));
    cursor.insertBlock(indented);
    QCOMPARE(c.cursorRect(cursor).left() - c.cursorRect(QTextCursor(c.document())).left(), 60);
}

QTEST_MAIN(tst_richtextcontrol)
#include "tst_richtextcontrol.moc"
