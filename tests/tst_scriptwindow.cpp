#include "ScriptedPrompt.h"
#include "TestFiles.h"

#include "state/AppState.h"
#include "platform/Settings.h"
#include "catalogue/Catalogue.h"
#include "editor/frmWindow.h"
#include "platform/ErrorNumbers.h"
#include "platform/RichTextControl.h"

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <sys/mount.h>

namespace {

// The toolbar button a table row names by its caption word.
ToolbarKey toolbarKey(const QString& word)
{
    if (word == QLatin1String("Open"))
        return ToolbarKey::Open;
    if (word == QLatin1String("New"))
        return ToolbarKey::New;
    return ToolbarKey::Save;
}
bool isGreen(RichTextControl& c, int pos)
{
    QTextCursor cur(c.document());
    cur.setPosition(pos + 1);
    const QTextCharFormat f = cur.charFormat();
    return f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().color() == RichTextControl::green();
}

void checkErrorBox(const ScriptedPrompt& p, int number)
{
    QVERIFY(!p.boxes.isEmpty());
    QCOMPARE(p.boxes.last().icon, PromptIcon::Critical);
    QVERIFY2(p.boxes.last().text.startsWith(QStringLiteral("Err - %1").arg(number)), qPrintable(p.boxes.last().text));
}

// Room for `room` more bytes; then a write is taken only in part and the next one
// fails, as on a file system running full.
struct FullDisk : QSaveFile {
    FullDisk(const QString& path, qint64 room) : QSaveFile(path), room(room) {}
    qint64 writeData(const char* data, qint64 len) override
    {
        setErrorString(qt_error_string(ENOSPC));
        const qint64 n = room > 0 ? QSaveFile::writeData(data, std::min(len, room)) : -1;
        room -= std::max<qint64>(n, 0);
        return n;
    }
    qint64 room;
};

PromptAnswer yesNo(const QString& answer)
{
    return answer == QLatin1String("yes") ? PromptAnswer::Yes : PromptAnswer::No;
}
}

class tst_scriptwindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void save_data();
    void save();
    void failedSaveLosesNothing_data();
    void failedSaveLosesNothing();
    void charactersTheFileCannotHold_data();
    void charactersTheFileCannotHold();
    void askingToSave_data();
    void askingToSave();
    void openBadFiles_data();
    void openBadFiles();
    void openedFileSavesBackByteForByte_data();
    void openedFileSavesBackByteForByte();
    void colouring();
    void saveArmedTwiceSavesOnce();
    void print_data();
    void print();

private:
    // A new script window, with `file` opened into it when one is given.
    frmWindow* makeWindow(const QString& file = {});
    QString path(const QString& name) const { return m_env->dir.filePath(name); }

    struct Env {
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        Catalogue catalogue{prompt, QString()};
        Settings settings;
        AppState state{prompt, catalogue, settings};
    };
    std::unique_ptr<Env> m_env;
    ScriptedPrompt* m_prompt = nullptr;
    QList<QPointer<frmWindow>> m_windows;
    QString m_mounted;
};

void tst_scriptwindow::init()
{
    m_env = std::make_unique<Env>();
    m_prompt = &m_env->prompt;
    m_env->state.gamePath = m_env->dir.path() + u'/';
}

void tst_scriptwindow::cleanup()
{
    for (const QPointer<frmWindow>& w : std::as_const(m_windows))
        delete w.data();
    m_windows.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!m_mounted.isEmpty())
        ::umount2(QFile::encodeName(m_mounted).constData(), MNT_DETACH);
    m_mounted.clear();
}

frmWindow* tst_scriptwindow::makeWindow(const QString& file)
{
    auto* w = new frmWindow(m_env->state);
    m_windows << w;
    if (!file.isEmpty()) {
        m_prompt->choose(file);
        w->tmOpen_Timer();
        m_prompt->clear();
    }
    return w;
}

// A script without a file asks a name; Save As asks before it writes over a file.
void tst_scriptwindow::save_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<bool>("exists");     // a file is there under the chosen name
    QTest::addColumn<QString>("answer");  // to the overwrite question; "" none expected
    QTest::addColumn<bool>("written");
    QTest::newRow("Save of a new script") << false << false << "" << true;
    QTest::newRow("Save As, overwrite yes") << true << true << "yes" << true;
    QTest::newRow("Save As, overwrite no") << true << true << "no" << false;
}

void tst_scriptwindow::save()
{
    QFETCH(bool, saveAs);
    QFETCH(bool, exists);
    QFETCH(QString, answer);
    QFETCH(bool, written);
    const QString target = path(QStringLiteral("target"));
    if (exists)
        writeFile(target, "old\r\n");
    frmWindow* w = makeWindow();
    w->rtfrypAO->setText(QStringLiteral("/tell bob\n/afk"));
    m_prompt->choose(target);
    if (!answer.isEmpty())
        m_prompt->answer(yesNo(answer));
    saveAs ? w->tmSaveAs_Timer() : w->tmSave_Timer();
    QVERIFY(m_prompt->allAnswersUsed());
    QCOMPARE(m_prompt->unplannedBoxes, 0);
    if (saveAs)  // in the game's folder
        QCOMPARE(m_prompt->dialogs.first().startFolder, m_env->state.gamePath);
    QCOMPARE(readFile(target), written ? QByteArray("/tell bob\r\n/afk") : QByteArray("old\r\n"));
    QCOMPARE(w->Changed(), !written);
    QCOMPARE(w->FileName(), written ? target : QString());
    // The title names the file the next Save writes to and marks unsaved changes.
    QCOMPARE(w->windowTitle(), (written ? target : QStringLiteral("New File")) + QStringLiteral("[*]"));
    QCOMPARE(w->isWindowModified(), !written);
}

void tst_scriptwindow::failedSaveLosesNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("tmpfs");  // a real file system, or the injected device
    QTest::addColumn<int>("room");    // bytes the disk still takes
    // Every way a save is asked for, on a disk that takes part of the file...
    for (const char* action : {"Save", "Save new", "Save As new", "Save As over", "Close", "Close new", "Open", "New"})
        QTest::addRow("%s, partial write", action) << QString::fromLatin1(action) << false << 8192;
    // ...and the ways a disk can be full.
    QTest::newRow("Save, no room at all") << "Save" << false << 0;
    for (const int room : {0, 8192})
        QTest::addRow("Save, real tmpfs, %d bytes free", room) << "Save" << true << room;
}

// Whatever asked for the save, a disk running full keeps the old file byte for byte,
// leaves no new file, says why in the system's words, and keeps the window as it was.
void tst_scriptwindow::failedSaveLosesNothing()
{
    QFETCH(QString, action);
    QFETCH(bool, tmpfs);
    QFETCH(int, room);
    const QString disk = path(QStringLiteral("disk"));
    QVERIFY(QDir().mkpath(disk));
    if (tmpfs) {
        if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("Filling a real disk needs the right to mount a tmpfs (root); the injected rows still run.");
        m_mounted = disk;
    }
    const QString old = disk + QStringLiteral("/old");
    writeFile(old, "old\r\n");
    if (tmpfs) {
        // 64 KB of pages, one of them the old file's.
        writeFile(disk + QStringLiteral("/filler"), QByteArray(60 * 1024 - room, 'f'));
        QCOMPARE(QStorageInfo(disk).bytesAvailable(), room);
    }
    const bool fresh = action.endsWith(QLatin1String(" new"));
    QPointer<frmWindow> w = makeWindow(!fresh || action.startsWith(QLatin1String("Save As")) ? old : QString());
    if (!tmpfs)
        w->scriptFile().setSaveTarget([room](const QString& p) { return std::make_unique<FullDisk>(p, room); });
    w->show();
    const QString script = QStringLiteral("/tell Bob hello\n").repeated(800);
    w->rtfrypAO->setText(script);
    if (!action.startsWith(QLatin1String("Save")))
        m_prompt->answer(PromptAnswer::Yes);
    if (fresh)
        m_prompt->choose(disk + QStringLiteral("/new"));
    if (action == QLatin1String("Save As over")) {
        m_prompt->choose(old);
        m_prompt->answer(PromptAnswer::Yes);
    }
    m_prompt->answer(PromptAnswer::Ok);  // the error box

    if (action.startsWith(QLatin1String("Save As")))
        w->tmSaveAs_Timer();
    else if (action.startsWith(QLatin1String("Close")))
        QVERIFY(!w->close());
    else
        w->tlbasxToolbar1_ButtonClick(toolbarKey(action.section(u' ', 0, 0)));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(m_prompt->allAnswersUsed());
    QCOMPARE(m_prompt->unplannedBoxes + m_prompt->unplannedDialogs, 0);
    for (const FileDialogSpec& d : std::as_const(m_prompt->dialogs))
        QCOMPARE(d.kind, FileDialogKind::Save);  // a failed save stops Open before its dialog
    QVERIFY2(m_prompt->boxes.last().text.endsWith(qt_error_string(ENOSPC)), qPrintable(m_prompt->boxes.last().text));
    QCOMPARE(readFile(old), QByteArray("old\r\n"));
    QStringList left{QStringLiteral("old")};
    if (tmpfs)
        left.prepend(QStringLiteral("filler"));
    QCOMPARE(QDir(disk).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name), left);
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->rtfrypAO->Text(), script);
    QVERIFY(w->Changed());
    // A chosen name is kept, so the next Save tries it again without a dialog.
    QCOMPARE(w->FileName(), fresh ? disk + QStringLiteral("/new") : old);
}

void tst_scriptwindow::charactersTheFileCannotHold_data()
{
    QTest::addColumn<bool>("saveAnyway");
    QTest::newRow("saved anyway, as \"?\"") << true;
    QTest::newRow("cancelled: nothing written") << false;
}

void tst_scriptwindow::charactersTheFileCannotHold()
{
    QFETCH(bool, saveAnyway);
    const QString file = path(QStringLiteral("s"));
    writeFile(file, "old\r\n");
    frmWindow* w = makeWindow(file);
    w->rtfrypAO->setText(QStringLiteral("/tell Bob \u00E9t\u00E9 \u20AC5\n/say \u2192 \u0151k\n/afk \u2713"));
    m_prompt->answer(saveAnyway ? PromptAnswer::Yes : PromptAnswer::No);
    w->tmSave_Timer();
    QVERIFY(m_prompt->allAnswersUsed());
    QCOMPARE(m_prompt->boxes.size(), 1);
    QCOMPARE(readFile(file), saveAnyway ? QByteArray("/tell Bob \xE9t\xE9 \x80" "5\r\n/say ? ?k\r\n/afk ?")
                                        : QByteArray("old\r\n"));
    QCOMPARE(w->Changed(), !saveAnyway);
}

void tst_scriptwindow::askingToSave_data()
{
    QTest::addColumn<QString>("action");  // Open, Open cancelled, New or Close
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("named");
    QTest::addColumn<QString>("answer");  // "" no question expected, "yes", "no"
    QTest::addColumn<QString>("saveTo");  // "" no save dialog, "cancel", or a file name
    for (const char* action : {"Open", "New", "Close"}) {
        const auto row = [&](const char* name) -> QTestData& {
            return QTest::addRow("%s: %s", action, name) << QString::fromLatin1(action);
        };
        row("unchanged") << false << true << "" << "";
        row("named, yes") << true << true << "yes" << "";
        row("named, no loses the edit") << true << true << "no" << "";
        row("unnamed, yes, saved") << true << false << "yes" << "saved";
        row("unnamed, yes, save cancelled") << true << false << "yes" << "cancel";
        row("unnamed, no") << true << false << "no" << "";
    }
    QTest::newRow("Open cancelled keeps all") << "Open cancelled" << true << false << "no" << "";
    QTest::newRow("Open cancelled, named, yes") << "Open cancelled" << true << true << "yes" << "";
}

// Open, New and closing all offer to save a changed script first; the answer and
// any save dialog decide what is written before the window moves on.
void tst_scriptwindow::askingToSave()
{
    QFETCH(QString, action);
    QFETCH(bool, changed);
    QFETCH(bool, named);
    QFETCH(QString, answer);
    QFETCH(QString, saveTo);
    const bool opening = action.startsWith(QLatin1String("Open"));
    const bool saved = !saveTo.isEmpty() && saveTo != QLatin1String("cancel");
    // Leaving the save dialog after a Yes stops the action that asked: the text stays.
    const bool stopped = saveTo == QLatin1String("cancel");
    const QString script = path(QStringLiteral("script"));
    writeFile(script, "/tell Someone hello\r\n");
    const QString oldFile = path(QStringLiteral("old"));
    writeFile(oldFile, "old\r\n");
    QPointer<frmWindow> w = makeWindow(named ? oldFile : QString());
    w->show();
    w->rtfrypAO->setText(QStringLiteral("/tell x y"));
    w->setChanged(changed);
    const QString nameBefore = w->FileName();
    if (!answer.isEmpty())
        m_prompt->answer(yesNo(answer));
    if (!saveTo.isEmpty())
        m_prompt->choose(saved ? path(saveTo) : QString());
    if (opening && !stopped)
        m_prompt->choose(action == QLatin1String("Open") ? script : QString());

    if (opening)
        w->tmOpen_Timer();
    else if (action == QLatin1String("New"))
        w->tlbasxToolbar1_ButtonClick(ToolbarKey::New);
    else
        QCOMPARE(w->close(), !stopped);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(m_prompt->allAnswersUsed());
    QCOMPARE(m_prompt->unplannedBoxes + m_prompt->unplannedDialogs, 0);
    QCOMPARE(m_prompt->boxes.size(), changed ? 1 : 0);
    const bool wroteOld = named && answer == QLatin1String("yes");
    QCOMPARE(readFile(oldFile), wroteOld ? QByteArray("/tell x y") : QByteArray("old\r\n"));
    if (saved)
        QCOMPARE(readFile(path(saveTo)), QByteArray("/tell x y"));
    QCOMPARE(QDir(m_env->dir.path()).entryList(QDir::Files).size(), saved ? 3 : 2);

    if (stopped || action == QLatin1String("Open cancelled")) {
        QVERIFY(w);
        QCOMPARE(w->rtfrypAO->Text(), QStringLiteral("/tell x y"));
        QCOMPARE(w->FileName(), nameBefore);
        QCOMPARE(w->Changed(), changed && !wroteOld);
        return;
    }
    if (action == QLatin1String("Close")) {
        QVERIFY(!w);
        return;
    }
    QCOMPARE(w->rtfrypAO->Text(), opening ? QStringLiteral("/tell Someone hello\n") : QString());
    QCOMPARE(w->FileName(), opening ? script : QString());
    QVERIFY(!w->Changed());
    if (opening)
        return;
    // The new script belongs to no file: a Save must ask for one, never write the old.
    w->rtfrypAO->setSelText(QStringLiteral("/afk"));
    m_prompt->clear();
    m_prompt->cancelDialog();
    w->tmSave_Timer();
    QCOMPARE(m_prompt->dialogs.size(), 1);
    QVERIFY(readFile(oldFile) != QByteArray("/afk"));
}

void tst_scriptwindow::openBadFiles_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::newRow("nul byte") << "binary" << ErrorNumbers::NotAScript;
    QTest::newRow("missing") << "missing" << int(QFileDevice::OpenError);
    QTest::newRow("folder") << "folder" << ErrorNumbers::NotARegularFile;
}

void tst_scriptwindow::openBadFiles()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    const QByteArray binary("/afk\r\n\0\x01", 8);
    writeFile(path(QStringLiteral("binary")), binary);
    QVERIFY(QDir(m_env->dir.path()).mkdir(QStringLiteral("folder")));
    const QString previous = path(QStringLiteral("previous"));
    writeFile(previous, "/tell a b\r\n");

    frmWindow* w = makeWindow(previous);
    w->rtfrypAO->setText(QStringLiteral("/tell a b\nmore"));
    m_prompt->answer(PromptAnswer::No);
    m_prompt->choose(path(name));
    w->tmOpen_Timer();

    QCOMPARE(m_prompt->boxes.size(), 2);
    checkErrorBox(*m_prompt, number);
    // The window is as it was, still tied to the file it had: a Save goes there.
    QCOMPARE(w->rtfrypAO->Text(), QStringLiteral("/tell a b\nmore"));
    QCOMPARE(w->FileName(), previous);
    QVERIFY(w->Changed());
    w->tmSave_Timer();
    QCOMPARE(readFile(previous), QByteArray("/tell a b\r\nmore"));
    QCOMPARE(readFile(path(QStringLiteral("binary"))), binary);
}

void tst_scriptwindow::openedFileSavesBackByteForByte_data()
{
    QTest::addColumn<bool>("finalBreak");
    QTest::newRow("ends with CR LF") << true;
    QTest::newRow("last line without break") << false;
}

void tst_scriptwindow::openedFileSavesBackByteForByte()
{
    QFETCH(bool, finalBreak);
    // Every byte value but NUL, CR and LF in lines of 16, then the file's own breaks.
    QByteArray bytes;
    for (int b = 1, inLine = 0; b < 256; ++b) {
        if (b == '\r' || b == '\n')
            continue;
        bytes.append(char(b));
        if (++inLine % 16 == 0)
            bytes.append("\r\n");
    }
    bytes.append("/tell Someone hello\r\n\r\n/afk");
    if (finalBreak)
        bytes.append("\r\n");
    const QString file = path(QStringLiteral("all bytes"));
    writeFile(file, bytes);
    frmWindow* w = makeWindow(file);

    // Save As elsewhere saves the untouched text; Save after marking writes in place.
    const QString copy = path(QStringLiteral("copy"));
    m_prompt->choose(copy);
    w->tmSaveAs_Timer();
    QCOMPARE(readFile(copy), bytes);
    w->setChanged(true);
    w->tmSave_Timer();
    QCOMPARE(readFile(copy), bytes);
    QVERIFY(m_prompt->boxes.isEmpty());
}

// Opening colours the commands at once, and nothing green survives from the text
// the window held before; later, the periodic pass colours what was typed.
void tst_scriptwindow::colouring()
{
    const QString file = path(QStringLiteral("s"));
    writeFile(file, "tell Someone hello\r\n/wave now\r\n");
    frmWindow* w = makeWindow();
    RichTextControl& e = *w->rtfrypAO;
    e.setText(QStringLiteral("/tell x y"));
    e.select(0, 5);
    e.setSelColor(RichTextControl::green());
    w->setChanged(false);
    m_prompt->choose(file);
    w->tmOpen_Timer();
    QVERIFY(!isGreen(e, 0));
    QVERIFY(isGreen(e, 19) && isGreen(e, 23));  // /wave
    QVERIFY(!isGreen(e, 24));
    e.setSelStart(e.textLength());
    e.setSelText(QStringLiteral("/afk x"));
    QVERIFY(!isGreen(e, 29));
    w->tmHighlight_Timer();
    QVERIFY(isGreen(e, 29));
    QVERIFY(w->Changed());  // colouring is no edit, the typing was
}

void tst_scriptwindow::saveArmedTwiceSavesOnce()
{
    // The real timer: armed twice within 100 ms, the Save runs once. The window is
    // changed and unnamed, and the dialog is cancelled, so a second run would ask
    // again.
    frmWindow* w = makeWindow();
    w->rtfrypAO->setText(QStringLiteral("/afk"));
    m_prompt->cancelDialog();
    w->tmSave->start();
    w->tmSave->start();
    QTRY_COMPARE(m_prompt->dialogs.size(), 1);
    QVERIFY(!w->tmSave->isActive());
    QCoreApplication::processEvents();
    QCOMPARE(m_prompt->dialogs.size(), 1);
}

void tst_scriptwindow::print_data()
{
    QTest::addColumn<QString>("target");  // "pdf", "folder" (cannot be written) or "" (no printer)
    QTest::addColumn<int>("selected");    // characters selected from the start
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("number");      // the error box's, 0 for none
    QTest::newRow("selection only") << "pdf" << 4 << "/afk" << 0;
    QTest::newRow("no default printer") << "" << 0 << "" << int(ErrorNumbers::NoDefaultPrinter);
    QTest::newRow("unwritable target") << "folder" << 0 << "" << int(ErrorNumbers::PrintFailed);
}

void tst_scriptwindow::print()
{
    QFETCH(QString, target);
    QFETCH(int, selected);
    QFETCH(QString, expected);
    QFETCH(int, number);
    if (!expected.isEmpty() && QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    frmWindow* w = makeWindow();
    QVERIFY(QDir(m_env->dir.path()).mkdir(QStringLiteral("folder")));
    if (target.isEmpty())
        w->printer().setDefaultPrinterLookup([] { return QPrinterInfo(); });
    else
        w->printer().setPdfTarget(path(target));
    w->rtfrypAO->setText(QStringLiteral("/afk\n/tell Quentin hi"));
    w->setChanged(false);
    w->rtfrypAO->select(0, selected);
    w->tmprint_Timer();
    QVERIFY(!w->Changed());
    QCOMPARE(w->rtfrypAO->Text(), QStringLiteral("/afk\n/tell Quentin hi"));
    QCOMPARE(m_prompt->boxes.size(), number ? 1 : 0);
    if (number) {
        checkErrorBox(*m_prompt, number);
        return;
    }
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {path(target), QStringLiteral("-")});
    QVERIFY(p.waitForFinished(30000));
    // The printed lines, before the page number.
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()).section(QStringLiteral("\n\n"), 0, 0), expected);
}

QTEST_MAIN(tst_scriptwindow)
#include "tst_scriptwindow.moc"
