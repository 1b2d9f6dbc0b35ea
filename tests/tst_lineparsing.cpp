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
    void valueText_data();
    void valueText();
    void valuePart_data();
    void valuePart();
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
    QTest::newRow("first of three, before its break") << "abc\ndef\nghi" << 3 << 0 << 3;
    QTest::newRow("last line without break") << "abc\ndef\nghi" << 11 << 8 << 3;
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
}

void tst_lineparsing::parse_data()
{
    QTest::addColumn<QString>("currentLine");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("lineValue");
    QTest::addColumn<bool>("separated");
    QTest::newRow("tree command with group word") << "pet rename" << "pet rename" << "" << false;
    QTest::newRow("empty line") << "" << "" << "" << false;
    QTest::newRow("value keeps inner and outer spaces") << "/tell  'Bob and Al' " << "tell" << " 'Bob and Al' " << true;
    QTest::newRow("line without a space has no value") << "/say" << "say" << "" << false;
    QTest::newRow("slash alone") << "/" << "" << "" << false;
    QTest::newRow("trailing space, empty value") << "/sit " << "sit" << "" << true;
    QTest::newRow("org value trimmed") << "/org ban  Bob  " << "org ban" << "Bob" << true;
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
    QTest::newRow("other group with a two-word text") << 3 << "lft on" << "lft on" << "on";
    QTest::newRow("empty text in pet group") << 7 << "" << "pet " << "";
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

// The value's text on its way from the line to the dialog (unquote) and back (wrap),
// and a pasted value made one line.
void tst_lineparsing::valueText_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("quote");
    QTest::addColumn<QString>("result");
    QTest::newRow("unquote both ends") << "unquote" << "'hello there'" << "'" << "hello there";
    QTest::newRow("unquote only the front") << "unquote" << "'hello" << "'" << "hello";
    QTest::newRow("unquote only the back") << "unquote" << "hello'" << "'" << "hello";
    QTest::newRow("unquote without a quote set") << "unquote" << "'hi'" << "" << "'hi'";
    QTest::newRow("two-character quote never matches") << "unquote" << "<<hi<<" << "<<" << "<<hi<<";
    QTest::newRow("unquote keeps inner quotes") << "unquote" << "'it's'" << "'" << "it's";
    QTest::newRow("one word not wrapped") << "wrap" << " Bob" << "'" << " Bob";
    QTest::newRow("inner space wrapped") << "wrap" << " hello there" << "'" << " 'hello there'";
    QTest::newRow("outer spaces kept, not wrapped") << "wrap" << "  Bob  " << "'" << "  Bob  ";
    QTest::newRow("outer spaces dropped when wrapped") << "wrap" << "  a b  " << "\"" << " \"a b\"";
    QTest::newRow("no quote: trimmed with one space") << "wrap" << "  a b " << "" << " a b";
    QTest::newRow("tab is no space") << "wrap" << " a\tb" << "'" << " a\tb";
    QTest::newRow("CR LF is one space") << "single" << "a\r\nb" << "" << "a b";
    QTest::newRow("lone CR") << "single" << "a\rb" << "" << "a b";
    QTest::newRow("paragraph and line separators") << "single" << QStringLiteral(u"a\u2029b\u2028c") << "" << "a b c";
    QTest::newRow("LF CR is two breaks") << "single" << "a\n\rb" << "" << "a  b";
}

void tst_lineparsing::valueText()
{
    QFETCH(QString, step);
    QFETCH(QString, text);
    QFETCH(QString, quote);
    QFETCH(QString, result);
    if (step == QLatin1String("unquote"))
        QCOMPARE(CommandLineParser::unquote(text, quote), result);
    else if (step == QLatin1String("wrap"))
        QCOMPARE(CommandLineParser::wrapValue(text, quote), result);
    else
        QCOMPARE(CommandLineParser::singleLine(text), result);
}

void tst_lineparsing::valuePart_data()
{
    QTest::addColumn<bool>("editorShown");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("quote");
    QTest::addColumn<bool>("bareSpace");
    QTest::addColumn<QString>("result");
    QTest::newRow("no value editor") << false << "Bob" << "'" << true << "";
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

// The pause list runs 1000 to 10000; a value off the list joins it in order and is picked.
void tst_lineparsing::numberEntries_data()
{
    QStringList steps;
    for (int ms = 1000; ms <= 10000; ms += 1000)
        steps << QString::number(ms);
    const auto with = [&](qsizetype at, const QString& value) {
        QStringList list = steps;
        list.insert(at, value);
        return list;
    };
    QTest::addColumn<QString>("lineValue");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("selected");
    QTest::newRow("empty value") << "" << steps << -1;
    QTest::newRow("leading spaces and zeros") << "  03000" << steps << 2;
    QTest::newRow("spaces between digits") << "3 000" << steps << 2;
    QTest::newRow("digits then words") << "3000 ms" << steps << 2;
    QTest::newRow("no digit first") << "soon" << steps << -1;
    QTest::newRow("sign is no digit") << "-1000" << steps << -1;
    QTest::newRow("between two steps") << "1500" << with(1, "1500") << 1;
    QTest::newRow("zero") << "0" << with(0, "0") << 0;
    QTest::newRow("above the last") << "12000" << with(10, "12000") << 10;
    QTest::newRow("longer than any integer") << "123456789012345678901234" << with(10, "123456789012345678901234") << 10;
    QTest::newRow("shorter but larger digits") << "9999" << with(9, "9999") << 9;
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
// without changes, gives back the same line. The catalogue's ordinary lines take this
// trip through the dialog itself; these are the odd spacings.
void tst_lineparsing::reopenedLineWritesItselfBack_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("quote");
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
