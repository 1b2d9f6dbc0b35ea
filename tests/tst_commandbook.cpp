#include "support/Child.h"
#include "MainWindowFixture.h"

#include "app/MainWindow.h"
#include "dialogs/HelpWindow.h"
#include "editor/ScriptWindow.h"
#include "platform/RichTextControl.h"

#include <QMdiArea>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

namespace {

// A help page as the catalogue stores it: a whole document, one paragraph.
QString storedPage(const char* text)
{
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\r\n"
                          "\\viewkind4\\uc1\\pard\\f0\\fs20 %1\\par\r\n}\r\n").arg(QLatin1String(text));
}

// Pages of every form, stored out of order on purpose.
bool start(MainWindowFixture& f)
{
    TestCatalogue& c = *f.catalogue;
    const std::pair<int, const char*> groups[]{{1, "One"}, {9, "Example Scripts"}, {10, "Ten"}, {11, "Odd"}};
    for (const auto& [id, name] : groups)
        c.addGroup(id, QString::fromLatin1(name));
    c.addGroup(7, QStringLiteral("Pet Commands"), QStringLiteral("pet"));
    c.addCommand(1003, 10, QStringLiteral("zz"), {}, 0, {}, storedPage("Group ten comes last."));
    c.addCommand(901, 9, QStringLiteral("/t Example"), {}, 0, {}, storedPage("Never in the book."));
    c.addCommand(902, 9, QStringLiteral("shout"), {}, 0, {}, QStringLiteral("{\\rtf1 Broken page {\\b never closed"));
    c.addCommand(703, 7, QStringLiteral("zap"), {}, 0, {},
                 QStringLiteral("{\\rtf1\\ansi{\\colortbl ;\\red255\\green0\\blue0;}\\pard\\cf1\\fs32 Red and big.\\par}"));
    c.addCommand(103, 1, QStringLiteral("gamma"), {}, 0, {}, QStringLiteral("A fragment with {\\b bold} words.\\par "));
    c.addCommand(101, 1, QStringLiteral("alpha"), {}, 0, {}, storedPage("First."));
    c.addCommand(102, 1, QStringLiteral("Beta"), {}, 0, {}, storedPage("Capital B among lower case."));
    c.addCommand(104, 1, QStringLiteral("empty"), {}, 0, {}, QString());
    c.addCommand(105, 1, QStringLiteral("missing"), {}, 0);
    c.exec(QStringLiteral("UPDATE tblCommand SET CommandBook = NULL WHERE CommandID = 105"));
    c.addCommand(701, 7, QStringLiteral("attack"), {}, 0, {}, storedPage("Both capitalised."));
    // A word the heading must carry as text, not as RTF, beyond the code page too.
    c.addCommand(1101, 11, QStringLiteral("{b}\\par \u00e9lan"), {}, 0, {}, storedPage("Odd word."));
    return f.start();
}

// The document's text with every run in bold 14 point (a heading) in [brackets], and
// any run in another colour than white in <angle brackets>.
QString marked(const QTextDocument& doc)
{
    QString out;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            QString run = it.fragment().text();
            if (f.fontWeight() == QFont::Bold && qFuzzyCompare(f.fontPointSize(), 14.0))
                run = u'[' + run + u']';
            if (!f.hasProperty(QTextFormat::ForegroundBrush) || f.foreground().color() != QColor(Qt::white))
                run = u'<' + run + u'>';
            out += run;
        }
        out += u'\n';
    }
    return out;
}

}

// Help pages as the player reads them: all at once in the command book, or one in
// the help window.
class tst_commandbook : public QObject {
    Q_OBJECT
private slots:
    // Groups come by number (10 after 7), commands by word without regard to case;
    // group 9, empty pages and missing pages stay out. Headings name the command as it
    // is typed, in bold 14 point, and nothing of them spills into the page; pages keep
    // their sizes and bold runs, but are all white. The book comes a moment after F1
    // asks for it in a script window, read-only, and closes without a question.
    void book()
    {
        MainWindowFixture f;
        QVERIFY(start(f));
        ScriptWindow* first = f.main->activeScriptWindow();
        first->editor()->setSelText(QStringLiteral("my script"));
        f.main->scriptArea().requestCommandBook();
        QCOMPARE(f.main->scriptArea().subWindowList().size(), 1);  // once the asking key is handled
        QTRY_COMPARE(f.main->scriptArea().subWindowList().size(), 2);
        ScriptWindow* book = f.main->activeScriptWindow();
        QVERIFY(book != first);
        RichTextControl& editor = *book->editor();
        const QString commands[] = {"/alpha", "/Beta", "/gamma", "/pet attack", "/pet zap", "/zz", "/{b}\\par \u00e9lan"};
        QCOMPARE(marked(*editor.document()),
                 QStringLiteral("\n[Contents]\n\n%1\n\n[/alpha]\n\nFirst.\n\n[/Beta]\n\nCapital B among lower case.\n"
                                "\n[/gamma]\n\nA fragment with bold words.\n\n[/pet attack]\n\n"
                                "Both capitalised.\n\n[/pet zap]\n\nRed and big.\n\n[/zz]\n\n"
                                "Group ten comes last.\n\n[/{b}\\par \u00e9lan]\n\nOdd word.\n\n")
                     .arg(QStringList(std::begin(commands), std::end(commands)).join(u'\n')));
        // Enter on a contents entry goes to its heading.
        const qsizetype contentsEnd = editor.Text().indexOf(commands[6]) + commands[6].size();
        for (const QString& command : commands) {
            editor.setSelStart(editor.Text().indexOf(command + u'\n'));
            QTest::keyClick(&editor, Qt::Key_Return);
            QCOMPARE(editor.textCursor().block().text(), command);
            QVERIFY(editor.SelStart() > contentsEnd);
        }
        QVERIFY(editor.isReadOnly());
        QCOMPARE(book->windowTitle(), QStringLiteral("Command Book"));
        // The main window names the book while it is the active window, as it names a script.
        QCOMPARE(f.main->windowTitle(), QStringLiteral("Command Book - Zandrel"));
        const int red = editor.Text().indexOf(QStringLiteral("Red"));
        QCOMPARE(editor.document()->findBlock(red).begin().fragment().charFormat().fontPointSize(), 16.0);
        QTextCursor at(editor.document());
        at.setPosition(editor.Text().indexOf(QStringLiteral("bold")) + 1);
        QCOMPARE(at.charFormat().fontWeight(), int(QFont::Bold));
        // The colouring pass stays off for the book only; the player's script is left alone.
        QVERIFY(!book->colours());
        QVERIFY(first->colours());
        QCOMPARE(first->editor()->Text(), QStringLiteral("my script"));
        QVERIFY(book->close());
        QCOMPARE(f.prompt.boxes.size(), 0);
    }

    void helpWindow_data()
    {
        QTest::addColumn<QString>("key");  // of the selected node, "" for none
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::newRow("page in big red") << "C703" << "Help - zap" << "Red and big.\n";
        QTest::newRow("command with an empty page") << "C104" << "Help - empty" << "";
        QTest::newRow("command without a page") << "C105" << "Help - missing" << "";
        QTest::newRow("page stored as a fragment") << "C103" << "Help - gamma" << "A fragment with bold words.\n";
        QTest::newRow("page that does not parse shows what reads") << "C902" << "Help - shout" << "Broken page never closed";
        QTest::newRow("command the catalogue lacks") << "C999" << "Help" << "";
        QTest::newRow("no node selected") << "" << "Help" << "";
    }
    // Whatever sizes the page asks for, the window shows it in 10 point.
    void helpWindow()
    {
        QFETCH(QString, key);
        QFETCH(QString, caption);
        QFETCH(QString, text);
        MainWindowFixture f;
        QVERIFY(start(f));
        HelpWindow help(f.main->state().catalogue, key.isEmpty() ? std::nullopt : std::optional<qint64>(key.mid(1).toLongLong()),
                        f.main.get());
        QCOMPARE(help.windowTitle(), caption);
        QCOMPARE(child<QTextEdit>(help, "pageView")->toPlainText(), text);
        QCOMPARE(child<QTextEdit>(help, "pageView")->textCursor().position(), 0);
        QVERIFY(child<QTextEdit>(help, "pageView")->isReadOnly());
        QCOMPARE(f.prompt.boxes.size(), 0);
        for (QTextBlock block = child<QTextEdit>(help, "pageView")->document()->begin(); block.isValid(); block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it)
                QCOMPARE(it.fragment().charFormat().fontPointSize(), 10.0);
    }
};

QTEST_MAIN(tst_commandbook)
#include "tst_commandbook.moc"
