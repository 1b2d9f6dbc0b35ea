#include "dialogs/CommandLineParser.h"
#include "editor/LineSelection.h"

#include <QtTest>

using CommandLineParser::NumberList;
using CommandLineParser::ParsedLine;

class tst_lineparsing : public QObject {
    Q_OBJECT
private slots:
    void currentLine_data();
    void currentLine();
    void parse_data();
    void parse();
    void listEntryAndName_data();
    void listEntryAndName();
    void unquote_data();
    void unquote();
    void wrapValue_data();
    void wrapValue();
    void valuePart_data();
    void valuePart();
    void singleLine_data();
    void singleLine();
    void numberEntries_data();
    void numberEntries();
    void reopenedLineWritesItselfBack_data();
    void reopenedLineWritesItselfBack();
};

void tst_lineparsing::currentLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::newRow("empty text") << "" << 0 << 0 << 0;
    QTest::newRow("one line, caret inside") << "/tell Bob" << 3 << 0 << 9;
    QTest::newRow("one line, caret at end") << "/tell Bob" << 9 << 0 << 9;
    QTest::newRow("first of three, at start") << "abc\ndef\nghi" << 0 << 0 << 3;
    QTest::newRow("first of three, before its break") << "abc\ndef\nghi" << 3 << 0 << 3;
    QTest::newRow("start of second is not the first") << "abc\ndef\nghi" << 4 << 4 << 3;
    QTest::newRow("middle of second") << "abc\ndef\nghi" << 6 << 4 << 3;
    QTest::newRow("last line without break") << "abc\ndef\nghi" << 11 << 8 << 3;
    QTest::newRow("empty middle line") << "abc\n\nghi" << 4 << 4 << 0;
    QTest::newRow("empty last line") << "abc\n" << 4 << 4 << 0;
    QTest::newRow("position past the end") << "abc\ndef" << 99 << 4 << 3;
    QTest::newRow("negative position") << "abc\ndef" << -5 << 0 << 3;
}

void tst_lineparsing::currentLine()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(int, start);
    QFETCH(int, length);
    const LineSelection::Span span = LineSelection::currentLine(text, position);
    QCOMPARE(span.start, start);
    QCOMPARE(span.length, length);
    QVERIFY(!text.mid(span.start, span.length).contains(QLatin1Char('\n')));
}

void tst_lineparsing::parse_data()
{
    QTest::addColumn<QString>("currentLine");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("lineValue");
    QTest::addColumn<bool>("separated");
    QTest::newRow("tree command") << "tell" << "tell" << "" << false;
    QTest::newRow("tree command with group word") << "pet rename" << "pet rename" << "" << false;
    QTest::newRow("empty line") << "" << "" << "" << false;
    QTest::newRow("free text") << "hello there" << "hello there" << "" << false;
    QTest::newRow("plain line") << "/tell Bob" << "tell" << "Bob" << true;
    QTest::newRow("value keeps inner and outer spaces") << "/tell  Bob and Al " << "tell" << " Bob and Al " << true;
    QTest::newRow("quoted value kept for unquote") << "/tell 'hello there'" << "tell" << "'hello there'" << true;
    QTest::newRow("line without a space has no value") << "/say" << "say" << "" << false;
    QTest::newRow("slash alone") << "/" << "" << "" << false;
    QTest::newRow("trailing space, empty value") << "/sit " << "sit" << "" << true;
    QTest::newRow("org line") << "/org ban Bob" << "org ban" << "Bob" << true;
    QTest::newRow("org value trimmed") << "/org ban  Bob  " << "org ban" << "Bob" << true;
    QTest::newRow("pet line") << "/pet rename Rex the Brave" << "pet rename" << "Rex the Brave" << true;
    QTest::newRow("pet line without value") << "/pet attack" << "pet attack" << "" << false;
    QTest::newRow("pet word alone") << "/pet" << "pet" << "" << false;
    QTest::newRow("pet word and space") << "/pet " << "pet " << "" << false;
    QTest::newRow("a tell that mentions a pet order") << "/tell Bob try /pet attack" << "tell"
                                                       << "Bob try /pet attack" << true;
    QTest::newRow("letter case of the pet word counts") << "/Pet attack" << "Pet" << "attack" << true;
}

void tst_lineparsing::parse()
{
    QFETCH(QString, currentLine);
    QFETCH(QString, key);
    QFETCH(QString, lineValue);
    QFETCH(bool, separated);
    const ParsedLine parsed = CommandLineParser::parse(currentLine);
    QCOMPARE(parsed.key, key);
    QCOMPARE(parsed.lineValue, lineValue);
    QCOMPARE(parsed.separated, separated);
}

void tst_lineparsing::listEntryAndName_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<QString>("commandText");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::newRow("ordinary group") << 1 << "tell" << "tell" << "tell";
    QTest::newRow("pet group") << 7 << "rename" << "pet rename" << "rename";
    QTest::newRow("org group") << 8 << "ban" << "org ban" << "ban";
    QTest::newRow("other group with a two-word text") << 3 << "lft on" << "lft on" << "on";
    QTest::newRow("empty text in pet group") << 7 << "" << "pet " << "";
    QTest::newRow("quote in the name") << 1 << "it's" << "it's" << "it's";
}

void tst_lineparsing::listEntryAndName()
{
    QFETCH(int, group);
    QFETCH(QString, commandText);
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QCOMPARE(CommandLineParser::listEntry(group, commandText), entry);
    QCOMPARE(CommandLineParser::commandName(entry), name);
}

void tst_lineparsing::unquote_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("quote");
    QTest::addColumn<QString>("result");
    QTest::newRow("both ends") << "'hello there'" << "'" << "hello there";
    QTest::newRow("only the front") << "'hello" << "'" << "hello";
    QTest::newRow("only the back") << "hello'" << "'" << "hello";
    QTest::newRow("quote alone") << "'" << "'" << "";
    QTest::newRow("no quote set") << "'hi'" << "" << "'hi'";
    QTest::newRow("two-character quote never matches") << "<<hi<<" << "<<" << "<<hi<<";
    QTest::newRow("other quote left alone") << "\"hi\"" << "'" << "\"hi\"";
    QTest::newRow("inner quotes kept") << "'it's'" << "'" << "it's";
}

void tst_lineparsing::unquote()
{
    QFETCH(QString, value);
    QFETCH(QString, quote);
    QFETCH(QString, result);
    QCOMPARE(CommandLineParser::unquote(value, quote), result);
}

void tst_lineparsing::wrapValue_data()
{
    QTest::addColumn<QString>("valuePart");
    QTest::addColumn<QString>("quote");
    QTest::addColumn<QString>("result");
    QTest::newRow("one word") << " Bob" << "'" << " Bob";
    QTest::newRow("inner space wrapped") << " hello there" << "'" << " 'hello there'";
    QTest::newRow("outer spaces kept, not wrapped") << "  Bob  " << "'" << "  Bob  ";
    QTest::newRow("outer spaces dropped when wrapped") << "  a b  " << "\"" << " \"a b\"";
    QTest::newRow("no quote: trimmed with one space") << "  a b " << "" << " a b";
    QTest::newRow("empty value part") << "" << "'" << "";
    QTest::newRow("space only") << " " << "'" << " ";
    QTest::newRow("tab is no space") << " a\tb" << "'" << " a\tb";
}

void tst_lineparsing::wrapValue()
{
    QFETCH(QString, valuePart);
    QFETCH(QString, quote);
    QFETCH(QString, result);
    QCOMPARE(CommandLineParser::wrapValue(valuePart, quote), result);
}

void tst_lineparsing::valuePart_data()
{
    QTest::addColumn<bool>("editorShown");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("quote");
    QTest::addColumn<bool>("bareSpace");
    QTest::addColumn<QString>("result");
    QTest::newRow("no value editor") << false << "Bob" << "'" << true << "";
    QTest::newRow("a word") << true << "Bob" << "'" << false << " Bob";
    QTest::newRow("words wrapped") << true << "hello there" << "'" << false << " 'hello there'";
    QTest::newRow("empty value on a new line") << true << "" << "'" << true << " ";
    QTest::newRow("empty value on a line without space") << true << "" << "'" << false << "";
    QTest::newRow("pasted break becomes a space, then wrapped") << true << "a\r\nb" << "'" << false << " 'a b'";
    QTest::newRow("break at the end is an outer space") << true << "Bob\n" << "'" << false << " Bob ";
}

void tst_lineparsing::valuePart()
{
    QFETCH(bool, editorShown);
    QFETCH(QString, value);
    QFETCH(QString, quote);
    QFETCH(bool, bareSpace);
    QFETCH(QString, result);
    QCOMPARE(CommandLineParser::valuePart(editorShown, value, quote, bareSpace), result);
}

void tst_lineparsing::singleLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("result");
    QTest::newRow("plain") << "Bob" << "Bob";
    QTest::newRow("CR LF is one space") << "a\r\nb" << "a b";
    QTest::newRow("lone LF") << "a\nb" << "a b";
    QTest::newRow("lone CR") << "a\rb" << "a b";
    QTest::newRow("paragraph and line separators") << QStringLiteral(u"a\u2029b\u2028c") << "a b c";
    QTest::newRow("LF CR is two breaks") << "a\n\rb" << "a  b";
}

void tst_lineparsing::singleLine()
{
    QFETCH(QString, text);
    QFETCH(QString, result);
    QCOMPARE(CommandLineParser::singleLine(text), result);
}

void tst_lineparsing::numberEntries_data()
{
    const QStringList steps{"1000", "2000", "3000", "4000", "5000", "6000", "7000", "8000", "9000", "10000"};
    QTest::addColumn<QString>("lineValue");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("selected");
    QTest::newRow("empty value") << "" << steps << -1;
    QTest::newRow("a step") << "3000" << steps << 2;
    QTest::newRow("the last step") << "10000" << steps << 9;
    QTest::newRow("leading spaces and zeros") << "  03000" << steps << 2;
    QTest::newRow("spaces between digits") << "3 000" << steps << 2;
    QTest::newRow("digits then words") << "3000 ms" << steps << 2;
    QTest::newRow("no digit first") << "soon" << steps << -1;
    QTest::newRow("sign is no digit") << "-1000" << steps << -1;
    QStringList between = steps;
    between.insert(1, "1500");
    QTest::newRow("between two steps") << "1500" << between << 1;
    QStringList small = steps;
    small.prepend("500");
    QTest::newRow("below the first") << "500" << small << 0;
    QStringList zero = steps;
    zero.prepend("0");
    QTest::newRow("zero") << "0" << zero << 0;
    QStringList big = steps;
    big.append("12000");
    QTest::newRow("above the last") << "12000" << big << 10;
    QStringList huge = steps;
    huge.append("123456789012345678901234");
    QTest::newRow("longer than any integer") << "123456789012345678901234" << huge << 10;
    QStringList nine = steps;
    nine.insert(9, "9999");
    QTest::newRow("shorter but larger digits") << "9999" << nine << 9;
}

void tst_lineparsing::numberEntries()
{
    QFETCH(QString, lineValue);
    QFETCH(QStringList, entries);
    QFETCH(int, selected);
    const NumberList list = CommandLineParser::numberEntries(lineValue);
    QCOMPARE(list.entries, entries);
    QCOMPARE(list.selected, selected);
}

// Parsing a line and building it again from its parts, as the dialog does on OK
// without changes, gives back the same line.
void tst_lineparsing::reopenedLineWritesItselfBack_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("quote");
    QTest::newRow("command alone") << "/say" << "";
    QTest::newRow("one word") << "/tell Bob" << "'";
    QTest::newRow("quoted words") << "/tell 'hello there'" << "'";
    QTest::newRow("double quotes") << "/pet rename \"Rex the Brave\"" << "\"";
    QTest::newRow("org line") << "/org ban Bob" << "";
    QTest::newRow("pet order") << "/pet attack" << "";
    QTest::newRow("outer spaces of one word") << "/tell  Bob " << "'";
    QTest::newRow("command and a space") << "/say " << "";
}

void tst_lineparsing::reopenedLineWritesItselfBack()
{
    QFETCH(QString, line);
    QFETCH(QString, quote);
    const ParsedLine parsed = CommandLineParser::parse(line);
    const QString value = CommandLineParser::unquote(parsed.lineValue, quote);
    QCOMPARE(QStringLiteral("/") + parsed.key + CommandLineParser::valuePart(true, value, quote, parsed.separated), line);
}

QTEST_APPLESS_MAIN(tst_lineparsing)
#include "tst_lineparsing.moc"
