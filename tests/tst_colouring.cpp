#include "editor/CommandColouring.h"
#include "platform/RichTextControl.h"

#include <QSignalSpy>
#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

using Span = CommandColouring::Span;
Q_DECLARE_METATYPE(QList<Span>)

namespace {
// Replaces `removed` characters at `at` by `inserted`.
struct Edit {
    int at = 0;
    int removed = 0;
    QString inserted;
};

bool isGreen(const QTextCharFormat& f)
{
    return f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().color() == RichTextControl::green();
}

// One character per character of the text: G for green, "." for anything else, so
// a whole colouring reads as one string. A line break counts with its own format, the
// one typing into an empty line after it takes.
QString colourMap(RichTextControl& c)
{
    QString map;
    for (QTextBlock block = c.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            map += QString(it.fragment().length(), isGreen(it.fragment().charFormat()) ? u'G' : u'.');
        if (block.next().isValid())
            map += isGreen(block.next().charFormat()) ? u'G' : u'.';
    }
    return map;
}

// Both editors coloured in full before; the same edits to both; then the pass after
// edits in the one and a full pass in the other.
void compareWithFullPass(RichTextControl& incremental, RichTextControl& full, const QList<Edit>& edits)
{
    for (RichTextControl* c : {&incremental, &full}) {
        for (const Edit& e : edits) {
            c->select(e.at, e.removed);
            c->setSelText(e.inserted);
        }
    }
    QVERIFY(CommandColouring::colourEdits(incremental));
    HighlightCommands(full);
    QCOMPARE(colourMap(incremental), colourMap(full));
}
}
Q_DECLARE_METATYPE(QList<Edit>)

class tst_colouring : public QObject {
    Q_OBJECT
private slots:
    void spans_data();
    void spans();
    void selectionAndCaretKept_data();
    void selectionAndCaretKept();
    void neverWhitens();
    void passIsNoEdit();
    void typingAfterGreenWordIsWhite();
    void editsColourAsAFullPass_data();
    void editsColourAsAFullPass();
    void randomEditsColourAsAFullPass();
    void longScriptColouredInSlicesAsAFullPass();
    void passJoinsTheEditsUndo();
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

void tst_colouring::editsColourAsAFullPass_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<Edit>>("edits");
    const QString script = QStringLiteral("/tell a hi\nchat line\n/afk\nsay /wave now\n/pet attack\nlast words");
    const QString runOn = QStringLiteral("top\n/a\n/b\n/c\n/d\n/e f\n/g h");
    QTest::newRow("command typed into a chat line") << script << QList<Edit>{{11, 0, "/me "}};
    QTest::newRow("space after a command deleted") << script << QList<Edit>{{5, 1, ""}};
    QTest::newRow("value deleted: runs on into the next line") << script << QList<Edit>{{44, 7, ""}};
    QTest::newRow("value deleted: runs on over three lines") << "/a b\nc\nd\ne f" << QList<Edit>{{2, 1, ""}};
    QTest::newRow("run-on command given a value") << script << QList<Edit>{{25, 0, " x"}};
    QTest::newRow("slash of a run-on deleted") << script << QList<Edit>{{21, 1, ""}};
    QTest::newRow("two lines joined") << script << QList<Edit>{{10, 1, ""}};
    QTest::newRow("command word split") << script << QList<Edit>{{2, 0, "\n"}};
    QTest::newRow("line deleted") << script << QList<Edit>{{11, 10, ""}};
    QTest::newRow("lines pasted") << script << QList<Edit>{{26, 0, "/a\n/b c\nplain\n"}};
    QTest::newRow("everything deleted") << script << QList<Edit>{{0, 62, ""}};
    QTest::newRow("edits in two places") << script << QList<Edit>{{2, 0, "q"}, {56, 0, "/"}};
    QTest::newRow("line inserted above a long run-on") << runOn << QList<Edit>{{0, 0, "x\n"}};
    QTest::newRow("run-on cut short in its middle") << runOn << QList<Edit>{{10, 0, " "}};
    QTest::newRow("soft line break typed") << script << QList<Edit>{{7, 0, QString(QChar::LineSeparator) + "/x"}};
}

void tst_colouring::editsColourAsAFullPass()
{
    QFETCH(QString, text);
    QFETCH(QList<Edit>, edits);
    RichTextControl incremental, full;
    for (RichTextControl* c : {&incremental, &full}) {
        c->setText(text);
        HighlightCommands(*c);
    }
    compareWithFullPass(incremental, full, edits);
}

void tst_colouring::randomEditsColourAsAFullPass()
{
    // Rounds of random edits to random scripts: after each, the pass must leave the
    // colours a full pass leaves.
    QRandomGenerator rng(20261207);
    auto randomText = [&](int most) {
        QString text;
        for (int i = int(rng.bounded(most)); i > 0; --i)
            text += QStringLiteral("/ \nab").at(int(rng.bounded(5)));
        return text;
    };
    for (int script = 0; script < 200 && !QTest::currentTestFailed(); ++script) {
        RichTextControl incremental, full;
        const QString text = randomText(40);
        for (RichTextControl* c : {&incremental, &full}) {
            c->setText(text);
            HighlightCommands(*c);
        }
        for (int round = 0; round < 4 && !QTest::currentTestFailed(); ++round) {
            const int at = int(rng.bounded(full.textLength() + 1));
            compareWithFullPass(incremental, full, {{at, int(rng.bounded(4)), randomText(6)}});
        }
    }
}

void tst_colouring::longScriptColouredInSlicesAsAFullPass()
{
    // The part coloured later starts with a line the command above runs on into.
    QString text = QStringLiteral("/tell a b\n").repeated(CommandColouring::kColourAtOnce / 10);
    text.resize(CommandColouring::kColourAtOnce - 6);
    text += QStringLiteral("\n/afk\nx /y z\n") + QStringLiteral("/tell a b\n/afk\n").repeated(10000);
    RichTextControl sliced, full;
    sliced.document()->setPlainText(text);
    CommandColouring::apply(sliced, CommandColouring::spans(text));
    full.setText(text);
    HighlightCommands(full);
    QTRY_COMPARE(colourMap(sliced), colourMap(full));
}

void tst_colouring::passJoinsTheEditsUndo()
{
    RichTextControl c;
    c.setText(QStringLiteral("/tell a b"));
    HighlightCommands(c);
    c.setSelStart(c.textLength());
    c.setSelText(QStringLiteral("\n/wave now"));
    QVERIFY(CommandColouring::colourEdits(c));
    QCOMPARE(colourMap(c), QStringLiteral("GGGGG.....GGGGG...."));
    // One Undo takes back the typing and its colouring together; the pass then waits
    // while the typing can be redone.
    c.document()->undo();
    QCOMPARE(c.Text(), QStringLiteral("/tell a b"));
    QVERIFY(!CommandColouring::colourEdits(c));
    QVERIFY(c.document()->isRedoAvailable());
}

QTEST_MAIN(tst_colouring)
#include "tst_colouring.moc"
