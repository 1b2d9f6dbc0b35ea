#include "TestFiles.h"

#include "platform/ErrorNumbers.h"
#include "platform/RichTextControl.h"

#include <QAccessible>
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
    // A selection made backwards, right after a green word, replaced in white: Qt alone
    // would forget the colour and write green.
    void selColourIsColourOfNextInsert()
    {
        RichTextControl c;
        c.setText(QStringLiteral("/tell bob"));
        c.select(0, 5);
        c.setSelColor(RichTextControl::green());
        QTextCursor cur = c.textCursor();
        cur.setPosition(9);
        cur.setPosition(5, QTextCursor::KeepAnchor);
        c.setTextCursor(cur);
        c.setSelColor(RichTextControl::white());
        c.setSelText(QStringLiteral(" %t"));
        QCOMPARE(c.Text(), QStringLiteral("/tell %t"));
        QCOMPARE(colourAt(c, 4), RichTextControl::green());
        QCOMPARE(colourAt(c, 5), RichTextControl::white());
    }

    void printableDocumentPrintsWhiteAsBlack()
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
        QStringList printed; // each run as "colour:text"
        for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
            for (auto it = b.begin(); !it.atEnd(); ++it)
                printed << it.fragment().charFormat().foreground().color().name() + u':' + it.fragment().text();
        }
        QCOMPARE(printed, (QStringList{"#00ff00:/tell", "#000000: bob", "#000000:plain"}));
        // The editor itself keeps its colours.
        QCOMPARE(colourAt(c, 6), RichTextControl::white());
    }

    void pointAtCaretHitsItsPosition_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        const QString lines = QStringLiteral("/tell a b\n").repeated(3000);
        QTest::newRow("far down") << lines << 25004;
        const QString wrapped = QString(5000, u'w') + QStringLiteral("\n/x y\nlast");
        QTest::newRow("inside a wrapped line") << wrapped << 2500;
        QTest::newRow("below a wrapped line") << wrapped << 5003;
    }

    // The line-by-line layout places the caret and answers a click where the text is,
    // and says where each character is to assistive technology.
    void pointAtCaretHitsItsPosition()
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
        // Screen readers, magnifiers and input methods are told the same place.
        QAccessibleTextInterface* reader = QAccessible::queryAccessibleInterface(&c)->textInterface();
        const QRect box = reader->characterRect(position);
        QCOMPARE(box.topLeft(), c.viewport()->mapToGlobal(caret.topLeft()));
        QCOMPARE(reader->offsetAtPoint(box.topLeft() + QPoint(1, 1)), position);
        QCOMPARE(c.inputMethodQuery(Qt::ImCursorRectangle).toRect(), caret);
    }
};

QTEST_MAIN(tst_richtextcontrol)
#include "tst_richtextcontrol.moc"
