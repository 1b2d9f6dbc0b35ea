#include "ScriptedPrompt.h"
#include "TestFiles.h"

#include "state/AppState.h"
#include "platform/Settings.h"
#include "catalogue/Catalogue.h"
#include "editor/DiskWatch.h"
#include "editor/ScriptWindow.h"
#include "platform/ErrorNumbers.h"
#include "platform/RichTextControl.h"
#include "platform/ScriptCodec.h"

#include <QPrinter>
#include <QClipboard>
#include <QTextCursor>
#include <QtTest>

#include <cerrno>
#include <sys/mount.h>

namespace {
// Room for `room` more bytes; then a write is taken only in part and the next one
// fails, as on a file system running full.
struct FullDisk : QFile {
    FullDisk(const QString& path, qint64 room) : QFile(path), room(room) {}
    qint64 writeData(const char* data, qint64 len) override
    {
        setErrorString(qt_error_string(ENOSPC));
        const qint64 n = room > 0 ? QFile::writeData(data, std::min(len, room)) : -1;
        room -= std::max<qint64>(n, 0);
        return n;
    }
    qint64 room;
};
}

class tst_scriptwindow : public QObject {
    Q_OBJECT
    struct Env {
        QTemporaryDir dir;
        ScriptedPrompt prompt;
        Catalogue catalogue{prompt, QString()};
        Settings settings;
        AppState state{prompt, catalogue, settings};
    };
    std::unique_ptr<Env> m_env;
    ScriptedPrompt* m_prompt = nullptr;
    QList<QPointer<ScriptWindow>> m_windows;
    QString m_mounted;

    QString path(const QString& name) const { return m_env->dir.filePath(name); }
    // A new script window, with `file` opened into it when one is given.
    ScriptWindow* makeWindow(const QString& file = {})
    {
        auto* w = new ScriptWindow(m_env->state);
        m_windows << w;
        if (!file.isEmpty()) {
            m_prompt->choose(file);
            w->open();
            m_prompt->clear();
        }
        return w;
    }

private slots:
    void init()
    {
        m_env = std::make_unique<Env>();
        m_prompt = &m_env->prompt;
        m_env->state.setGamePath(m_env->dir.path() + u'/');
    }
    void cleanup()
    {
        qDeleteAll(m_windows);  // those still open
        m_windows.clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!m_mounted.isEmpty())
            ::umount2(QFile::encodeName(m_mounted).constData(), MNT_DETACH);
        m_mounted.clear();
    }

    void save_data()
    {
        QTest::addColumn<QString>("action");  // Save, Save As, or Save of a new script
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("answer");  // to the one question expected; "" none
        QTest::addColumn<QByteArray>("file"); // the target afterwards
        const QString script = QStringLiteral("/tell bob\n/afk");
        const QString foreign = QStringLiteral("/tell Bob \u00E9t\u00E9 \u20AC5\n/say \u2192 \u0151k\n/afk \u2713");
        QTest::newRow("Save of a new script asks a name") << "Save new" << script << "" << QByteArray("/tell bob\r\n/afk");
        QTest::newRow("Save As, overwrite yes") << "Save As" << script << "yes" << QByteArray("/tell bob\r\n/afk");
        QTest::newRow("Save As, overwrite no") << "Save As" << script << "no" << QByteArray("old\r\n");
        QTest::newRow("characters the file cannot hold, saved anyway as \"?\"")
            << "Save" << foreign << "yes" << QByteArray("/tell Bob \xE9t\xE9 \x80" "5\r\n/say ? ?k\r\n/afk ?");
        QTest::newRow("characters the file cannot hold, cancelled") << "Save" << foreign << "no" << QByteArray("old\r\n");
        QTest::newRow("a NUL Open would refuse, cancelled") << "Save" << QString::fromUtf16(u"a\0b", 3) << "no" << QByteArray("old\r\n");
        QTest::newRow("a line Open would refuse, cancelled")
            << "Save" << QString(ScriptFile::kLongestLine + 1, u'x') << "no" << QByteArray("old\r\n");
    }
    // A script without a file asks a name, Save As asks before it writes over a file,
    // and characters the file cannot hold are warned of first. The title names the
    // file the next Save writes to and marks unsaved changes.
    void save()
    {
        QFETCH(QString, action);
        QFETCH(QString, text);
        QFETCH(QString, answer);
        QFETCH(QByteArray, file);
        const bool named = action == "Save";
        const bool written = file != "old\r\n";
        const QString target = path(QStringLiteral("target"));
        writeFile(target, "old\r\n");
        QVERIFY(QDir(m_env->dir.path()).mkdir(QStringLiteral("Scripts")));
        ScriptWindow* w = makeWindow(named ? target : QString());
        w->editor()->setText(text);
        if (!named)
            m_prompt->choose(target);
        if (!answer.isEmpty())
            m_prompt->answer(answer == "yes" ? PromptAnswer::Yes : PromptAnswer::No);
        action == "Save As" ? w->saveAs() : w->save();
        QVERIFY(m_prompt->allAnswersUsed());
        QCOMPARE(m_prompt->unplannedBoxes, 0);
        if (!named)  // a new script goes to the game's scripts folder, whatever its letter case
            QCOMPARE(m_prompt->dialogs.first().startFolder, path(QStringLiteral("Scripts")));
        QCOMPARE(readFile(target), file);
        QCOMPARE(w->isChanged(), !written);
        QCOMPARE(w->fileName(), named || written ? target : QString());
        // The name alone: the full path is the title bar's tooltip.
        QCOMPARE(w->windowTitle(), (w->fileName().isEmpty() ? QStringLiteral("New File") : QStringLiteral("target")) + QStringLiteral("[*]"));
        QCOMPARE(w->isWindowModified(), !written);
    }

    void paste_data()
    {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("notice");  // the box's title; "" none
        QTest::newRow("a line") << "/afk\n/sit" << "/afk\n/sit" << "";
        QTest::newRow("NUL and controls left out, tab kept")
            << QString::fromUtf16(u"/t a\0b\x01" u"c\td", 10) << "/t abc\td" << "Characters Left Out";
        QTest::newRow("a line over the limit: nothing")
            << QStringLiteral("/afk\n") + QString(ScriptFile::kLongestLine + 1, u'x') << "" << "Text Not Pasted";
    }
    // A paste brings in only what Save can write and Open read again.
    void paste()
    {
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        QFETCH(QString, notice);
        ScriptWindow* w = makeWindow();
        QGuiApplication::clipboard()->setText(pasted);
        w->editor()->paste();
        QCOMPARE(w->editor()->Text(), shown);
        QCOMPARE(m_prompt->boxes.size(), notice.isEmpty() ? 0 : 1);
        if (!notice.isEmpty())
            QCOMPARE(m_prompt->boxes[0].title, notice);
    }

    void failedSaveLosesNothing_data()
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
    void failedSaveLosesNothing()
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
            // 64 KB of pages: the filler's, and one for the old file.
            writeFile(disk + QStringLiteral("/filler"), QByteArray(60 * 1024 - room, 'f'));
        }
        const QString old = disk + QStringLiteral("/old");
        writeFile(old, "old\r\n");
        const bool fresh = action.endsWith(" new");
        QPointer<ScriptWindow> w = makeWindow(!fresh || action.startsWith("Save As") ? old : QString());
        if (!tmpfs)
            w->scriptFile().setSaveTarget([room](const QString& p) { return std::make_unique<FullDisk>(p, room); });
        w->show();
        const QString script = QStringLiteral("/tell Bob hello\n").repeated(800);
        w->editor()->setText(script);
        if (!action.startsWith("Save"))
            m_prompt->answer(PromptAnswer::Save);
        if (fresh)
            m_prompt->choose(disk + QStringLiteral("/new"));
        if (action == "Save As over") {
            m_prompt->choose(old);
            m_prompt->answer(PromptAnswer::Yes);
        }
        m_prompt->answer(PromptAnswer::Ok);  // the error box

        if (action.startsWith("Save As"))
            w->saveAs();
        else if (action.startsWith("Close"))
            QVERIFY(!w->close());
        else
            w->runToolbarKey(action == "Open" ? ToolbarKey::Open : action == "New" ? ToolbarKey::New : ToolbarKey::Save);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // A failed save stops Open before its dialog: that would be one unplanned.
        QVERIFY(m_prompt->allAnswersUsed());
        QCOMPARE(m_prompt->unplannedBoxes + m_prompt->unplannedDialogs, 0);
        const MessageBoxRequest box = m_prompt->boxes.last();
        QCOMPARE(box.title, QStringLiteral("Could not save ") + (fresh ? QStringLiteral("new") : QStringLiteral("old")));
        QVERIFY2(box.text.contains(qt_error_string(ENOSPC)) && box.text.contains(fresh ? disk + "/new" : old), qPrintable(box.text));
        QVERIFY(box.details.contains(QStringLiteral("Operation: save")) && box.details.contains(QStringLiteral("Error number: ")));
        QCOMPARE(readFile(old), QByteArray("old\r\n"));
        QCOMPARE(QDir(disk).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name),
                 tmpfs ? QStringList({"filler", "old"}) : QStringList({"old"}));
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->editor()->Text(), script);
        QVERIFY(w->isChanged());
        // A chosen name is kept, so the next Save tries it again without a dialog.
        QCOMPARE(w->fileName(), fresh ? disk + QStringLiteral("/new") : old);
    }

    void askingToSave_data()
    {
        QTest::addColumn<QString>("action");  // Open, Open cancelled, New or Close
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("answer");  // "" unchanged: no question
        for (const char* action : {"Open", "New", "Close"}) {
            const auto row = [&](const char* name, bool named, const char* answer) {
                QTest::addRow("%s: %s", action, name) << QString::fromLatin1(action) << named << QString::fromLatin1(answer);
            };
            row("unchanged", true, "");
            row("named, save", true, "save");
            row("discard loses the edit", false, "discard");
            row("Escape keeps all", true, "cancel");
            row("unnamed, save", false, "save");
            row("unnamed, save, dialog left", false, "save, dialog left");
        }
        QTest::newRow("Open cancelled keeps all") << "Open cancelled" << false << "discard";
    }
    // Open, New and closing all ask Save / Discard / Cancel about a changed script,
    // naming it; the answer and any save dialog decide what is written before the
    // window moves on, and Cancel (Escape) keeps the window as it was.
    void askingToSave()
    {
        QFETCH(QString, action);
        QFETCH(bool, named);
        QFETCH(QString, answer);
        const bool opening = action.startsWith("Open");
        const bool save = answer.startsWith("save");
        // Leaving the save dialog after Save stops the action that asked: the text stays.
        const bool stopped = answer == "save, dialog left" || answer == "cancel";
        const bool saved = !named && answer == "save";  // into a file chosen then
        const QString script = path(QStringLiteral("script"));
        const QString oldFile = path(QStringLiteral("old"));
        writeFile(script, "/tell Someone hello\r\n");
        writeFile(oldFile, "old\r\n");
        QPointer<ScriptWindow> w = makeWindow(named ? oldFile : QString());
        w->show();
        w->editor()->setText(QStringLiteral("/tell x y"));
        w->setChanged(!answer.isEmpty());
        if (!answer.isEmpty())
            m_prompt->answer(save ? PromptAnswer::Save : answer == "cancel" ? PromptAnswer::Cancel : PromptAnswer::Discard);
        if (save && !named)
            m_prompt->choose(saved ? path(QStringLiteral("saved")) : QString());
        if (opening && !stopped)
            m_prompt->choose(action == "Open" ? script : QString());

        if (opening)
            w->open();
        else if (action == "New")
            w->runToolbarKey(ToolbarKey::New);
        else
            QCOMPARE(w->close(), !stopped);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(m_prompt->allAnswersUsed());
        QCOMPARE(m_prompt->unplannedBoxes + m_prompt->unplannedDialogs, 0);
        QCOMPARE(m_prompt->boxes.size(), answer.isEmpty() ? 0 : 1);
        if (!answer.isEmpty()) {
            const MessageBoxRequest& box = m_prompt->boxes.first();
            QCOMPARE(box.buttons, PromptButtons::SaveDiscardCancel);
            QCOMPARE(box.icon, PromptIcon::Question);
            QVERIFY2(box.text.contains(named ? QStringLiteral("'old'") : QStringLiteral("'New File'")), qPrintable(box.text));
        }
        QCOMPARE(readFile(oldFile), named && answer == "save" ? QByteArray("/tell x y") : QByteArray("old\r\n"));
        QCOMPARE(readFile(path(QStringLiteral("saved"))), saved ? QByteArray("/tell x y") : QByteArray("<missing>"));
        // Kept: the window holds its text; otherwise it holds the opened script or none.
        const bool kept = stopped || action == "Open cancelled";
        QCOMPARE(!w, action == "Close" && !kept);
        if (!w)
            return;
        QCOMPARE(w->editor()->Text(), kept ? QStringLiteral("/tell x y") : opening ? QStringLiteral("/tell Someone hello\n") : QString());
        QCOMPARE(w->fileName(), opening && !kept ? script : named && kept ? oldFile : QString());
        QCOMPARE(w->isChanged(), kept);
    }

    void diskChanges_data()
    {
        QTest::addColumn<QString>("disk");    // what another program does to the file
        QTest::addColumn<bool>("edited");     // the window has unsaved changes
        QTest::addColumn<QString>("answer");  // to the one question expected; "" none
        QTest::addColumn<QString>("shown");   // the window's text afterwards
        QTest::newRow("appended, nothing unsaved: read again") << "append" << false << "" << "/afk\n/sit\n";
        QTest::newRow("appended, unsaved: Reload") << "append" << true << "reload" << "/afk\n/sit\n";
        QTest::newRow("appended, unsaved: Keep Mine") << "append" << true << "keep" << "/wave";
        QTest::newRow("deleted: changed, saved again") << "delete" << false << "" << "/afk\n";
        QTest::newRow("our own save: nothing") << "save" << true << "" << "/wave";
    }
    // Another program's change to an open script is noticed: read again when nothing
    // here is unsaved, asked about at once otherwise; a deleted file makes the window
    // changed and says so, and Save writes it again where it was.
    void diskChanges()
    {
        QFETCH(QString, disk);
        QFETCH(bool, edited);
        QFETCH(QString, answer);
        QFETCH(QString, shown);
        const QString file = path(QStringLiteral("pull.txt"));
        writeFile(file, "/afk\r\n");
        ScriptWindow* w = makeWindow(file);
        QSignalSpy notes(w, &ScriptWindow::statusNote);
        if (edited)
            w->editor()->setText(QStringLiteral("/wave"));
        if (disk == "append")
            writeFile(file, "/afk\r\n/sit\r\n");
        else if (disk == "delete")
            QVERIFY(QFile::remove(file));
        else
            QVERIFY(w->save());
        if (!answer.isEmpty())
            m_prompt->answer(answer == "reload" ? PromptAnswer::Reload : PromptAnswer::Keep);
        w->findChild<DiskWatch*>()->check();
        QVERIFY(m_prompt->allAnswersUsed());
        QCOMPARE(m_prompt->boxes.size(), answer.isEmpty() ? 0 : 1);
        QCOMPARE(w->editor()->Text(), shown);
        QCOMPARE(notes.size(), disk == "append" && answer != "keep" ? 1 : 0);
        QCOMPARE(w->isChanged(), answer == "keep" || disk == "delete");
        QCOMPARE(w->windowTitle().contains(QStringLiteral("deleted")), disk == "delete");
        QVERIFY(w->save());
        QCOMPARE(readFile(file), ScriptCodec::encode(shown));
    }

    void openBadFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("why");  // in words, in the box itself
        QTest::newRow("nul byte") << "binary" << ErrorNumbers::NotAScript << "NUL byte";
        QTest::newRow("missing") << "missing" << int(QFileDevice::OpenError) << "No such file or directory";
        QTest::newRow("folder") << "." << ErrorNumbers::NotARegularFile << "not a file";
    }
    // A file that cannot be opened changes nothing in the window, which stays tied to
    // the file it had: the next Save goes there.
    void openBadFiles()
    {
        QFETCH(QString, name);
        QFETCH(int, number);
        QFETCH(QString, why);
        writeFile(path(QStringLiteral("binary")), QByteArray("/afk\r\n\0\x01", 8));
        const QString previous = path(QStringLiteral("previous"));
        writeFile(previous, "/tell a b\r\n");
        ScriptWindow* w = makeWindow(previous);
        w->editor()->setText(QStringLiteral("/tell a b\nmore"));
        m_prompt->answer(PromptAnswer::Discard);
        m_prompt->choose(path(name));
        w->open();
        QCOMPARE(m_prompt->boxes.size(), 2);
        // The box names the file, so among several opened at once each is told apart.
        const MessageBoxRequest box = m_prompt->boxes.last();
        QCOMPARE(box.title, QStringLiteral("Could not open ") + QFileInfo(QDir::cleanPath(path(name))).fileName());
        QVERIFY2(box.text.contains(path(name)) && box.text.contains(why), qPrintable(box.text));
        QVERIFY(box.details.contains(QStringLiteral("Error number: %1").arg(number)));
        QCOMPARE(w->editor()->Text(), QStringLiteral("/tell a b\nmore"));
        QCOMPARE(w->fileName(), previous);
        QVERIFY(w->isChanged());
    }

    void openedFileSavesBackByteForByte_data()
    {
        QTest::addColumn<QByteArray>("lineEnd");
        QTest::addColumn<QByteArray>("end");
        QTest::newRow("ends with CR LF") << QByteArray("\r\n") << QByteArray("/afk\r\n");
        QTest::newRow("last line without break") << QByteArray("\r\n") << QByteArray("/afk");
        QTest::newRow("CR CR LF lines") << QByteArray("\r\r\n") << QByteArray("/afk\r\r\n");
    }
    // Saved untouched elsewhere, an opened script is the file it came from.
    void openedFileSavesBackByteForByte()
    {
        QFETCH(QByteArray, lineEnd);
        QFETCH(QByteArray, end);
        // Every byte value but NUL, CR and LF, broken into lines, an empty one among them.
        QByteArray bytes;
        for (int b = 1; b < 256; ++b) {
            if (b != '\r' && b != '\n')
                bytes.append(char(b));
            if (b % 16 == 0)
                bytes.append(lineEnd);
        }
        bytes += lineEnd + lineEnd + end;
        writeFile(path(QStringLiteral("all bytes")), bytes);
        ScriptWindow* w = makeWindow(path(QStringLiteral("all bytes")));
        m_prompt->choose(path(QStringLiteral("copy")));
        w->saveAs();
        QCOMPARE(readFile(path(QStringLiteral("copy"))), bytes);
    }

    // Print asks where to print: leaving the dialog prints nothing and says nothing,
    // a PDF file needs no printer, and a refused job names the script.
    void print()
    {
        ScriptWindow* w = makeWindow();
        w->editor()->setText(QStringLiteral("/tell bob"));
        const QString pdf = path(QStringLiteral("page.pdf"));
        for (const QString& target : {QString(), pdf, QStringLiteral("/no/such/folder/page.pdf")}) {
            w->printer().setChoosePrinter([&target](QPrinter& printer, QWidget*) {
                printer.setOutputFileName(target);
                return !target.isEmpty();
            });
            QCOMPARE(w->print(), target == pdf);
        }
        QVERIFY(readFile(pdf).startsWith("%PDF"));
        w->printer().setPreview([&pdf](QPrinter& printer, QWidget*, const std::function<void(QPrinter*)>& paint) {
            printer.setOutputFileName(pdf + QStringLiteral(".preview"));
            paint(&printer);
        });
        w->printPreview();
        QVERIFY(readFile(pdf + QStringLiteral(".preview")).startsWith("%PDF"));
        QCOMPARE(m_prompt->boxes.size(), 1);
        QCOMPARE(m_prompt->boxes[0].title, QStringLiteral("Could not print New File"));
    }

    // Opening colours the commands at once, and nothing green survives from the text
    // the window held before. Colouring is no edit.
    void colouringOnLoad()
    {
        ScriptWindow* w = makeWindow();
        RichTextControl& e = *w->editor();
        const auto isGreen = [&e](int pos) {
            QTextCursor c(e.document());
            c.setPosition(pos + 1);
            return c.charFormat().foreground().color() == RichTextControl::green();
        };
        e.setText(QStringLiteral("/tell x y"));
        e.select(0, 5);
        e.setSelColor(RichTextControl::green());
        writeFile(path(QStringLiteral("s")), "tell Someone hello\r\n/wave now\r\n");
        m_prompt->answer(PromptAnswer::Discard);
        m_prompt->choose(path(QStringLiteral("s")));
        w->open();
        QVERIFY(!isGreen(0));
        QVERIFY(isGreen(19) && isGreen(23));  // /wave
        QVERIFY(!isGreen(24));
        QVERIFY(!w->isChanged());
        QVERIFY(!e.document()->isUndoAvailable());  // the colouring of a load is no step to undo
    }
};

QTEST_MAIN(tst_scriptwindow)
#include "tst_scriptwindow.moc"
