#include "platform/ErrorNumbers.h"
#include "platform/ScriptCodec.h"
#include "platform/ScriptFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

class tst_scriptcodec : public QObject {
    Q_OBJECT
    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
private slots:
    void lineBreaksAndStandIns_data()
    {
        QTest::addColumn<bool>("decoding");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("read crlf") << true << QByteArray("a\r\nb") << QStringLiteral("a\nb");
        QTest::newRow("read 1252 and its unassigned bytes") << true << QByteArray("\x80\x81") << QStringLiteral(u"\u20AC\u0081");
        QTest::newRow("read lone cr") << true << QByteArray("a\rb") << QStringLiteral("a\nb");
        QTest::newRow("read cr cr lf as one line end") << true << QByteArray("a\r\r\nb") << QStringLiteral("a\nb");
        QTest::newRow("write crlf: one break") << false << QByteArray("a\r\nb") << QStringLiteral("a\r\nb");
        QTest::newRow("write paragraph separator") << false << QByteArray("a\r\nb") << QStringLiteral(u"a\u2029b");
        QTest::newRow("write cjk as ?") << false << QByteArray("a?b") << QStringLiteral("a\u65E5b");
        QTest::newRow("write C1 without a 1252 place as ?") << false << QByteArray("?") << QString(QChar(0x80));
        QTest::newRow("write surrogate pair as one ?") << false << QByteArray("x?y") << QString::fromUtf8("x\xF0\x9F\x98\x80y");
    }
    void lineBreaksAndStandIns()
    {
        QFETCH(bool, decoding);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        if (decoding)
            QCOMPARE(ScriptCodec::decode(bytes), text);
        else
            QCOMPARE(ScriptCodec::encode(text), bytes);
    }

    // What the player is warned of before a save: how many characters become "?"
    // and on which line the first stands.
    void losses_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("firstLine");
        QTest::newRow("code page 1252 only") << QStringLiteral("/tell B\u00F6b \u20AC5 \u201Chi\u201D\u0081") << 0 << 0;
        QTest::newRow("after CR LF, LF and CR") << QStringLiteral("a\r\nb\nc\rd \u0151 \u2713") << 2 << 4;
        QTest::newRow("emoji counts once") << QStringLiteral("x\n\n\U0001F600\U0001F600") << 2 << 3;
    }
    void losses()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(int, firstLine);
        const ScriptCodec::Losses lost = ScriptCodec::losses(text);
        QCOMPARE(lost.count, count);
        QCOMPARE(lost.firstLine, firstLine);
        QCOMPARE(ScriptCodec::encode(text).count('?') - text.count(u'?'), count);
    }

    void readFailures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::newRow("missing") << QStringLiteral("missing") << int(QFileDevice::OpenError);
        QTest::newRow("directory") << QStringLiteral("dir") << ErrorNumbers::NotARegularFile;
        QTest::newRow("named pipe: no wait for a writer") << QStringLiteral("pipe") << ErrorNumbers::NotARegularFile;
        QTest::newRow("endless device") << QStringLiteral("/dev/zero") << ErrorNumbers::NotARegularFile;
        QTest::newRow("one byte over the limit") << QStringLiteral("huge") << ErrorNumbers::ScriptTooLarge;
        QTest::newRow("nul byte") << QStringLiteral("binary") << ErrorNumbers::NotAScript;
        QTest::newRow("a line longer than any chat line") << QStringLiteral("long") << ErrorNumbers::NotAScript;
    }
    void readFailures()
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
        QFile longLine(dir.filePath(QStringLiteral("long")));
        QVERIFY(longLine.open(QIODevice::WriteOnly) && longLine.write("/a b\r\n" + QByteArray(ScriptFile::kLongestLine + 1, 'x')) > 0);
        longLine.close();
        const ScriptFile::ReadResult r = ScriptFile::read(QDir(dir.path()).filePath(name));
        QCOMPARE(r.result.number, number);
        QVERIFY(!r.result.description.isEmpty());
        QVERIFY(r.text.isEmpty());
    }

    void saveKeepsTheFile_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"plain", "hard link", "symbolic link", "owner", "extended attribute", "leftover"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    // A save changes the text and nothing else about the file (a shorter text leaves
    // no tail): its owner, attributes and links stay, and no temporary file is left
    // beside it (one left by an interrupted save goes).
    void saveKeepsTheFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("s")), other = dir.filePath(QStringLiteral("other"));
        QVERIFY(ScriptFile::write(file, QStringLiteral("the old text")).ok());
        const QByteArray f = QFile::encodeName(file);
        if (kind == "hard link")
            QVERIFY(::link(f.constData(), QFile::encodeName(other).constData()) == 0);
        if (kind == "symbolic link")
            QVERIFY(QFile::link(file, other));
        if (kind == "owner" && ::chown(f.constData(), 65534, 65534) != 0)
            QSKIP("Giving the file to another owner needs root.");
        if (kind == "extended attribute" && ::setxattr(f.constData(), "user.zandrel", "kept", 4, 0) != 0)
            QSKIP("This file system keeps no extended attributes.");
        if (kind == "leftover")
            QVERIFY(ScriptFile::write(dir.filePath(QStringLiteral(".s.zandrel-Ab12Cd")), QStringLiteral("half")).ok());
        struct stat before {};
        QVERIFY(::stat(f.constData(), &before) == 0);

        QVERIFY(ScriptFile::write(kind == "symbolic link" ? other : file, QStringLiteral("new")).ok());
        struct stat after {};
        QVERIFY(::stat(f.constData(), &after) == 0);
        QCOMPARE(readAll(file), QByteArray("new"));
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_nlink, before.st_nlink);
        char value[8] = {};
        QCOMPARE(::getxattr(f.constData(), "user.zandrel", value, sizeof value) == 4, kind == "extended attribute");
        if (kind.endsWith("link"))
            QCOMPARE(readAll(other), QByteArray("new"));
        QCOMPARE(QFileInfo(other).isSymLink(), kind == "symbolic link");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("zandrel")), QStringList());
    }

    void writeFailures_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << QStringLiteral("nofolder/script");
        QTest::newRow("a folder") << QStringLiteral("dir");
    }
    void writeFailures()
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
};

QTEST_GUILESS_MAIN(tst_scriptcodec)
#include "tst_scriptcodec.moc"
