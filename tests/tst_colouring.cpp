#include "editor/CommandColouring.h"
#include "platform/RichTextControl.h"

#include <QSignalSpy>
#include <QTextCursor>
#include <QtTest>

using Span = CommandColouring::Span;
Q_DECLARE_METATYPE(QList<Span>)

namespace {
QColor colourAt(RichTextControl& c, int pos)
{
    QTextCursor cur(c.document());
    cur.setPosition(pos + 1);
    const QTextCharFormat f = cur.charFormat();
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : RichTextControl::white();
}

// One character per character of the text: G for green, "." for anything else, so
// a whole colouring reads as one string.
QString colourMap(RichTextControl& c)
{
    QString map;
    const int n = c.textLength();
    for (int i = 0; i < n; ++i)
        map += colourAt(c, i) == RichTextControl::green() ? u'G' : u'.';
    return map;
}
}

class tst_colouring : public QObject {
    Q_OBJECT
private slots:
    void spans_data();
    void spans();
    void spansNeverOverlapAndMoveForward();
    void applyColours_data();
    void applyColours();
    void selectionAndCaretKept_data();
    void selectionAndCaretKept();
    void neverWhitens();
    void passIsNoEdit();
    void typingAfterGreenWordIsWhite();
};

void tst_colouring::spans_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<Span>>("expected");
    QTest::newRow("command and value") << "/tell Someone hello" << QList<Span>{{0, 5}};
    QTest::newRow("slash inside the line") << "say /wave now" << QList<Span>{{4, 5}};
    QTest::newRow("one span per line") << "/a b /c d" << QList<Span>{{0, 2}};
    QTest::newRow("command without value runs across the break")
        << "/afk\n/tell Someone hello" << QList<Span>{{0, 10}};
    QTest::newRow("over an empty line") << "/a\n\n/b c" << QList<Span>{{0, 6}};
    QTest::newRow("last line without a space") << "/tell x\n/afk" << QList<Span>{{0, 5}};
    QTest::newRow("only a command without value") << "/afk" << QList<Span>{};
    QTest::newRow("no slash") << "just chat\nmore chat" << QList<Span>{};
    QTest::newRow("empty") << "" << QList<Span>{};
    QTest::newRow("every line") << "/a b\n/c d\n/e f" << QList<Span>{{0, 2}, {5, 2}, {10, 2}};
    QTest::newRow("trailing break") << "/tell a\n/tell b\n" << QList<Span>{{0, 5}, {8, 5}};
    QTest::newRow("slash only") << "/ x" << QList<Span>{{0, 1}};
    QTest::newRow("double slash") << "//x y" << QList<Span>{{0, 3}};
    QTest::newRow("slashes mid-word on two lines") << "a/b c/d e\n/x y" << QList<Span>{{1, 2}, {10, 2}};
    QTest::newRow("span ends on the next line, that line is done")
        << "hi there /x\n/y z\n/q r" << QList<Span>{{9, 5}, {17, 2}};
    QTest::newRow("space far below") << "/a\n/b\n/c d" << QList<Span>{{0, 8}};
    QTest::newRow("line without slash passed over") << "chat line\n/tell a" << QList<Span>{{10, 5}};
    QTest::newRow("slash after the space on a line") << "x y /z\n/w v" << QList<Span>{{4, 5}};
}

void tst_colouring::spans()
{
    QFETCH(QString, text);
    QFETCH(QList<Span>, expected);
    const QList<Span> got = CommandColouring::spans(text);
    QCOMPARE(got.size(), expected.size());
    for (qsizetype i = 0; i < got.size(); ++i) {
        QCOMPARE(got[i].start, expected[i].start);
        QCOMPARE(got[i].length, expected[i].length);
    }
}

void tst_colouring::spansNeverOverlapAndMoveForward()
{
    // Random scripts of slashes, spaces, breaks and letters: every span starts with
    // "/", stops before a space, and the next one starts on a later line.
    QRandomGenerator rng(20261206);
    const QString alphabet = QStringLiteral("/ \nab");
    for (int round = 0; round < 500; ++round) {
        QString text;
        const int n = int(rng.bounded(60));
        for (int i = 0; i < n; ++i)
            text += alphabet.at(int(rng.bounded(alphabet.size())));
        const QList<Span> got = CommandColouring::spans(text);
        int previousEnd = -1;
        for (const Span& s : got) {
            QVERIFY(s.start > previousEnd);
            QCOMPARE(text.at(s.start), QChar(u'/'));
            QCOMPARE(text.at(s.start + s.length), QChar(u' '));
            QVERIFY(!text.mid(s.start, s.length).contains(u' '));
            if (previousEnd >= 0) {
                // A line break lies between the previous span's space and this span.
                QVERIFY(text.mid(previousEnd, s.start - previousEnd).contains(u'\n'));
            }
            previousEnd = s.start + s.length;
        }
    }
}

void tst_colouring::applyColours_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("map");
    QTest::newRow("tell") << "/tell Someone hello" << "GGGGG..............";
    QTest::newRow("wave") << "say /wave now" << "....GGGGG....";
    QTest::newRow("a b c d") << "/a b /c d" << "GG.......";
    QTest::newRow("afk then tell") << "/afk\n/tell Someone hello" << "GGGGGGGGGG..............";
    QTest::newRow("last afk stays white") << "/tell x\n/afk" << "GGGGG.......";
    QTest::newRow("no slash") << "hello there" << "...........";
}

void tst_colouring::applyColours()
{
    QFETCH(QString, text);
    QFETCH(QString, map);
    RichTextControl c;
    c.setText(text);
    HighlightCommands(c);
    QCOMPARE(colourMap(c), map);
    QCOMPARE(c.Text(), text);
}

void tst_colouring::selectionAndCaretKept_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::newRow("caret at end") << "/tell a\n/afk b" << 14 << 0;
    QTest::newRow("selection across a command") << "/tell a\n/afk b" << 2 << 8;
    QTest::newRow("no slash, selection") << "plain words" << 3 << 4;
    QTest::newRow("caret at 0") << "/tell a" << 0 << 0;
}

void tst_colouring::selectionAndCaretKept()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    RichTextControl c;
    c.setText(text);
    c.select(start, length);
    HighlightCommands(c);
    QCOMPARE(c.SelStart(), start);
    QCOMPARE(c.SelLength(), length);
    QCOMPARE(c.SelText(), text.mid(start, length));
}

void tst_colouring::neverWhitens()
{
    RichTextControl c;
    c.setText(QStringLiteral("/tell bob"));
    HighlightCommands(c);
    // Deleting the slash leaves "tell" green: nothing turns it back.
    c.select(0, 1);
    c.setSelText(QString());
    HighlightCommands(c);
    QCOMPARE(c.Text(), QStringLiteral("tell bob"));
    QCOMPARE(colourMap(c), QStringLiteral("GGGG...."));
}

void tst_colouring::passIsNoEdit()
{
    RichTextControl c;
    c.setText(QStringLiteral("/tell a\n/afk b"));
    QSignalSpy changed(&c, &RichTextControl::contentChanged);
    HighlightCommands(c);
    QCOMPARE(changed.count(), 0);
}

void tst_colouring::typingAfterGreenWordIsWhite()
{
    RichTextControl c;
    c.setText(QStringLiteral("/afk"));
    c.setSelStart(4);
    c.setSelColor(RichTextControl::white());
    c.setText(QStringLiteral("/tell"));
    c.setSelStart(5);
    c.setSelColor(RichTextControl::white());
    c.setSelText(QStringLiteral(" bob"));
    HighlightCommands(c);
    // The pass does not change the colour at the caret.
    QCOMPARE(c.SelColor(), RichTextControl::white());
    QTest::keyClicks(&c, QStringLiteral("x"));
    QCOMPARE(colourMap(c), QStringLiteral("GGGGG....."));
}

QTEST_MAIN(tst_colouring)
#include "tst_colouring.moc"
