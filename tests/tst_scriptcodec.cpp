#include "platform/ErrorNumbers.h"
#include "platform/ScriptCodec.h"
#include "platform/ScriptFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class tst_scriptcodec : public QObject {
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void readFailures_data();
    void readFailures();
    void losses_data();
    void losses();
    void writeFailures_data();
    void writeFailures();
    void writeReplacesWholeFile();
};

void tst_scriptcodec::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("crlf") << QByteArray("a\r\nb") << QStringLiteral("a\nb");
    QTest::newRow("lone lf") << QByteArray("a\nb") << QStringLiteral("a\nb");
    QTest::newRow("lone cr") << QByteArray("a\rb") << QStringLiteral("a\nb");
    QTest::newRow("cr then crlf") << QByteArray("a\r\r\nb") << QStringLiteral("a\n\nb");
    QTest::newRow("lf then cr is two breaks") << QByteArray("a\n\rb") << QStringLiteral("a\n\nb");
    QTest::newRow("trailing cr") << QByteArray("a\r") << QStringLiteral("a\n");
    // Windows-1252, its five unassigned bytes kept as the same C1 characters.
    QTest::newRow("euro") << QByteArray("\x80") << QString(QChar(0x20AC));
    QTest::newRow("undefined 81") << QByteArray("\x81") << QString(QChar(0x81));
    QTest::newRow("Y diaeresis 9f") << QByteArray("\x9F") << QString(QChar(0x178));
}

void tst_scriptcodec::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(ScriptCodec::decode(bytes), text);
}

void tst_scriptcodec::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("line break") << QStringLiteral("a\nb") << QByteArray("a\r\nb");
    QTest::newRow("crlf stays one break") << QStringLiteral("a\r\nb") << QByteArray("a\r\nb");
    QTest::newRow("lone cr") << QStringLiteral("a\rb") << QByteArray("a\r\nb");
    QTest::newRow("paragraph separator") << (QStringLiteral("a") + QChar::ParagraphSeparator + u'b') << QByteArray("a\r\nb");
    QTest::newRow("cjk is ?") << QStringLiteral("a\u65E5b") << QByteArray("a?b");
    QTest::newRow("C1 without 1252 place is ?") << QString(QChar(0x80)) << QByteArray("?");
    QTest::newRow("surrogate pair is one ?") << QString::fromUtf8("x\xF0\x9F\x98\x80y") << QByteArray("x?y");
    QTest::newRow("lone high surrogate is ?") << (QStringLiteral("x") + QChar(0xD83D) + u'y') << QByteArray("x?y");
}

void tst_scriptcodec::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ScriptCodec::encode(text), bytes);
}

void tst_scriptcodec::readFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("missing") << QStringLiteral("missing") << int(QFileDevice::OpenError);
    QTest::newRow("directory") << QStringLiteral("dir") << ErrorNumbers::NotARegularFile;
    QTest::newRow("named pipe: no wait for a writer") << QStringLiteral("pipe") << ErrorNumbers::NotARegularFile;
    QTest::newRow("endless device") << QStringLiteral("/dev/zero") << ErrorNumbers::NotARegularFile;
    QTest::newRow("one byte over the limit") << QStringLiteral("huge") << ErrorNumbers::ScriptTooLarge;
    QTest::newRow("nul byte") << QStringLiteral("binary") << ErrorNumbers::NotAScript;
}

void tst_scriptcodec::readFailures()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dir")));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe"))).constData(), 0600), 0);
    QFile huge(dir.filePath(QStringLiteral("huge")));  // sparse: all NUL, never written
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(ScriptFile::kMaxBytes + 1));
    QFile binary(dir.filePath(QStringLiteral("binary")));
    QVERIFY(binary.open(QIODevice::WriteOnly) && binary.write("/afk\r\n\0x", 8) == 8);
    binary.close();
    const ScriptFile::ReadResult r = ScriptFile::read(QDir(dir.path()).filePath(name));
    QCOMPARE(r.result.number, number);
    QVERIFY(!r.result.description.isEmpty());
    QVERIFY(r.text.isEmpty());
}

void tst_scriptcodec::losses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("firstLine");
    QTest::newRow("code page 1252 only") << QStringLiteral("/tell B\u00F6b \u20AC5 \u201Chi\u201D\u0081") << 0 << 0;
    QTest::newRow("after CR LF, LF and CR") << QStringLiteral("a\r\nb\nc\rd \u0151 \u2713") << 2 << 4;
    QTest::newRow("paragraph separator is a line") << QStringLiteral("a\u2029\u2713") << 1 << 2;
    QTest::newRow("emoji counts once") << QStringLiteral("x\n\n\U0001F600\U0001F600") << 2 << 3;
}

void tst_scriptcodec::losses()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(int, firstLine);
    const ScriptCodec::Losses lost = ScriptCodec::losses(text);
    QCOMPARE(lost.count, count);
    QCOMPARE(lost.firstLine, firstLine);
    QCOMPARE(ScriptCodec::encode(text).count('?') - text.count(u'?'), count);
}

void tst_scriptcodec::writeFailures_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing folder") << QStringLiteral("nofolder/script");
    QTest::newRow("a folder") << QStringLiteral("dir");
}

void tst_scriptcodec::writeFailures()
{
    QFETCH(QString, name);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("dir")));
    const IoResult r = ScriptFile::write(dir.filePath(name), QStringLiteral("/afk"));
    QVERIFY(!r.ok());
    QVERIFY(!r.description.isEmpty());
    // Nothing left behind beside the target.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{QStringLiteral("dir")});
}

void tst_scriptcodec::writeReplacesWholeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("s"));
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("a much longer old script that must not leave a tail\r\n") > 0);
    old.close();
    QVERIFY(ScriptFile::write(path, QStringLiteral("/afk\n/tell Bob hi")).ok());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("/afk\r\n/tell Bob hi"));
    const ScriptFile::ReadResult back = ScriptFile::read(path);
    QVERIFY(back.result.ok());
    QCOMPARE(back.text, QStringLiteral("/afk\n/tell Bob hi"));
}

QTEST_GUILESS_MAIN(tst_scriptcodec)
#include "tst_scriptcodec.moc"
