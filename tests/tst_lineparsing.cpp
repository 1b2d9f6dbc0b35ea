#include "dialogs/CommandLineParser.h"

#include <QtTest>

using CommandLineParser::ParsedLine;

class tst_lineparsing : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
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
        QTest::newRow("pet word and space") << "/pet " << "pet " << "" << false;
        QTest::newRow("a tell that mentions a pet order") << "/tell Bob try /pet attack" << "tell"
                                                           << "Bob try /pet attack" << true;
        QTest::newRow("letter case of the pet word counts") << "/Pet attack" << "Pet" << "attack" << true;
    }
    void parse()
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

    // The value's text on its way from the line to the dialog (unquote) and back
    // (wrap, or the whole value part), and a pasted value made one line.
    void valueText_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quote");
        QTest::addColumn<QString>("result");
        QTest::newRow("unquote both ends") << "unquote" << "'hello there'" << "'" << "hello there";
        QTest::newRow("unquote without a quote set") << "unquote" << "'hi'" << "" << "'hi'";
        QTest::newRow("two-character quote never matches") << "unquote" << "<<hi<<" << "<<" << "<<hi<<";
        QTest::newRow("unquote keeps inner quotes") << "unquote" << "'it's'" << "'" << "it's";
        QTest::newRow("one word not wrapped") << "wrap" << " Bob" << "'" << " Bob";
        QTest::newRow("inner space wrapped, outer spaces dropped") << "wrap" << "  a b  " << "\"" << " \"a b\"";
        QTest::newRow("no quote: trimmed with one space") << "wrap" << "  a b " << "" << " a b";
        QTest::newRow("tab is no space") << "wrap" << " a\tb" << "'" << " a\tb";
        QTest::newRow("separators and LF CR") << "single" << QStringLiteral(u"a\u2029b\u2028c\n\rd") << "" << "a b c  d";
        QTest::newRow("part: pasted break, then wrapped") << "part" << "a\r\nb" << "'" << " 'a b'";
        QTest::newRow("part: break at the end is an outer space") << "part" << "Bob\n" << "'" << " Bob ";
    }
    void valueText()
    {
        QFETCH(QString, step);
        QFETCH(QString, text);
        QFETCH(QString, quote);
        QFETCH(QString, result);
        if (step == QLatin1String("unquote"))
            QCOMPARE(CommandLineParser::unquote(text, quote), result);
        else if (step == QLatin1String("wrap"))
            QCOMPARE(CommandLineParser::wrapValue(text, quote), result);
        else if (step == QLatin1String("single"))
            QCOMPARE(CommandLineParser::singleLine(text), result);
        else
            QCOMPARE(CommandLineParser::valuePart(true, text, quote, true), result);
    }

    // The pause list runs 1000 to 10000; a value off the list joins it in order and is picked.
    void numberEntries_data()
    {
        QTest::addColumn<QString>("lineValue");
        QTest::addColumn<QString>("added");  // the entry that joined the list, if any
        QTest::addColumn<int>("selected");
        QTest::newRow("empty value") << "" << "" << -1;
        QTest::newRow("leading spaces and zeros") << "  03000" << "" << 2;
        QTest::newRow("digits then words") << "3000 ms" << "" << 2;
        QTest::newRow("between two steps") << "1500" << "1500" << 1;
        QTest::newRow("zero") << "0" << "0" << 0;
        QTest::newRow("longer than any integer") << "123456789012345678901234" << "123456789012345678901234" << 10;
        QTest::newRow("shorter but larger digits") << "9999" << "9999" << 9;
    }
    void numberEntries()
    {
        QFETCH(QString, lineValue);
        QFETCH(QString, added);
        QFETCH(int, selected);
        QStringList entries;
        for (int ms = 1000; ms <= 10000; ms += 1000)
            entries << QString::number(ms);
        if (!added.isEmpty())
            entries.insert(selected, added);
        const CommandLineParser::NumberList list = CommandLineParser::numberEntries(lineValue);
        QCOMPARE(list.entries, entries);
        QCOMPARE(list.selected, selected);
    }
};

QTEST_APPLESS_MAIN(tst_lineparsing)
#include "tst_lineparsing.moc"
