#include "ScriptedPrompt.h"
#include "TestFiles.h"

#include "state/AppState.h"
#include "platform/Settings.h"
#include "catalogue/Catalogue.h"
#include "editor/frmWindow.h"
#include "platform/ErrorNumbers.h"
#include "platform/RichTextControl.h"

#include <QAction>
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
#include <QToolBar>
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
    if (word == QLatin1String("SaveAs"))
        return ToolbarKey::SaveAs;
    return ToolbarKey::Save;
}
const QString kFilter = QStringLiteral("AO Script files|*|Text Files(*.txt)|*.txt");
const QString kErrorTitle = QStringLiteral("Error in tlbasxToolbar1_ButtonClick");

bool isGreen(RichTextControl& c, int pos)
{
    QTextCursor cur(c.document());
    cur.setPosition(pos + 1);
    const QTextCharFormat f = cur.charFormat();
    return f.hasProperty(QTextFormat::ForegroundBrush) && f.foreground().color() == RichTextControl::green();
}

// Every failed toolbar action shows one box: its error number, then what went wrong.
void checkErrorBox(const MessageBoxSpec& box, int number)
{
    const QString head = QStringLiteral("Err - %1").arg(number);
    QCOMPARE(box.title, kErrorTitle);
    QVERIFY2(box.text.startsWith(head) && box.text.size() > head.size(), qPrintable(box.text));
    QCOMPARE(box.icon, PromptIcon::Critical);
    QCOMPARE(box.buttons, PromptButtons::Ok);
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

QStringList boxTexts(const ScriptedPrompt& p)
{
    QStringList out;
    for (const MessageBoxSpec& b : p.boxes)
        out << b.title + QStringLiteral(" | ") + b.text;
    return out;
}
}

class tst_scriptwindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void freshWindow();
    void save_data();
    void save();
    void saveFailureKeepsChosenNameAndChanges();
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
    void openColoursAtOnceAndTimerWaitsForAnEdit();
    void deletedSlashIsWhiteAfterReopen();
    void closingWithFailedWriteKeepsWindow();
    void timerTicksStopTheirTimer();
    void saveArmedTwiceSavesOnce();
    void highlightTick_data();
    void highlightTick();
    void printToPdf_data();
    void printToPdf();
    void printFailures_data();
    void printFailures();

private:
    // A new script window, with `file` opened into it when one is given.
    frmWindow* makeWindow(const QString& file = {});

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<ScriptedPrompt> m_prompt;
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<Settings> m_settings;
    std::unique_ptr<AppState> m_state;
    QList<QPointer<frmWindow>> m_windows;
    QString m_mounted;

    QString path(const QString& name) const { return m_dir->filePath(name); }
};

void tst_scriptwindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_prompt = std::make_unique<ScriptedPrompt>();
    m_catalogue = std::make_unique<Catalogue>(*m_prompt, QString());
    m_settings = std::make_unique<Settings>();
    m_state = std::make_unique<AppState>(*m_prompt, *m_catalogue, *m_settings);
    m_state->gamePath = m_dir->path() + u'/';
}

void tst_scriptwindow::cleanup()
{
    for (const QPointer<frmWindow>& w : std::as_const(m_windows)) {
        if (w) {
            w->setChanged(false);
            delete w.data();
        }
    }
    m_windows.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!m_mounted.isEmpty())
        ::umount2(QFile::encodeName(m_mounted).constData(), MNT_DETACH);
    m_mounted.clear();
}

frmWindow* tst_scriptwindow::makeWindow(const QString& file)
{
    auto* w = new frmWindow(*m_state);
    m_windows << w;
    if (!file.isEmpty()) {
        m_prompt->choose(file);
        w->tmOpen_Timer();
        m_prompt->clear();
    }
    return w;
}

void tst_scriptwindow::freshWindow()
{
    frmWindow* w = makeWindow();
    QCOMPARE(w->windowTitle(), QStringLiteral("New File"));
    QVERIFY(!w->Changed());
    QVERIFY(w->FileName().isEmpty());
    QCOMPARE(w->HighlightedLength(), 0);
    QCOMPARE(w->rtfrypAO->SelColor(), RichTextControl::white());
    for (QTimer* t : {w->tmOpen, w->tmSave, w->tmSaveAs, w->tmprint, w->tmChanged}) {
        QVERIFY2(!t->isActive(), qPrintable(t->objectName()));
        QCOMPARE(t->interval(), 100);
        QVERIFY(t->isSingleShot());
    }
    QVERIFY(w->tmHighlight->isActive());
    QCOMPARE(w->tmHighlight->interval(), 10000);
    QVERIFY(!w->tmHighlight->isSingleShot());
    // The toolbar: its keys in order, each action named by its key, a few tips and captions.
    QStringList keys, tips, captions;
    for (QAction* a : w->tlbasxToolbar1->actions()) {
        keys << (a->isSeparator() ? QStringLiteral("-") : a->objectName());
        if (!a->isSeparator())
            tips << a->toolTip();
    }
    QCOMPARE(keys, (QStringList{"New", "Open", "Save", "Print", "-", "Delete", "-", "Target", "Fight", "Me", "-", "1",
                                "2", "3", "4"}));
    QCOMPARE(tips.first(), QStringLiteral("Create a new file."));
    QCOMPARE(tips.at(7), QStringLiteral("Insert the %m your name variable."));
    QCOMPARE(tips.last(), QStringLiteral("Insert input variable number 4."));
    for (ToolbarKey key : {ToolbarKey::Target, ToolbarKey::Fight, ToolbarKey::Me})
        captions << w->toolbarAction(key)->text();
    QCOMPARE(captions, (QStringList{"%t ", "%f ", "%m "}));
    QVERIFY(!w->toolbarAction(ToolbarKey::SaveAs));
}

void tst_scriptwindow::save_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<bool>("named");
    QTest::addColumn<QString>("choice");  // "" no dialog expected, "cancel", or a file name
    QTest::addColumn<bool>("exists");     // the target is there before
    QTest::addColumn<QString>("answer");  // "" no overwrite question, "yes", "no"
    QTest::addColumn<bool>("written");
    QTest::newRow("unchanged, named: nothing") << false << false << true << "" << true << "" << false;
    QTest::newRow("unchanged, unnamed: nothing") << false << false << false << "" << false << "" << false;
    QTest::newRow("changed, named: written without asking") << false << true << true << "" << true << "" << true;
    QTest::newRow("changed, unnamed: asks a name") << false << true << false << "new.txt" << false << "" << true;
    QTest::newRow("changed, unnamed, existing file: no overwrite question")
        << false << true << false << "old" << true << "" << true;
    QTest::newRow("changed, unnamed, cancelled") << false << true << false << "cancel" << false << "" << false;
    QTest::newRow("Save As, new name") << true << true << false << "new" << false << "" << true;
    QTest::newRow("Save As, unchanged text still written") << true << false << false << "new" << false << "" << true;
    QTest::newRow("Save As, existing, overwrite yes") << true << true << false << "old" << true << "yes" << true;
    QTest::newRow("Save As, existing, overwrite no") << true << true << false << "old" << true << "no" << false;
    QTest::newRow("Save As, cancelled") << true << true << false << "cancel" << false << "" << false;
}

void tst_scriptwindow::save()
{
    QFETCH(bool, saveAs);
    QFETCH(bool, changed);
    QFETCH(bool, named);
    QFETCH(QString, choice);
    QFETCH(bool, exists);
    QFETCH(QString, answer);
    QFETCH(bool, written);
    const bool chosen = !choice.isEmpty() && choice != QLatin1String("cancel");
    const QString target = path(named ? QStringLiteral("named") : chosen ? choice : QStringLiteral("x"));
    if (exists)
        writeFile(target, "old\r\n");
    frmWindow* w = makeWindow();
    if (named) {
        m_prompt->choose(target);
        w->tlbasxToolbar1_ButtonClick(ToolbarKey::Open);
        m_prompt->clear();
    }
    w->rtfrypAO->setText(QStringLiteral("/tell bob\n/afk"));
    w->setChanged(changed);
    if (choice == QLatin1String("cancel"))
        m_prompt->cancelDialog();
    else if (chosen)
        m_prompt->choose(target);
    if (!answer.isEmpty())
        m_prompt->answer(answer == QLatin1String("yes") ? PromptAnswer::Yes : PromptAnswer::No);

    if (saveAs)
        w->tmSaveAs_Timer();
    else
        w->tlbasxToolbar1_ButtonClick(ToolbarKey::Save);

    QCOMPARE(m_prompt->unplannedBoxes, 0);
    QVERIFY(m_prompt->allAnswersUsed());
    if (!answer.isEmpty()) {
        QCOMPARE(boxTexts(*m_prompt),
                 QStringList{QStringLiteral("Overwrite File | Overwrite existing file '") + target + u'\'' + u'?'});
        QCOMPARE(m_prompt->boxes.first().icon, PromptIcon::Question);
        QCOMPARE(m_prompt->boxes.first().buttons, PromptButtons::YesNo);
    } else {
        QVERIFY(m_prompt->boxes.isEmpty());
    }
    QCOMPARE(m_prompt->dialogs.size(), choice.isEmpty() ? 0 : 1);
    if (!choice.isEmpty()) {
        const FileDialogSpec& d = m_prompt->dialogs.first();
        QCOMPARE(d.kind, FileDialogKind::Save);
        QCOMPARE(d.title, QStringLiteral("Save a Script File"));
        QCOMPARE(d.filter, kFilter);
        // Save As starts in the game's folder; Save's dialog names no folder of its own.
        QCOMPARE(d.startFolder, saveAs ? m_state->gamePath : QString());
    }
    QCOMPARE(readFile(target), written ? QByteArray("/tell bob\r\n/afk") : exists ? QByteArray("old\r\n")
                                                                                 : QByteArray("<missing>"));
    QCOMPARE(w->Changed(), changed && !written);
    QCOMPARE(w->FileName(), named || written ? target : QString());
    QCOMPARE(w->windowTitle(), named ? target : QStringLiteral("New File"));
}

void tst_scriptwindow::saveFailureKeepsChosenNameAndChanges()
{
    frmWindow* w = makeWindow();
    w->rtfrypAO->setText(QStringLiteral("/afk"));
    const QString target = path(QStringLiteral("no/such/folder/s"));
    m_prompt->choose(target);
    w->tlbasxToolbar1_ButtonClick(ToolbarKey::Save);
    QCOMPARE(m_prompt->boxes.size(), 1);
    checkErrorBox(m_prompt->boxes.first(), QFileDevice::OpenError);
    QCOMPARE(w->FileName(), target);
    QVERIFY(w->Changed());
    QCOMPARE(w->rtfrypAO->Text(), QStringLiteral("/afk"));
}

void tst_scriptwindow::failedSaveLosesNothing_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("tmpfs");  // a real file system, or the injected device
    QTest::addColumn<int>("room");    // bytes the disk still takes
    for (const char* action : {"Save", "Save new", "Save As new", "Save As over", "Close", "Close new", "Open", "New"})
        for (const bool tmpfs : {false, true})
            for (const int room : {0, 8192})
                QTest::addRow("%s, %s, %d bytes free", action, tmpfs ? "tmpfs" : "injected", room)
                    << QString::fromLatin1(action) << tmpfs << room;
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
    const bool named = !action.endsWith(QLatin1String(" new"));
    QPointer<frmWindow> w = makeWindow(named || action.startsWith(QLatin1String("Save As")) ? old : QString());
    if (!tmpfs)
        w->scriptFile().setSaveTarget([room](const QString& p) { return std::make_unique<FullDisk>(p, room); });
    w->show();
    const QString script = QStringLiteral("/tell Bob hello\n").repeated(800);
    w->rtfrypAO->setText(script);
    if (action.startsWith(QLatin1String("Close")) || action == QLatin1String("Open") || action == QLatin1String("New"))
        m_prompt->answer(PromptAnswer::Yes);
    if (action.endsWith(QLatin1String(" new")))
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
    const MessageBoxSpec& box = m_prompt->boxes.last();
    QCOMPARE(box.title, action.startsWith(QLatin1String("Close")) ? QStringLiteral("Error in Form_Unload") : kErrorTitle);
    QVERIFY2(box.text.endsWith(qt_error_string(ENOSPC)), qPrintable(box.text));
    QCOMPARE(readFile(old), QByteArray("old\r\n"));
    QStringList left{QStringLiteral("old")};
    if (tmpfs)
        left.prepend(QStringLiteral("filler"));
    QCOMPARE(QDir(disk).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name), left);
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->rtfrypAO->Text(), script);
    QVERIFY(w->Changed());
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
    QCOMPARE(m_prompt->boxes.first().buttons, PromptButtons::YesNo);
    const QString question = m_prompt->boxes.first().text;
    QVERIFY2(question.contains(QLatin1String("3 characters")) && question.contains(QLatin1String("line 2")),
             qPrintable(question));
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
        row("unchanged, named") << false << true << "" << "";
        row("unchanged, unnamed") << false << false << "" << "";
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
    writeFile(script, "/tell Someone hello\r\nsay /wave now\r\n");
    const QString oldFile = path(QStringLiteral("old"));
    writeFile(oldFile, "old\r\n");
    QPointer<frmWindow> w = makeWindow(named ? oldFile : QString());
    w->show();
    w->rtfrypAO->setText(QStringLiteral("/tell x y"));
    w->setChanged(changed);
    const QString nameBefore = w->FileName();
    if (!answer.isEmpty())
        m_prompt->answer(answer == QLatin1String("yes") ? PromptAnswer::Yes : PromptAnswer::No);
    if (saveTo == QLatin1String("cancel"))
        m_prompt->cancelDialog();
    else if (saved)
        m_prompt->choose(path(saveTo));
    if (action == QLatin1String("Open") && !stopped)
        m_prompt->choose(script);
    else if (opening && !stopped)
        m_prompt->cancelDialog();

    if (opening)
        w->tmOpen_Timer();
    else if (action == QLatin1String("New"))
        w->tlbasxToolbar1_ButtonClick(ToolbarKey::New);
    else
        QCOMPARE(w->close(), !stopped);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(m_prompt->allAnswersUsed());
    QCOMPARE(m_prompt->unplannedBoxes + m_prompt->unplannedDialogs, 0);
    if (changed) {
        const QString question = named ? QStringLiteral("Save changes to '%1'?").arg(oldFile)
                                       : QStringLiteral("Save to a new file?");
        QCOMPARE(boxTexts(*m_prompt), QStringList{QStringLiteral("Save Changes | ") + question});
        QCOMPARE(m_prompt->boxes.first().icon, PromptIcon::Information);
        QCOMPARE(m_prompt->boxes.first().buttons, PromptButtons::YesNo);
    } else {
        QVERIFY(m_prompt->boxes.isEmpty());
    }
    if (!saveTo.isEmpty()) {
        QCOMPARE(m_prompt->dialogs.first().kind, FileDialogKind::Save);
        QVERIFY(m_prompt->dialogs.first().startFolder.isEmpty());
    }
    const bool wroteOld = named && answer == QLatin1String("yes");
    QCOMPARE(readFile(oldFile), wroteOld ? QByteArray("/tell x y") : QByteArray("old\r\n"));
    if (saved)
        QCOMPARE(readFile(path(saveTo)), QByteArray("/tell x y"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).size(), saved ? 3 : 2);

    if (stopped) {
        QVERIFY(w);
        QCOMPARE(m_prompt->dialogs.size(), 1);
        QCOMPARE(w->rtfrypAO->Text(), QStringLiteral("/tell x y"));
        QVERIFY(w->Changed());
        return;
    }
    if (action == QLatin1String("Close")) {
        QVERIFY(!w);
        return;
    }
    if (opening) {
        // The open dialog always follows the question, whatever its answer.
        const FileDialogSpec& openDialog = m_prompt->dialogs.last();
        QCOMPARE(openDialog.kind, FileDialogKind::Open);
        QCOMPARE(openDialog.title, QStringLiteral("Open a Script File"));
        QCOMPARE(openDialog.filter, kFilter);
        QCOMPARE(openDialog.startFolder, m_state->gamePath);
    }
    if (action == QLatin1String("Open cancelled")) {
        QCOMPARE(w->rtfrypAO->Text(), QStringLiteral("/tell x y"));
        QCOMPARE(w->FileName(), nameBefore);
        QCOMPARE(w->Changed(), changed && !wroteOld);
        return;
    }
    QCOMPARE(w->rtfrypAO->Text(), opening ? QStringLiteral("/tell Someone hello\nsay /wave now\n") : QString());
    QCOMPARE(w->FileName(), opening ? script : QString());
    QCOMPARE(w->windowTitle(), opening ? script : QStringLiteral("New File"));
    QVERIFY(!w->Changed());
    QCOMPARE(w->rtfrypAO->SelStart(), 0);
    QCOMPARE(w->rtfrypAO->SelLength(), 0);
    QCOMPARE(w->rtfrypAO->SelColor(), RichTextControl::white());
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
    writeFile(path(QStringLiteral("binary")), QByteArray("/afk\r\n\0\x01", 8));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("folder")));
    const QString previous = path(QStringLiteral("previous"));
    writeFile(previous, "/tell a b\r\n");

    frmWindow* w = makeWindow(previous);
    w->rtfrypAO->setText(QStringLiteral("/tell a b\nmore"));
    m_prompt->answer(PromptAnswer::No);
    m_prompt->choose(path(name));

    w->tmOpen_Timer();

    QCOMPARE(m_prompt->boxes.size(), 2);
    checkErrorBox(m_prompt->boxes.last(), number);
    // The window is as it was, still tied to the file it had.
    QCOMPARE(w->rtfrypAO->Text(), QStringLiteral("/tell a b\nmore"));
    QCOMPARE(w->FileName(), previous);
    QCOMPARE(w->windowTitle(), previous);
    QVERIFY(w->Changed());
    QCOMPARE(readFile(path(QStringLiteral("binary"))), QByteArray("/afk\r\n\0\x01", 8));
    // Still usable: a Save goes to the file it had, not to the bad one.
    w->tmSave_Timer();
    QCOMPARE(readFile(previous), QByteArray("/tell a b\r\nmore"));
    QCOMPARE(readFile(path(QStringLiteral("binary"))), QByteArray("/afk\r\n\0\x01", 8));
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
    int inLine = 0;
    for (int b = 1; b < 256; ++b) {
        if (b == '\r' || b == '\n')
            continue;
        bytes.append(char(b));
        if (++inLine == 16) {
            bytes.append("\r\n");
            inLine = 0;
        }
    }
    bytes.append("/tell Someone hello\r\n\r\n/afk");
    if (finalBreak)
        bytes.append("\r\n");
    const QString file = path(QStringLiteral("all bytes"));
    writeFile(file, bytes);

    frmWindow* w = makeWindow();
    m_prompt->choose(file);
    w->tmOpen_Timer();
    QVERIFY(m_prompt->boxes.isEmpty());
    QCOMPARE(w->rtfrypAO->Text().size(), w->rtfrypAO->textLength());

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

void tst_scriptwindow::openColoursAtOnceAndTimerWaitsForAnEdit()
{
    const QString file = path(QStringLiteral("s"));
    writeFile(file, "/tell Someone hello\r\nsay /wave now\r\n/afk\r\n");
    frmWindow* w = makeWindow();
    RichTextControl& e = *w->rtfrypAO;
    // Green left from an earlier script must not survive the load.
    e.setText(QStringLiteral("/x y"));
    e.select(0, 4);
    e.setSelColor(RichTextControl::green());
    w->setChanged(false);
    m_prompt->choose(file);
    w->tmOpen_Timer();
    QVERIFY(isGreen(e, 0) && isGreen(e, 4));
    QVERIFY(!isGreen(e, 5));
    QVERIFY(isGreen(e, 24) && isGreen(e, 28));  // /wave
    QVERIFY(!isGreen(e, 29));
    QVERIFY(!isGreen(e, 34) && !isGreen(e, 37));  // /afk: no space after it
    QCOMPARE(w->HighlightedLength(), 0);  // Open's pass does not count

    // An edit that changes the length: the tick colours and counts.
    e.setSelStart(e.textLength());
    e.setSelText(QStringLiteral("/tell x y"));
    QVERIFY(w->Changed());
    w->tmHighlight_Timer();
    QCOMPARE(w->HighlightedLength(), e.textLength());
    QVERIFY(isGreen(e, 34));  // "/afk\n/tell" coloured as one span now
    QVERIFY(w->Changed());
}

void tst_scriptwindow::deletedSlashIsWhiteAfterReopen()
{
    const QString file = path(QStringLiteral("s"));
    writeFile(file, "/tell Someone hello\r\n");
    frmWindow* w = makeWindow(file);
    w->rtfrypAO->select(0, 1);
    w->rtfrypAO->setSelText(QString());
    w->tmHighlight_Timer();
    QVERIFY(isGreen(*w->rtfrypAO, 0));  // "tell" stays green
    w->tmSave_Timer();
    QCOMPARE(readFile(file), QByteArray("tell Someone hello\r\n"));
    m_prompt->choose(file);
    w->tmOpen_Timer();
    QVERIFY(!isGreen(*w->rtfrypAO, 0));
}

void tst_scriptwindow::closingWithFailedWriteKeepsWindow()
{
    const QString oldFile = path(QStringLiteral("old"));
    writeFile(oldFile, "old\r\n");
    QPointer<frmWindow> w = makeWindow(oldFile);
    w->show();
    w->rtfrypAO->setText(QStringLiteral("precious"));
    // The file has become a folder meanwhile: the write must fail.
    QVERIFY(QFile::remove(oldFile));
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("old")));
    m_prompt->answer(PromptAnswer::Yes);

    QVERIFY(!w->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->rtfrypAO->Text(), QStringLiteral("precious"));
    QVERIFY(w->Changed());
    QCOMPARE(m_prompt->boxes.size(), 2);
    QCOMPARE(m_prompt->boxes.last().icon, PromptIcon::Critical);
    QVERIFY(m_prompt->boxes.last().text.startsWith(QStringLiteral("Err - ")));

    // Once the player has saved elsewhere, closing goes through.
    m_prompt->clear();
    m_prompt->choose(path(QStringLiteral("elsewhere")));
    w->tmSaveAs_Timer();
    QVERIFY(w->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w);
    QCOMPARE(readFile(path(QStringLiteral("elsewhere"))), QByteArray("precious"));
}

void tst_scriptwindow::timerTicksStopTheirTimer()
{
    // A changed, unnamed window: Save and Save As ask a name, Open asks first.
    frmWindow* w = makeWindow();
    m_prompt->answer(PromptAnswer::No);
    for (int i = 0; i < 3; ++i)
        m_prompt->cancelDialog();
    const std::pair<QTimer*, void (frmWindow::*)()> ticks[] = {{w->tmChanged, &frmWindow::tmChanged_Timer},
                                                               {w->tmSave, &frmWindow::tmSave_Timer},
                                                               {w->tmOpen, &frmWindow::tmOpen_Timer},
                                                               {w->tmSaveAs, &frmWindow::tmSaveAs_Timer}};
    for (const auto& [timer, tick] : ticks) {
        timer->start();
        (w->*tick)();
        QVERIFY2(!timer->isActive(), qPrintable(timer->objectName()));
        QVERIFY(w->Changed());
    }
    QVERIFY(m_prompt->allAnswersUsed());
    QList<FileDialogKind> kinds;
    for (const FileDialogSpec& d : std::as_const(m_prompt->dialogs))
        kinds << d.kind;
    QCOMPARE(kinds, (QList<FileDialogKind>{FileDialogKind::Save, FileDialogKind::Open, FileDialogKind::Save}));
    QCOMPARE(m_prompt->dialogs.last().startFolder, m_state->gamePath);
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
    // Nothing is left pending that could run it a second time.
    QVERIFY(!w->tmSave->isActive());
    QCoreApplication::processEvents();
    QCOMPARE(m_prompt->dialogs.size(), 1);
    QCOMPARE(m_prompt->unplannedDialogs, 0);
    QVERIFY(w->Changed());
}

void tst_scriptwindow::highlightTick_data()
{
    QTest::addColumn<bool>("changed");
    QTest::addColumn<int>("highlightedBefore");  // -1: the current length
    QTest::addColumn<bool>("runs");
    QTest::newRow("changed, new length") << true << 0 << true;
    QTest::newRow("changed, same length") << true << -1 << false;
    QTest::newRow("unchanged, new length") << false << 0 << false;
}

void tst_scriptwindow::highlightTick()
{
    QFETCH(bool, changed);
    QFETCH(int, highlightedBefore);
    QFETCH(bool, runs);
    frmWindow* w = makeWindow();
    RichTextControl& e = *w->rtfrypAO;
    e.setText(QStringLiteral("/tell a b\nchat\n/afk x"));
    if (highlightedBefore < 0) {
        w->setChanged(true);
        w->tmHighlight_Timer();
        // Whiten again, keeping the length: only a pass could make it green.
        e.select(0, e.textLength());
        e.setSelColor(RichTextControl::white());
    }
    w->setChanged(changed);
    e.select(3, 9);
    const int before = w->HighlightedLength();
    w->tmHighlight_Timer();
    QCOMPARE(isGreen(e, 0), runs);
    QCOMPARE(w->HighlightedLength(), runs ? e.textLength() : before);
    QCOMPARE(w->Changed(), changed);
    // The pass leaves the player's selection, across the line break, where it was.
    QCOMPARE(e.SelStart(), 3);
    QCOMPARE(e.SelText(), QStringLiteral("ll a b\nch"));
}

void tst_scriptwindow::printToPdf_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("notExpected");
    QTest::newRow("whole text") << 0 << 0 << "Quentin" << "";
    QTest::newRow("selection only") << 0 << 4 << "/afk" << "Quentin";
}

void tst_scriptwindow::printToPdf()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, expected);
    QFETCH(QString, notExpected);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    frmWindow* w = makeWindow();
    const QString pdf = path(QStringLiteral("print.pdf"));
    w->printer().setPdfTarget(pdf);
    w->rtfrypAO->setText(QStringLiteral("/afk\n/tell Quentin hi"));
    w->setChanged(false);
    w->rtfrypAO->select(start, length);
    w->tmprint->start();
    w->tmprint_Timer();
    QVERIFY(!w->tmprint->isActive());
    QVERIFY(m_prompt->boxes.isEmpty());
    QVERIFY(!w->Changed());
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(p.waitForFinished(30000));
    const QString printed = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(printed.contains(expected), qPrintable(printed));
    if (!notExpected.isEmpty())
        QVERIFY2(!printed.contains(notExpected), qPrintable(printed));
}

void tst_scriptwindow::printFailures_data()
{
    QTest::addColumn<bool>("printerSetUp");  // false: no default printer; true: a folder as the target
    QTest::addColumn<int>("number");
    QTest::newRow("no default printer") << false << int(ErrorNumbers::NoDefaultPrinter);
    QTest::newRow("unwritable target") << true << int(ErrorNumbers::PrintFailed);
}

void tst_scriptwindow::printFailures()
{
    QFETCH(bool, printerSetUp);
    QFETCH(int, number);
    frmWindow* w = makeWindow();
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("taken")));
    if (printerSetUp)
        w->printer().setPdfTarget(path(QStringLiteral("taken")));
    else
        w->printer().setDefaultPrinterLookup([] { return QPrinterInfo(); });
    w->rtfrypAO->setText(QStringLiteral("/afk"));
    w->tlbasxToolbar1_ButtonClick(ToolbarKey::Print);
    QCOMPARE(m_prompt->boxes.size(), 1);
    checkErrorBox(m_prompt->boxes.first(), number);
    if (!printerSetUp)
        QCOMPARE(m_prompt->boxes.first().text, QStringLiteral("Err - %1No default printer is set up.").arg(number));
    QCOMPARE(w->rtfrypAO->Text(), QStringLiteral("/afk"));
}

QTEST_MAIN(tst_scriptwindow)
#include "tst_scriptwindow.moc"
