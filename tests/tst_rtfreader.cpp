#include "platform/RtfCodePage.h"
#include "platform/RtfReader.h"

#include <QRandomGenerator>
#include <QSet>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace {

// The document's text with each block break shown as '\n' and every other character raw
// (toPlainText would turn no-break spaces and line separators into plain ones).
QString rawText(const QTextDocument& doc)
{
    QString text = doc.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

QString readInto(QTextDocument& doc, const QByteArray& rtf, RtfResult* result = nullptr)
{
    QTextCursor cursor(&doc);
    const RtfResult r = RtfReader::insert(cursor, rtf);
    if (result)
        *result = r;
    return rawText(doc);
}

QTextCharFormat formatAt(QTextDocument& doc, int position)
{
    QTextCursor cursor(&doc);
    cursor.setPosition(position);
    cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    return cursor.charFormat();
}

QString brushName(const QTextFormat& format, int property)
{
    if (!format.hasProperty(property))
        return QStringLiteral("none");
    return format.brushProperty(property).color().name();
}

QVariant charProperty(const QTextCharFormat& f, const QString& name)
{
    if (name == "bold")
        return f.fontWeight() == QFont::Bold;
    if (name == "italic")
        return f.fontItalic();
    if (name == "underline")
        return f.fontUnderline();
    if (name == "strike")
        return f.fontStrikeOut();
    if (name == "size")
        return f.fontPointSize();
    if (name == "family")
        return f.fontFamilies().toStringList().value(0);
    if (name == "kind")
        return f.hasProperty(QTextFormat::FontStyleHint) ? int(f.fontStyleHint()) : -1;
    if (name == "color")
        return brushName(f, QTextFormat::ForegroundBrush);
    if (name == "background")
        return brushName(f, QTextFormat::BackgroundBrush);
    if (name == "vertical")
        return int(f.verticalAlignment());
    return QStringLiteral("unknown property %1").arg(name);
}

int errorOffset(const RtfResult& r)
{
    if (r.ok)
        return -1;
    const QString prefix = QStringLiteral("byte ");
    if (!r.error.startsWith(prefix))
        return -2;
    const int colon = r.error.indexOf(u':');
    bool number = false;
    const int offset = r.error.mid(prefix.size(), colon - prefix.size()).toInt(&number);
    return number ? offset : -3;
}

const QByteArray kFonts = "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman Times New Roman;}}";
const QByteArray kColors = "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}";

} // namespace

class tst_RtfReader : public QObject {
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void characterFormat_data();
    void characterFormat();
    void blockFormat_data();
    void blockFormat();
    void silentRtfKeepsCursorFormat_data();
    void silentRtfKeepsCursorFormat();
    void insertInMiddle_data();
    void insertInMiddle();
    void insertReplacesSelectionAsOneUndoStep();
    void commandBookHeading();
    void malformed_data();
    void malformed();
    void deepNesting_data();
    void deepNesting();
    void junkNeverGrowsTheText_data();
    void junkNeverGrowsTheText();
    void windows1252MapsEveryByte();
};

void tst_RtfReader::text_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");

    QTest::newRow("whole document") << QByteArray("{\\rtf1\\ansi\\deff0 Hello}") << "Hello";
    QTest::newRow("fragment") << QByteArray("plain \\b bold\\b0  text") << "plain bold text";
    QTest::newRow("raw line breaks are ignored") << QByteArray("{\\rtf1 one\r\ntwo\nthree}") << "onetwothree";
    QTest::newRow("space after a word is its delimiter") << QByteArray("{\\rtf1 a\\b  b}") << "a b";
    QTest::newRow("hyphen without digits is text") << QByteArray("{\\rtf1 a\\b-x}") << "a-x";
    QTest::newRow("digits end a word") << QByteArray("{\\rtf1\\fs20x\\b1y}") << "xy";
    QTest::newRow("hex escapes of either case") << QByteArray("{\\rtf1 \\'41\\'C9\\'c9}") << QString("A") + QChar(0xC9) + QChar(0xC9);
    QTest::newRow("escaped braces and backslash") << QByteArray("{\\rtf1 \\{x\\}\\\\}") << "{x}\\";
    QTest::newRow("paragraphs") << QByteArray("{\\rtf1 a\\par b\\par c}") << "a\nb\nc";
    QTest::newRow("final par leaves an empty block") << QByteArray("{\\rtf1 a\\par}") << "a\n";
    QTest::newRow("backslash before a line break is a paragraph") << QByteArray("{\\rtf1 a\\\nb}") << "a\nb";
    QTest::newRow("line, tab") << QByteArray("{\\rtf1 a\\line b\\tab c}") << QString("a") + QChar(0x2028) + "b\tc";
    QTest::newRow("special symbols") << QByteArray("{\\rtf1 a\\~b\\-c\\_d}")
                                     << QString("a") + QChar(0xA0) + "b" + QChar(0xAD) + "c" + QChar(0x2011) + "d";
    QTest::newRow("typographic words") << QByteArray("{\\rtf1 \\lquote x\\rquote \\emdash\\bullet}")
                                       << QString(QChar(0x2018)) + "x" + QChar(0x2019) + QChar(0x2014) + QChar(0x2022);
    QTest::newRow("1252 bytes") << QByteArray("{\\rtf1\\ansi\\ansicpg1252 caf\\'e9 \\'80 \\'93q\\'94}")
                                << QString("caf") + QChar(0xE9) + " " + QChar(0x20AC) + " " + QChar(0x201C) + "q" + QChar(0x201D);
    QTest::newRow("1252 undefined bytes survive") << QByteArray("{\\rtf1 \\'81\\'8d\\'8f\\'90\\'9d}")
                                                  << QString(QChar(0x81)) + QChar(0x8D) + QChar(0x8F) + QChar(0x90) + QChar(0x9D);
    QTest::newRow("raw 8-bit bytes decode in the code page") << QByteArray("{\\rtf1 \x80\xe9}")
                                                             << QString(QChar(0x20AC)) + QChar(0xE9);
    QTest::newRow("cyrillic code page") << QByteArray("{\\rtf1\\ansi\\ansicpg1251 \\'c0\\'e1}")
                                        << QString(QChar(0x410)) + QChar(0x431);
    QTest::newRow("font charset overrides the document page")
        << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial Cyr;}}\\f1\\'c0\\f0\\'c0}")
        << QString(QChar(0x410)) + QChar(0xC0);
    QTest::newRow("double-byte code page") << QByteArray("{\\rtf1\\ansi\\ansicpg932 \\'82\\'a0}") << QString(QChar(0x3042));
    QTest::newRow("unknown code page falls back to 1252") << QByteArray("{\\rtf1\\ansi\\ansicpg4242 \\'80}")
                                                          << QString(QChar(0x20AC));
    QTest::newRow("unicode with one fallback") << QByteArray("{\\rtf1 \\u8364?x}") << QString(QChar(0x20AC)) + "x";
    QTest::newRow("fallback counts an escape as one") << QByteArray("{\\rtf1 \\u8364\\'80x}") << QString(QChar(0x20AC)) + "x";
    QTest::newRow("uc2") << QByteArray("{\\rtf1\\uc2 \\u8364??x}") << QString(QChar(0x20AC)) + "x";
    QTest::newRow("uc0") << QByteArray("{\\rtf1\\uc0 \\u8364 x}") << QString(QChar(0x20AC)) + "x";
    QTest::newRow("uc is scoped to its group") << QByteArray("{\\rtf1 {\\uc2 \\u65 ??}\\u66 ?x}") << "ABx";
    QTest::newRow("fallback stops at a group end") << QByteArray("{\\rtf1\\uc3 {\\u65 }bc}") << "Abc";
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-4064?}") << QString(QChar(0xF020));
    QTest::newRow("surrogate pair") << QByteArray("{\\rtf1 \\u-10179?\\u-8704?}") << QString::fromUcs4(U"\U0001F600");
    QTest::newRow("skipped destinations")
        << QByteArray("{\\rtf1{\\info{\\title T}{\\author W}}A{\\*\\foo B}C{\\stylesheet{\\s0 Normal;}}D"
                      "{\\header H}{\\footer F}{\\footnote N}E}")
        << "ACDE";
    QTest::newRow("font and colour tables give no text") << QByteArray("{\\rtf1" + kFonts + kColors + "x}") << "x";
    QTest::newRow("field keeps its result") << QByteArray("{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt here}}.}")
                                            << "see here.";
    QTest::newRow("field instruction without star") << QByteArray("{\\rtf1 {\\field{\\fldinst PAGE}{\\fldrslt 3}}}") << "3";
    QTest::newRow("picture hex data") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e470d0a}b}") << "ab";
    QTest::newRow("binary data may hold braces") << QByteArray("{\\rtf1 a{\\pict\\bin4 {}\\}}b}") << "ab";
    QTest::newRow("list numbering: its text shows, its definition does not")
        << QByteArray("{\\rtf1{\\fonttbl{\\f1\\fcharset2 Symbol;}}{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt{\\pntxtb\\'B7}}"
                      "x{\\pn\\pnlvlbody{\\pntxta .}}}")
        << QString(QChar(0x2022)) + "\tx";
    QTest::newRow("unknown words are skipped") << QByteArray("{\\rtf1\\viewkind4\\nowidctlpar\\lang1033 x\\zzz12 y}") << "xy";
    QTest::newRow("hidden text") << QByteArray("{\\rtf1 a{\\v hidden}b\\v c\\v0 d}") << "abd";
    QTest::newRow("escaped line feed is a paragraph") << QByteArray("{\\rtf1 a\\'0ab\\'01c}") << "a\nbc";
    QTest::newRow("frame markers are defused") << QByteArray("{\\rtf1 \\u-560?}") << QString(QChar(0xFFFD));
    QTest::newRow("destination at the top of a fragment") << QByteArray("\\info visible") << "visible";
    QTest::newRow("text after the document is not inserted") << QByteArray("{\\rtf1 a} b") << "a";
    QTest::newRow("empty") << QByteArray() << "";
}

void tst_RtfReader::text()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QTextDocument doc;
    QCOMPARE(readInto(doc, rtf), expected);
}

void tst_RtfReader::characterFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");

    const QByteArray bold = "{\\rtf1 a\\b b\\b0 c}";
    QTest::newRow("before bold") << bold << 0 << "bold" << QVariant(false);
    QTest::newRow("bold") << bold << 1 << "bold" << QVariant(true);
    QTest::newRow("after b0") << bold << 2 << "bold" << QVariant(false);
    QTest::newRow("group restores bold") << QByteArray("{\\rtf1 {\\b x}y}") << 1 << "bold" << QVariant(false);
    QTest::newRow("plain ends bold") << QByteArray("{\\rtf1\\b x\\plain y}") << 1 << "bold" << QVariant(false);
    QTest::newRow("italic") << QByteArray("{\\rtf1\\i x\\i0 y}") << 0 << "italic" << QVariant(true);
    QTest::newRow("italic off") << QByteArray("{\\rtf1\\i x\\i0 y}") << 1 << "italic" << QVariant(false);
    QTest::newRow("underline") << QByteArray("{\\rtf1\\ul x\\ulnone y}") << 0 << "underline" << QVariant(true);
    QTest::newRow("ulnone") << QByteArray("{\\rtf1\\ul x\\ulnone y}") << 1 << "underline" << QVariant(false);
    QTest::newRow("ul0") << QByteArray("{\\rtf1\\ul x\\ul0 y}") << 1 << "underline" << QVariant(false);
    QTest::newRow("double underline") << QByteArray("{\\rtf1\\uldb x}") << 0 << "underline" << QVariant(true);
    QTest::newRow("underline colour is not underline") << QByteArray("{\\rtf1\\ulc1 x}") << 0 << "underline" << QVariant(false);
    QTest::newRow("strike") << QByteArray("{\\rtf1\\strike x\\strike0 y}") << 0 << "strike" << QVariant(true);
    QTest::newRow("strike0") << QByteArray("{\\rtf1\\strike x\\strike0 y}") << 1 << "strike" << QVariant(false);
    QTest::newRow("fs28 is 14 points") << QByteArray("{\\rtf1\\fs28 x}") << 0 << "size" << QVariant(14.0);
    QTest::newRow("odd half-points") << QByteArray("{\\rtf1\\fs21 x}") << 0 << "size" << QVariant(10.5);
    QTest::newRow("fs without value") << QByteArray("{\\rtf1\\fs40 a\\fs b}") << 1 << "size" << QVariant(12.0);
    QTest::newRow("absurd size is capped") << QByteArray("{\\rtf1\\fs999999999999 x}") << 0 << "size" << QVariant(1638.0);
    QTest::newRow("negative size is floored") << QByteArray("{\\rtf1\\fs-4 x}") << 0 << "size" << QVariant(2.0);
    const QByteArray fonts = "{\\rtf1\\deff1" + kFonts + "a\\f0 b\\f7 c}";
    QTest::newRow("default font") << fonts << 0 << "family" << QVariant("Times New Roman");
    QTest::newRow("font switch") << fonts << 1 << "family" << QVariant("Arial");
    const QByteArray kinds = "{\\rtf1{\\fonttbl{\\f0\\fmodern Courier New;}{\\f1 Any;}}\\f0 a\\f1 b}";
    QTest::newRow("fixed-pitch font kind") << kinds << 0 << "kind" << QVariant(int(QFont::TypeWriter));
    QTest::newRow("font without a kind") << kinds << 1 << "kind" << QVariant(-1);
    const QByteArray colours = "{\\rtf1" + kColors + "\\cf1 r\\cf2 b\\cf0 n\\cf9 o\\cb2 g\\highlight1 h\\highlight0 z}";
    QTest::newRow("red") << colours << 0 << "color" << QVariant("#ff0000");
    QTest::newRow("blue") << colours << 1 << "color" << QVariant("#0000ff");
    QTest::newRow("auto colour") << colours << 2 << "color" << QVariant("none");
    QTest::newRow("colour out of the table") << colours << 3 << "color" << QVariant("none");
    QTest::newRow("cb background") << colours << 4 << "background" << QVariant("#0000ff");
    QTest::newRow("highlight beats cb") << colours << 5 << "background" << QVariant("#ff0000");
    QTest::newRow("highlight0 falls back to cb") << colours << 6 << "background" << QVariant("#0000ff");
    QTest::newRow("colour components are clamped")
        << QByteArray("{\\rtf1{\\colortbl;\\red300\\green-5\\blue12;}\\cf1 x}") << 0 << "color" << QVariant("#ff000c");
    QTest::newRow("colour table without auto entry")
        << QByteArray("{\\rtf1{\\colortbl\\red0\\green128\\blue0;}\\cf0 x}") << 0 << "color" << QVariant("#008000");
    QTest::newRow("superscript") << QByteArray("{\\rtf1\\super x\\nosupersub y}") << 0 << "vertical"
                                 << QVariant(int(QTextCharFormat::AlignSuperScript));
    QTest::newRow("nosupersub") << QByteArray("{\\rtf1\\super x\\nosupersub y}") << 1 << "vertical"
                                << QVariant(int(QTextCharFormat::AlignNormal));
    QTest::newRow("fallback text takes no format change") << QByteArray("{\\rtf1\\u8364\\b x}") << 1 << "bold" << QVariant(false);
    QTest::newRow("fragment bold") << QByteArray("\\b x\\b0 y") << 0 << "bold" << QVariant(true);
}

void tst_RtfReader::characterFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, position);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);
    QTextDocument doc;
    readInto(doc, rtf);
    QVERIFY2(position < doc.characterCount() - 1, qPrintable(rawText(doc)));
    QCOMPARE(charProperty(formatAt(doc, position), property), expected);
}

void tst_RtfReader::blockFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("block");
    QTest::addColumn<QString>("property");
    QTest::addColumn<double>("expected");

    const QByteArray aligned = "{\\rtf1\\pard\\qc centred\\par\\pard\\qr right\\par\\qj just\\par\\ql left\\par}";
    QTest::newRow("centred") << aligned << 0 << "align" << double(Qt::AlignHCenter);
    QTest::newRow("right") << aligned << 1 << "align" << double(Qt::AlignRight);
    QTest::newRow("justified") << aligned << 2 << "align" << double(Qt::AlignJustify);
    QTest::newRow("left") << aligned << 3 << "align" << double(Qt::AlignLeft);
    const QByteArray indents = "{\\rtf1\\li1440\\ri720\\fi-360\\sb240\\sa120 x\\par\\pard y\\par}";
    QTest::newRow("left indent") << indents << 0 << "left" << 96.0;
    QTest::newRow("right indent") << indents << 0 << "right" << 48.0;
    QTest::newRow("first line") << indents << 0 << "indent" << -24.0;
    QTest::newRow("space before") << indents << 0 << "top" << 16.0;
    QTest::newRow("space after") << indents << 0 << "bottom" << 8.0;
    QTest::newRow("pard resets indent") << indents << 1 << "left" << 0.0;
    QTest::newRow("pard resets alignment") << QByteArray("{\\rtf1\\qc a\\par\\pard b\\par}") << 1 << "align" << double(Qt::AlignLeft);
    QTest::newRow("last paragraph without par") << QByteArray("{\\rtf1 a\\par\\qc b}") << 1 << "align" << double(Qt::AlignHCenter);
    QTest::newRow("paragraph state is scoped by groups") << QByteArray("{\\rtf1{\\qc a\\par}b}") << 1 << "align" << double(Qt::AlignLeft);
    QTest::newRow("format applies at the par") << QByteArray("{\\rtf1{\\qc a\\par}b}") << 0 << "align" << double(Qt::AlignHCenter);
    QTest::newRow("absurd indent is capped") << QByteArray("{\\rtf1\\li999999999999 x\\par}") << 0 << "left" << 2112.0;
    QTest::newRow("negative indent is floored") << QByteArray("{\\rtf1\\li-500 x\\par}") << 0 << "left" << 0.0;
    QTest::newRow("empty line takes the size at its par") << QByteArray("{\\rtf1\\fs20\\par x}") << 0 << "charsize" << 10.0;
    // Where the text after the first tab starts, in pixels from the block's edge.
    QTest::newRow("bullet tab stops at the hanging indent") << QByteArray("{\\rtf1\\li480\\fi-240 \\bullet\\tab item\\par}") << 0
                                                            << "tabEnd" << 32.0;
    QTest::newRow("tab stop counts from the indents' edge") << QByteArray("{\\rtf1\\li720\\fi720\\tx2880 x\\tab y\\par}") << 0
                                                            << "tabEnd" << 192.0;
    QTest::newRow("a later stop leaves the hanging indent first")
        << QByteArray("{\\rtf1\\li480\\fi-240\\tx1440 \\bullet\\tab a\\tab b\\par}") << 0 << "tabEnd" << 32.0;
    QTest::newRow("list text keeps the item's indents")
        << QByteArray("{\\rtf1\\fi-360\\li720 {\\listtext\\pard\\plain \\'b7\\tab}item\\par}") << 0 << "tabEnd" << 48.0;
    QTest::newRow("right tab ends the text at the stop") << QByteArray("{\\rtf1\\tqr\\tx4320 a\\tab right\\par}") << 0
                                                         << "lineEnd" << 288.0;
    QTest::newRow("pard clears the tab stops") << QByteArray("{\\rtf1\\tx300 a\\par\\pard\\tx1200 b\\tab c\\par}") << 1
                                               << "tabEnd" << 80.0;
}

void tst_RtfReader::blockFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, block);
    QFETCH(QString, property);
    QFETCH(double, expected);
    QTextDocument doc;
    readInto(doc, rtf);
    const QTextBlock b = doc.findBlockByNumber(block);
    QVERIFY(b.isValid());
    const QTextBlockFormat f = b.blockFormat();
    (void)doc.size(); // lays the text out, for the rows that measure it
    double actual = -1;
    if (property == "align")
        actual = double(f.alignment() & Qt::AlignHorizontal_Mask);
    else if (property == "left")
        actual = f.leftMargin();
    else if (property == "right")
        actual = f.rightMargin();
    else if (property == "indent")
        actual = f.textIndent();
    else if (property == "top")
        actual = f.topMargin();
    else if (property == "bottom")
        actual = f.bottomMargin();
    else if (property == "charsize")
        actual = b.charFormat().fontPointSize();
    else if (property == "tabEnd")
        actual = b.layout()->lineAt(0).cursorToX(int(b.text().indexOf(u'\t')) + 1);
    else if (property == "lineEnd")
        actual = b.layout()->lineAt(0).x() + b.layout()->lineAt(0).naturalTextWidth();
    QCOMPARE(actual, expected);
}

void tst_RtfReader::silentRtfKeepsCursorFormat_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("expected");

    QTest::newRow("colour kept") << QByteArray("\\b x") << 0 << "color" << QVariant("#ffffff");
    QTest::newRow("size kept") << QByteArray("{\\rtf1 x}") << 0 << "size" << QVariant(16.0);
    QTest::newRow("plain returns to the cursor's colour")
        << QByteArray("{\\rtf1" + kColors + "\\cf1\\fs40 a\\plain b}") << 1 << "color" << QVariant("#ffffff");
    QTest::newRow("plain returns to the cursor's size")
        << QByteArray("{\\rtf1" + kColors + "\\cf1\\fs40 a\\plain b}") << 1 << "size" << QVariant(16.0);
    QTest::newRow("auto colour is the cursor's") << QByteArray("{\\rtf1" + kColors + "\\cf1 a\\cf0 b}") << 1 << "color"
                                                 << QVariant("#ffffff");
    QTest::newRow("stated colour wins") << QByteArray("{\\rtf1" + kColors + "\\cf2 a}") << 0 << "color" << QVariant("#0000ff");
}

void tst_RtfReader::silentRtfKeepsCursorFormat()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, position);
    QFETCH(QString, property);
    QFETCH(QVariant, expected);
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextCharFormat white;
    white.setForeground(QColor(Qt::white));
    white.setFontPointSize(16);
    cursor.setCharFormat(white);
    RtfReader::insert(cursor, rtf);
    QCOMPARE(charProperty(formatAt(doc, position), property), expected);
}

void tst_RtfReader::insertInMiddle_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QList<int>>("alignments");

    const int right = Qt::AlignRight;
    const int centre = Qt::AlignHCenter;
    QTest::newRow("fragment") << QByteArray("\\b bold") << "Hello boldWorld\nNext" << QList<int>{right, right};
    QTest::newRow("document with paragraphs") << QByteArray("{\\rtf1\\qc one\\par two\\par three}")
                                              << "Hello one\ntwo\nthreeWorld\nNext" << QList<int>{right, centre, right, right};
    QTest::newRow("document ending in par") << QByteArray("{\\rtf1\\qc one\\par}") << "Hello one\nWorld\nNext"
                                            << QList<int>{right, right, right};
    QTest::newRow("unclosed document") << QByteArray("{\\rtf1\\qc one\\par two") << "Hello one\ntwoWorld\nNext"
                                       << QList<int>{right, right, right};
}

void tst_RtfReader::insertInMiddle()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QFETCH(QList<int>, alignments);

    QTextDocument doc;
    QTextCursor setup(&doc);
    QTextBlockFormat rightAligned;
    rightAligned.setAlignment(Qt::AlignRight);
    setup.setBlockFormat(rightAligned);
    setup.insertText(QStringLiteral("Hello "));
    QTextCharFormat italic;
    italic.setFontItalic(true);
    setup.insertText(QStringLiteral("World"), italic);
    setup.insertBlock();
    setup.insertText(QStringLiteral("Next"));

    QTextCursor cursor(&doc);
    cursor.setPosition(6);
    RtfReader::insert(cursor, rtf);

    QCOMPARE(rawText(doc), expected);
    const int world = int(expected.indexOf(QStringLiteral("World")));
    QCOMPARE(cursor.position(), world);
    for (int i = 0; i < 5; ++i) {
        QVERIFY(formatAt(doc, world + i).fontItalic());
        QVERIFY(formatAt(doc, world + i).fontWeight() != QFont::Bold);
    }
    QCOMPARE(doc.blockCount(), alignments.size());
    for (int i = 0; i < alignments.size(); ++i)
        QCOMPARE(int(doc.findBlockByNumber(i).blockFormat().alignment() & Qt::AlignHorizontal_Mask), alignments[i]);
}

void tst_RtfReader::insertReplacesSelectionAsOneUndoStep()
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    cursor.insertText(QStringLiteral("Hello World"));
    cursor.setPosition(6);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    const RtfResult result = RtfReader::insert(cursor, "{\\rtf1 a\\par b\\par c}");
    QVERIFY(result.ok);
    QCOMPARE(rawText(doc), QStringLiteral("Hello a\nb\nc"));
    QVERIFY(!cursor.hasSelection());
    doc.undo();
    QCOMPARE(rawText(doc), QStringLiteral("Hello World"));
}

void tst_RtfReader::commandBookHeading()
{
    // The command book's heading piece, then a page, each inserted at the end.
    const QByteArray heading = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
                               "\\viewkind4\\uc1\\pard\\par\\b\\f0\\fs28 Pet command\\par\r\n\\b0\\fs20\\par\r\n}\r\n";
    QVERIFY(RtfReader::check(heading).ok);
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QVERIFY(RtfReader::insert(cursor, heading).ok);
    cursor.movePosition(QTextCursor::End);
    QVERIFY(RtfReader::insert(cursor, "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Renames your pet.\\par}").ok);

    QCOMPARE(rawText(doc), QStringLiteral("\nPet command\n\nRenames your pet.\n"));
    const QTextCharFormat title = formatAt(doc, 1);
    QCOMPARE(title.fontWeight(), int(QFont::Bold));
    QCOMPARE(title.fontPointSize(), 14.0);
    QCOMPARE(title.fontFamilies().toStringList().value(0), QStringLiteral("Arial"));
    QCOMPARE(doc.findBlockByNumber(2).charFormat().fontPointSize(), 10.0);
    const QTextCharFormat page = formatAt(doc, 14);
    QCOMPARE(page.fontWeight(), int(QFont::Normal));
    QCOMPARE(page.fontPointSize(), 10.0);
}

void tst_RtfReader::malformed_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<int>("checkError");  // -1: check() accepts it
    QTest::addColumn<int>("insertError"); // -1: insert() reports ok
    QTest::addColumn<QString>("expected");

    QTest::newRow("well formed") << QByteArray("{\\rtf1 abc}") << -1 << -1 << "abc";
    QTest::newRow("trailing line break") << QByteArray("{\\rtf1 abc}\r\n") << -1 << -1 << "abc";
    QTest::newRow("leading white space") << QByteArray(" \r\n{\\rtf1 abc}") << -1 << -1 << "abc";
    QTest::newRow("fragment is no document") << QByteArray("abc") << 0 << -1 << "abc";
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
    QTest::newRow("huge font number") << QByteArray("{\\rtf1{\\fonttbl{\\f99999999999 A;}}\\f99999999999 x}") << -1 << -1 << "x";
    QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 11) << -1 << -1 << "ab";
    QTest::newRow("nul after the document") << QByteArray("{\\rtf1 a}\0", 10) << -1 << -1 << "a";
}

void tst_RtfReader::malformed()
{
    QFETCH(QByteArray, rtf);
    QFETCH(int, checkError);
    QFETCH(int, insertError);
    QFETCH(QString, expected);

    const RtfResult checked = RtfReader::check(rtf);
    QCOMPARE(errorOffset(checked), checkError);
    QTextDocument doc;
    RtfResult inserted;
    QCOMPARE(readInto(doc, rtf, &inserted), expected);
    QCOMPARE(errorOffset(inserted), insertError);
}

void tst_RtfReader::deepNesting_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("lastBold");

    const int deep = 100000;
    QTest::newRow("balanced") << QByteArray("{\\rtf1\\b " + QByteArray(deep, '{') + "\\b0 x" + QByteArray(deep, '}') + " y}")
                              << true << "x y" << true;
    QTest::newRow("state survives past the cap")
        << QByteArray("{\\rtf1 " + QByteArray(RtfReader::kMaxDepth - 2, '{') + "\\b " + QByteArray(500, '{') + "\\b0 x"
                      + QByteArray(500, '}') + "y" + QByteArray(RtfReader::kMaxDepth - 2, '}') + "}")
        << true << "xy" << true;
    QTest::newRow("never closed") << QByteArray("{\\rtf1\\b " + QByteArray(deep, '{') + "x") << false << "x" << true;
    QTest::newRow("closed too often") << QByteArray(QByteArray(deep, '}') + "\\b x") << false << "x" << true;
    QTest::newRow("skipped deep") << QByteArray("{\\rtf1 {\\*\\x " + QByteArray(deep, '{') + QByteArray(deep, '}') + "}\\b y}")
                                  << true << "y" << true;
}

void tst_RtfReader::deepNesting()
{
    QFETCH(QByteArray, rtf);
    QFETCH(bool, ok);
    QFETCH(QString, expected);
    QFETCH(bool, lastBold);

    QTextDocument doc;
    RtfResult result;
    QCOMPARE(readInto(doc, rtf, &result), expected);
    QCOMPARE(result.ok, ok);
    QCOMPARE(formatAt(doc, int(expected.size()) - 1).fontWeight() == QFont::Bold, lastBold);
}

void tst_RtfReader::junkNeverGrowsTheText_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QByteArray>("alphabet");

    QTest::newRow("any byte") << 1u << QByteArray();
    QTest::newRow("rtf-like") << 2u << QByteArray("{}\\\\\\'uc0123456789-abpr ;*\r\n");
    QTest::newRow("escapes") << 3u << QByteArray("\\'\\u-8ef ?{}");
    QTest::newRow("paragraphs") << 4u << QByteArray("\\par\\line\\tab{}");
}

void tst_RtfReader::junkNeverGrowsTheText()
{
    // Whatever the input, every inserted character costs at least one input byte, so the
    // document can never outgrow what it was given.
    QFETCH(quint32, seed);
    QFETCH(QByteArray, alphabet);
    QRandomGenerator random(seed);
    for (int round = 0; round < 50; ++round) {
        QByteArray junk(int(random.bounded(1, 4000)), '\0');
        for (char& c : junk)
            c = alphabet.isEmpty() ? char(random.bounded(256)) : alphabet.at(random.bounded(int(alphabet.size())));
        QTextDocument doc;
        RtfResult result;
        const QString text = readInto(doc, "{\\rtf1 " + junk, &result);
        QVERIFY2(text.size() <= junk.size(), qPrintable(QString::number(round)));
        QVERIFY(!result.ok || result.error.isEmpty());
        QCOMPARE(RtfReader::check("{\\rtf1 " + junk).ok, result.ok);
    }
}

void tst_RtfReader::windows1252MapsEveryByte()
{
    QSet<char16_t> seen;
    for (int byte = 0; byte < 256; ++byte)
        seen.insert(RtfCodePage::windows1252(uchar(byte)));
    QCOMPARE(seen.size(), 256);

    QStringDecoder reference("windows-1252");
    if (!reference.isValid())
        QSKIP("this Qt has no windows-1252 converter to compare with");
    for (int byte = 0x80; byte < 0xA0; ++byte) {
        const char c = char(byte);
        QCOMPARE(int(RtfCodePage::windows1252(uchar(byte))), int(QString(reference.decode(QByteArrayView(&c, 1))).at(0).unicode()));
    }
}

QTEST_MAIN(tst_RtfReader)
#include "tst_rtfreader.moc"
