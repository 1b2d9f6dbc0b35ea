#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Installs the built program into a temporary DESTDIR and starts the installed
// binary, proving that it opens the installed catalogue and not the build tree's.
class tst_install : public QObject {
    Q_OBJECT
private slots:
    void installTree_data();
    void installTree();
    void installedProgramOpensInstalledCatalogue();

private:
    void install();
    QTemporaryDir m_root;
    bool m_installed = false;
};

void tst_install::install()
{
    if (m_installed)
        return;
    const QString build = qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR");
    QVERIFY2(!build.isEmpty(), "ZANDREL_TEST_BUILD_DIR is not set");
    QProcess cmake;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DESTDIR"), m_root.path());
    cmake.setProcessEnvironment(env);
    cmake.start(QStringLiteral("cmake"), {QStringLiteral("--install"), build, QStringLiteral("--prefix"),
                                          QStringLiteral("/usr")});
    QVERIFY(cmake.waitForFinished(120000));
    QVERIFY2(cmake.exitCode() == 0, cmake.readAllStandardError().constData());
    m_installed = true;
}

void tst_install::installTree_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("program") << "usr/bin/zandrel";
    QTest::newRow("catalogue") << "usr/share/zandrel/zandrel.db";
    QTest::newRow("desktop entry") << "usr/share/applications/zandrel.desktop";
    QTest::newRow("scalable icon") << "usr/share/icons/hicolor/scalable/apps/zandrel.svg";
    QTest::newRow("48 px icon") << "usr/share/icons/hicolor/48x48/apps/zandrel.png";
}

void tst_install::installTree()
{
    QFETCH(QString, path);
    install();
    QVERIFY2(QFileInfo(m_root.filePath(path)).isFile(), qPrintable(path));
    if (path.endsWith(QLatin1String(".desktop"))) {
        QFile entry(m_root.filePath(path));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        for (const char* line : {"Exec=zandrel %F", "Icon=zandrel", "MimeType=text/plain;"})
            QVERIFY2(text.contains(QString::fromLatin1(line)), line);
        QProcess validate;
        validate.start(QStringLiteral("desktop-file-validate"), {m_root.filePath(path)});
        QVERIFY2(validate.waitForFinished(), "desktop-file-validate is missing: run scripts/setup.sh");
        const QByteArray said = validate.readAllStandardOutput() + validate.readAllStandardError();
        QVERIFY2(validate.exitCode() == 0 && said.isEmpty(), said.constData());
    }
}

void tst_install::installedProgramOpensInstalledCatalogue()
{
    install();
    const QString installedCatalogue = QFileInfo(m_root.filePath(QStringLiteral("usr/share/zandrel/zandrel.db")))
                                           .canonicalFilePath();
    QTemporaryDir home;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(home.path());
    program.start(m_root.filePath(QStringLiteral("usr/bin/zandrel")), {});
    QVERIFY(program.waitForStarted());

    // The catalogue connection stays open for the whole run, so the file shows among
    // the process's open files once start-up has read it.
    const QString fds = QStringLiteral("/proc/%1/fd").arg(program.processId());
    QStringList open;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            open.clear();
            for (const QFileInfo& fd : QDir(fds).entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
                open << fd.symLinkTarget();
            return open.contains(installedCatalogue);
        }(),
        15000);
    for (const QString& file : open)
        QVERIFY2(!file.endsWith(QLatin1String("zandrel.db")) || file == installedCatalogue, qPrintable(file));
    QCOMPARE(program.state(), QProcess::Running);
    program.kill();
    program.waitForFinished();
}

QTEST_GUILESS_MAIN(tst_install)
#include "tst_install.moc"
