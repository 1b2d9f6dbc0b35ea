#include "platform/RtfReader.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// Inserted the way a help page lands in a script: at a cursor writing white 16-point text.
RtfResult read(QTextDocument& doc, const QByteArray& rtf)
{
    QTextCursor cursor(&doc);
    QTextCharFormat script;
    script.setForeground(QColor(Qt::white));
    script.setFontPointSize(16);
    cursor.setCharFormat(script);
    return RtfReader::insert(cursor, rtf);
}

// What differs from the cursor's format, as "{b 10pt Arial #ff0000 bg#0000ff}".
QString formatOf(const QTextCharFormat& f)
{
    QStringList tokens;
    if (f.fontWeight() == QFont::Bold)
        tokens << QStringLiteral("b");
    if (f.hasProperty(QTextFormat::FontPointSize) && f.fontPointSize() != 16)
        tokens << QString::number(f.fontPointSize()) + QStringLiteral("pt");
    tokens << f.fontFamilies().toStringList();
    if (f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().color() != Qt::white)
        tokens << f.foreground().color().name();
    if (f.hasProperty(QTextFormat::BackgroundBrush))
        tokens << QStringLiteral("bg") + f.background().color().name();
    return tokens.isEmpty() ? QString() : u'{' + tokens.join(u' ') + u'}';
}

// The document, one line per block: the block's format in brackets where it has one
// (alignment, left indent, first-line indent, and where the text after its first tab
// starts or, with a right tab, where the line ends, in pixels), then each run of text
// followed by its format. An empty block shows the format an empty line takes.
QString describe(QTextDocument& doc)
{
    (void)doc.size(); // lays the text out, for the tab positions
    const QMap<int, QString> alignments{{Qt::AlignHCenter, "centre"}, {Qt::AlignRight, "right"}, {Qt::AlignJustify, "justify"}};
    QStringList lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        const QTextBlockFormat f = b.blockFormat();
        const QTextLine line = b.layout()->lineAt(0);
        QStringList tokens;
        if (const int align = f.alignment() & Qt::AlignHorizontal_Mask; alignments.contains(align))
            tokens << alignments.value(align);
        if (f.leftMargin() != 0)
            tokens << QStringLiteral("li%1").arg(f.leftMargin());
        if (f.textIndent() != 0)
            tokens << QStringLiteral("fi%1").arg(f.textIndent());
        const QList<QTextOption::Tab> tabs = f.tabPositions();
        if (std::any_of(tabs.cbegin(), tabs.cend(), [](auto t) { return t.type == QTextOption::RightTab; }))
            tokens << QStringLiteral("end%1").arg(line.x() + line.naturalTextWidth());
        else if (!tabs.isEmpty() && b.text().contains(u'\t'))
            tokens << QStringLiteral("tab%1").arg(line.cursorToX(int(b.text().indexOf(u'\t')) + 1));
        QString text = tokens.isEmpty() ? QString() : u'[' + tokens.join(u' ') + u']';
        for (auto it = b.begin(); !it.atEnd(); ++it)
            text += it.fragment().text() + formatOf(it.fragment().charFormat());
        lines << (b.text().isEmpty() ? text + formatOf(b.charFormat()) : text);
    }
    return lines.join(u'\n');
}

// The byte offset an error names, -1 for none.
int errorOffset(const RtfResult& r)
{
    if (r.ok)
        return -1;
    const QString offset = r.error.section(u':', 0, 0);
    return offset.startsWith(QStringLiteral("byte ")) ? offset.mid(5).toInt() : -2;
}

const QByteArray kFonts = "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman Times New Roman;}}";

} // namespace

class tst_RtfReader : public QObject {
    Q_OBJECT

private slots:
    void wellFormed_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");

        QTest::newRow("fragment") << QByteArray("plain \\b bold\\b0  text") << "plain bold{b} text";
        QTest::newRow("escaped braces and backslash") << QByteArray("{\\rtf1 \\{x\\}\\\\}") << "{x}\\";
        // Raw line breaks are no text; a backslash before one is a paragraph.
        QTest::newRow("paragraphs, the last one empty") << QByteArray("{\\rtf1 a\\par\r\nb\\\nc\\par}") << "a\nb\nc\n";
        QTest::newRow("line, tab, symbols") << QByteArray("{\\rtf1 a\\line b\\tab c\\~d\\emdash}")
                                            << QStringLiteral("a\u2028b\tc\u00a0d\u2014");
        QTest::newRow("1252 bytes") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 caf\\'E9 \\'80 \\'93q\\'94}")
                                    << QStringLiteral("caf\u00e9 \u20ac \u201cq\u201d");
        QTest::newRow("font charset overrides the document page")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}\\f1\\'c0\\f0\\'c0}")
            << QStringLiteral("\u0410{Arial Cyr}\u00c0{Arial}");
        QTest::newRow("double-byte code page") << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0}") << QStringLiteral("\u3042");
        QTest::newRow("fallback counts an escape as one") << QByteArray("{\\rtf1 \\u8364\\'80x}") << QStringLiteral("\u20acx");
        QTest::newRow("uc is scoped to its group") << QByteArray("{\\rtf1 {\\uc2 \\u65 ??}\\u66 ?x}") << "ABx";
        QTest::newRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QString::fromUcs4(U"\U0001F600");
        QTest::newRow("skipped destinations, hidden text, unknown words")
            << QByteArray("{\\rtf1" + kFonts + "{\\colortbl ;\\red1\\green2\\blue3;}{\\info{\\title T}}A{\\*\\foo B}C"
                          "{\\stylesheet{\\s0 Normal;}}D{\\header H}{\\footnote N}E{\\v hidden}\\zzz12 F\\v G\\v0 H}")
            << "ACDEFH";
        QTest::newRow("field keeps its result") << QByteArray("{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt here}}.}")
                                                << "see here.";
        QTest::newRow("picture data, binary holding braces") << QByteArray("{\\rtf1 a{\\pict 89504e}{\\pict\\bin4 {}\\}}b}") << "ab";
        QTest::newRow("list numbering: its text shows, its definition does not")
            << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'B7}}"
                          "x{\\pn\\pnlvlbody{\\pntxta .}}}")
            << QStringLiteral("\u2022\t{Symbol}x");
        QTest::newRow("escaped line feed is a paragraph") << QByteArray("{\\rtf1 a\\'0ab\\'01c}") << "a\nbc";
        QTest::newRow("frame markers are defused") << QByteArray("{\\rtf1 \\u-560?}") << QStringLiteral("\ufffd");
        QTest::newRow("destination at the top of a fragment") << QByteArray("\\info visible") << "visible";

        // Character formats: a group, \plain and the fallback of \u end them.
        QTest::newRow("bold") << QByteArray("{\\rtf1 a\\b b\\b0 c{\\b d}e\\b f\\plain g\\u8364\\b h}")
                              << QStringLiteral("ab{b}cd{b}ef{b}g\u20ach");
        QTest::newRow("sizes, capped and floored") << QByteArray("{\\rtf1\\fs21 a\\fs b\\fs999999999999 c\\fs-4 d\\plain e}")
                                                   << "a{10.5pt}b{12pt}c{1638pt}d{2pt}e";
        QTest::newRow("fonts") << QByteArray("{\\rtf1\\deff1" + kFonts + "a\\f0 b}") << "a{Times New Roman}b{Arial}";
        // Auto and unknown colours are the cursor's; \highlight0 goes back to \cb.
        QTest::newRow("colours") << QByteArray("{\\rtf1{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}"
                                               "\\cf1 r\\cf2 b\\cf0 n\\cf9 o\\cb2 g\\highlight1 h\\highlight0 z\\plain p}")
                                 << "r{#ff0000}b{#0000ff}nog{bg#0000ff}h{bg#ff0000}z{bg#0000ff}p";
        QTest::newRow("colour components are clamped") << QByteArray("{\\rtf1{\\colortbl;\\red300\\green-5\\blue12;}\\cf1 x}") << "x{#ff000c}";
        // \highlight0 is no highlight even where the table's first entry is a colour.
        QTest::newRow("colour table without auto entry") << QByteArray("{\\rtf1{\\colortbl\\red0\\green128\\blue0;}\\cf0 x\\highlight0 y}")
                                                         << "xy{#008000}";

        // Paragraph formats apply at the \par, scoped by groups; \pard resets them.
        QTest::newRow("alignment") << QByteArray("{\\rtf1\\qc c\\par\\pard\\qr r\\par\\qj j\\par\\pard l\\par\\qc last}")
                                   << "[centre]c\n[right]r\n[justify]j\nl\n[centre]last";
        QTest::newRow("indents, capped and floored") << QByteArray("{\\rtf1\\li1440\\fi-360 x\\par\\li999999999999 y\\par\\pard\\li-500 z}")
                                                     << "[li96 fi-24]x\n[li2112 fi-24]y\nz";
        QTest::newRow("empty line takes the size at its par") << QByteArray("{\\rtf1\\fs20\\par x}") << "{10pt}\nx{10pt}";
        QTest::newRow("bullet tab stops at the hanging indent") << QByteArray("{\\rtf1\\li480\\fi-240 \\bullet\\tab item}")
                                                                << QStringLiteral("[li32 fi-16 tab32]\u2022\titem");
        QTest::newRow("a later stop leaves the hanging indent first") << QByteArray("{\\rtf1\\li480\\fi-240\\tx1440 \\bullet\\tab a\\tab b}")
                                                                      << QStringLiteral("[li32 fi-16 tab32]\u2022\ta\tb");
        QTest::newRow("list text keeps the item's indents") << QByteArray("{\\rtf1\\fi-360\\li720 {\\listtext\\pard\\plain \\'b7\\tab}item}")
                                                            << QStringLiteral("[li48 fi-24 tab48]\u00b7\titem");
        QTest::newRow("tab stop counts from the indents' edge; pard clears it")
            << QByteArray("{\\rtf1\\li720\\fi720\\tx2880 x\\tab y\\par\\pard\\tx1200 b\\tab c}") << "[li48 fi48 tab192]x\ty\n[tab80]b\tc";
        QTest::newRow("right tab ends the text at the stop") << QByteArray("{\\rtf1\\tqr\\tx4320 a\\tab right}") << "[end288]a\tright";
    }

    void wellFormed()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        QTextDocument doc;
        QVERIFY(read(doc, rtf).ok);
        QCOMPARE(describe(doc), expected);
    }

    void malformed_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<int>("checkError");  // -1: check() accepts it
        QTest::addColumn<int>("insertError"); // -1: insert() reports ok
        QTest::addColumn<QString>("expected");

        QTest::newRow("trailing line break") << QByteArray("{\\rtf1 abc}\r\n") << -1 << -1 << "abc";
        QTest::newRow("leading white space") << QByteArray(" \r\n{\\rtf1 abc}") << -1 << -1 << "abc";
        QTest::newRow("fragment after white space") << QByteArray("  abc") << 2 << -1 << "  abc";
        QTest::newRow("rtf word must stand alone") << QByteArray("{\\rtfx a}") << 0 << -1 << "a";
        QTest::newRow("empty") << QByteArray() << 0 << -1 << "";
        QTest::newRow("unclosed group") << QByteArray("{\\rtf1 abc") << 10 << 10 << "abc";
        QTest::newRow("bare rtf") << QByteArray("{\\rtf") << 5 << 5 << "";
        QTest::newRow("extra close") << QByteArray("{\\rtf1 abc}}") << 11 << 11 << "abc";
        QTest::newRow("text after the end") << QByteArray("{\\rtf1 abc} tail") << 12 << 12 << "abc";
        QTest::newRow("stray close in a fragment") << QByteArray("ab}cd") << 0 << 2 << "abcd";
        QTest::newRow("truncated escape") << QByteArray("{\\rtf1 a\\") << 8 << 8 << "a";
        QTest::newRow("truncated hex") << QByteArray("{\\rtf1 a\\'4") << 8 << 8 << "a";
        QTest::newRow("hex cut by a brace") << QByteArray("{\\rtf1 a\\'}") << 8 << 8 << "a";
        QTest::newRow("bad hex digit") << QByteArray("{\\rtf1 a\\'4g b}") << 8 << 8 << "a4g b";
        QTest::newRow("bad hex in a skipped group") << QByteArray("{\\rtf1 {\\*\\x \\'zz}a}") << 13 << 13 << "a";
        QTest::newRow("bin past the end") << QByteArray("{\\rtf1 a{\\pict\\bin99 ab}}") << 14 << 14 << "a";
        QTest::newRow("negative uc") << QByteArray("{\\rtf1 x\\uc-5\\u65 y}") << -1 << -1 << "xAy";
        QTest::newRow("huge uc") << QByteArray("{\\rtf1\\uc999999999\\u65 abc}d") << 27 << 27 << "A";
        QTest::newRow("huge unicode") << QByteArray("{\\rtf1 \\u99999999?x}") << -1 << -1 << QString(QChar(0xFFFD)) + "x";
        QTest::newRow("very negative unicode") << QByteArray("{\\rtf1 \\u-99999?x}") << -1 << -1 << QString(QChar(0xFFFD)) + "x";
        QTest::newRow("huge bin") << QByteArray("{\\rtf1 \\bin99999999999") << 7 << 7 << "";
        QTest::newRow("huge font number") << QByteArray("{\\rtf1{\\fonttbl{\\f99999999999 A;}}\\f99999999999 x}") << -1 << -1 << "x{A}";
        QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}\0", 12) << -1 << -1 << "ab";
    }

    void malformed()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(int, checkError);
        QFETCH(int, insertError);
        QFETCH(QString, expected);

        QCOMPARE(errorOffset(RtfReader::check(rtf)), checkError);
        QTextDocument doc;
        QCOMPARE(errorOffset(read(doc, rtf)), insertError);
        QCOMPARE(describe(doc), expected);
    }

    void deepNesting_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("expected"); // the bold state outside the deep groups holds

        const int deep = 100000;
        QTest::newRow("balanced") << QByteArray("{\\rtf1\\b " + QByteArray(deep, '{') + "\\b0 x" + QByteArray(deep, '}') + " y}")
                                  << true << "x y{b}";
        QTest::newRow("state survives past the cap")
            << QByteArray("{\\rtf1 " + QByteArray(RtfReader::kMaxDepth - 2, '{') + "\\b " + QByteArray(500, '{') + "\\b0 x"
                          + QByteArray(500, '}') + "y" + QByteArray(RtfReader::kMaxDepth - 2, '}') + "}")
            << true << "xy{b}";
        QTest::newRow("never closed") << QByteArray("{\\rtf1\\b " + QByteArray(deep, '{') + "x") << false << "x{b}";
        QTest::newRow("closed too often") << QByteArray(QByteArray(deep, '}') + "\\b x") << false << "x{b}";
        QTest::newRow("skipped deep") << QByteArray("{\\rtf1 {\\*\\x " + QByteArray(deep, '{') + QByteArray(deep, '}') + "}\\b y}")
                                      << true << "y{b}";
    }

    void deepNesting()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(bool, ok);
        QFETCH(QString, expected);
        QTextDocument doc;
        QCOMPARE(read(doc, rtf).ok, ok);
        QCOMPARE(describe(doc), expected);
    }
};

QTEST_MAIN(tst_RtfReader)
#include "tst_rtfreader.moc"
