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

// Two editors hold `text`, coloured in full. Each round makes the same edits to both (a
// position past the end wraps round); then the pass after edits in the one, starting
// from the notes the last round left, and a full pass in the other must leave the same
// colours.
void compareWithFullPass(const QString& text, const QList<QList<Edit>>& rounds)
{
    RichTextControl incremental, full;
    for (RichTextControl* c : {&incremental, &full}) {
        c->setText(text);
        HighlightCommands(*c);
    }
    for (const QList<Edit>& edits : rounds) {
        for (RichTextControl* c : {&incremental, &full}) {
            for (const Edit& e : edits) {
                c->select(e.at % (c->textLength() + 1), e.removed);
                c->setSelText(e.inserted);
            }
        }
        QVERIFY(CommandColouring::colourEdits(incremental));
        HighlightCommands(full);
        QCOMPARE(colourMap(incremental), colourMap(full));
    }
}
}
Q_DECLARE_METATYPE(QList<Edit>)

class tst_colouring : public QObject {
    Q_OBJECT
private slots:
    void spans_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<Span>>("expected");
        QTest::newRow("slash inside the line") << "say /wave now" << QList<Span>{{4, 5}};
        QTest::newRow("one span per line, on every line") << "/a b /c d\n/e f" << QList<Span>{{0, 2}, {10, 2}};
        QTest::newRow("command without value runs across the break")
            << "/afk\n/tell Someone hello" << QList<Span>{{0, 10}};
        QTest::newRow("over an empty line and further down") << "/a\n\n/b\n/c d" << QList<Span>{{0, 9}};
        QTest::newRow("no slash") << "just chat\nmore chat" << QList<Span>{};
        QTest::newRow("trailing break") << "/tell a\n/tell b\n" << QList<Span>{{0, 5}, {8, 5}};
        QTest::newRow("slash only, double slash") << "/ x\n//x y" << QList<Span>{{0, 1}, {4, 3}};
        QTest::newRow("span ends on the next line, that line is done")
            << "hi there /x\n/y z\n/q r" << QList<Span>{{9, 5}, {17, 2}};
    }

    void spans()
    {
        QFETCH(QString, text);
        QFETCH(QList<Span>, expected);
        QVERIFY(CommandColouring::spans(text) == expected);
    }

    void passLeavesTheEditorAlone()
    {
        RichTextControl c;
        c.setText(QStringLiteral("/tell bob"));
        c.select(2, 5);
        QSignalSpy changed(&c, &RichTextControl::contentChanged);
        HighlightCommands(c);
        // The pass runs while the player types: the selection stays, and colouring is no
        // edit (which would mark the script changed).
        QCOMPARE(c.SelStart(), 2);
        QCOMPARE(c.SelLength(), 5);
        QCOMPARE(changed.count(), 0);
        // Nor does it leave its green at the caret.
        c.setSelStart(9);
        HighlightCommands(c);
        QTest::keyClicks(&c, QStringLiteral("x"));
        QCOMPARE(colourMap(c), QStringLiteral("GGGGG....."));
    }

    void editsColourAsAFullPass_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<Edit>>("edits");
        const QString script = QStringLiteral("/tell a hi\nchat line\n/afk\nsay /wave now\n/pet attack\nlast words");
        const QString runOn = QStringLiteral("top\n/a\n/b\n/c\n/d\n/e f\n/g h");
        QTest::newRow("command typed into a chat line") << script << QList<Edit>{{11, 0, "/me "}};
        QTest::newRow("value deleted: runs on into the next line") << script << QList<Edit>{{44, 7, ""}};
        QTest::newRow("run-on command given a value") << script << QList<Edit>{{25, 0, " x"}};
        QTest::newRow("lines pasted") << script << QList<Edit>{{26, 0, "/a\n/b c\nplain\n"}};
        QTest::newRow("edits in two places") << script << QList<Edit>{{2, 0, "q"}, {56, 0, "/"}};
        QTest::newRow("line inserted above a long run-on") << runOn << QList<Edit>{{0, 0, "x\n"}};
        QTest::newRow("run-on cut short in its middle") << runOn << QList<Edit>{{10, 0, " "}};
        QTest::newRow("run-on closed early: a command two lines down comes free") << "/a\nx\ny /b c" << QList<Edit>{{2, 0, " "}};
        QTest::newRow("soft line break typed") << script << QList<Edit>{{7, 0, QString(QChar::LineSeparator) + "/x"}};
    }

    void editsColourAsAFullPass()
    {
        QFETCH(QString, text);
        QFETCH(QList<Edit>, edits);
        compareWithFullPass(text, {edits});
    }

    void randomEditsColourAsAFullPass()
    {
        // Random scripts, four rounds of random edits each.
        QRandomGenerator rng(20261207);
        auto randomText = [&](int most) {
            QString text;
            for (int i = int(rng.bounded(most)); i > 0; --i)
                text += QStringLiteral("/ \nab").at(int(rng.bounded(5)));
            return text;
        };
        for (int script = 0; script < 200 && !QTest::currentTestFailed(); ++script) {
            QList<QList<Edit>> rounds;
            for (int round = 0; round < 4; ++round)
                rounds.append({{int(rng.bounded(1000)), int(rng.bounded(4)), randomText(6)}});
            compareWithFullPass(randomText(40), rounds);
        }
    }

    void longScriptColouredInSlicesAsAFullPass()
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

    void passJoinsTheEditsUndo()
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
};

QTEST_MAIN(tst_colouring)
#include "tst_colouring.moc"
