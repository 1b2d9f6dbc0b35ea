#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// Installs the built program into a temporary DESTDIR, checks what a desktop needs of
// it, and starts the installed binary, proving that it opens the installed catalogue
// and not the build tree's.
class tst_install : public QObject {
    Q_OBJECT
private slots:
    void installedProgramOpensInstalledCatalogue()
    {
        QTemporaryDir root;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), root.path());
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral("cmake"), {QStringLiteral("--install"), qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR"),
                                                QStringLiteral("--prefix"), QStringLiteral("/usr")});
        QVERIFY(process.waitForFinished(120000));
        QVERIFY2(process.exitCode() == 0, process.readAllStandardError().constData());
        // The file manager offers the program for scripts, which are plain text.
        const QString entry = root.filePath(QStringLiteral("usr/share/applications/zandrel.desktop"));
        QFile desktop(entry);
        QVERIFY(desktop.open(QIODevice::ReadOnly));
        const QByteArray text = desktop.readAll();
        QVERIFY(text.contains("Exec=zandrel %F") && text.contains("MimeType=text/plain;"));

        const QString catalogue = QFileInfo(root.filePath(QStringLiteral("usr/share/zandrel/zandrel.db"))).canonicalFilePath();
        QVERIFY(!catalogue.isEmpty());
        QTemporaryDir home;
        env.remove(QStringLiteral("DESTDIR"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        QProcess program;
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(home.path());
        program.start(root.filePath(QStringLiteral("usr/bin/zandrel")), {});
        QVERIFY(program.waitForStarted());
        // The catalogue connection stays open for the whole run, so the file shows among
        // the process's open files once start-up has read it.
        QStringList open;
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                open.clear();
                const QDir fds(QStringLiteral("/proc/%1/fd").arg(program.processId()));
                for (const QFileInfo& fd : fds.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
                    open << fd.symLinkTarget();
                return open.contains(catalogue);
            }(),
            15000);
        QCOMPARE(open.filter(QStringLiteral("zandrel.db")), QStringList{catalogue});
        program.kill();
        program.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(tst_install)
#include "tst_install.moc"
