#include "support/Child.h"
#include "MainWindowFixture.h"
#include "TestFiles.h"

#include "app/MainMenuCommands.h"
#include "app/RecentScripts.h"
#include "app/RecentScriptsMenu.h"
#include "app/MainWindow.h"
#include "app/MenuItems.h"
#include "tree/CommandTreePanel.h"
#include "editor/RunPreviewPanel.h"
#include "app/InserterMenu.h"
#include "app/MenuItems.h"
#include "dialogs/FindDialog.h"
#include "editor/ScriptCheckPanel.h"
#include "editor/ScriptWindow.h"
#include "platform/RichTextControl.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QTextCursor>
#include <QToolBar>
#include <QLineEdit>
#include <QSettings>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <unistd.h>

// The main window as the player gets it, with its one empty script window.
class tst_mainmenu : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> m_f;

    void trigger(const QString& item) { m_f->main->findChild<QAction*>(item)->trigger(); }
    QMdiArea& area() const { return m_f->main->scriptArea(); }
    QString path(const QString& name) const { return m_f->dir.filePath(name); }
    ScriptWindow* addWindow()
    {
        trigger(QStringLiteral("mnuNew"));
        return m_f->main->activeScriptWindow();
    }
    ScriptWindow* openWindow(const QString& file)
    {
        ScriptWindow* w = addWindow();
        m_f->prompt.choose(file);
        w->open();
        m_f->prompt.clear();
        return w;
    }
    void closeAll()
    {
        area().closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private slots:
    void init()
    {
        m_f = std::make_unique<MainWindowFixture>();
        // Names for the pet menu: first names of two sexes, one epithet, no unisex name.
        m_f->catalogue->addName(QStringLiteral("Rex"), 0, QStringLiteral("M"));
        m_f->catalogue->addName(QStringLiteral("Bella"), 0, QStringLiteral("F"));
        m_f->catalogue->addName(QStringLiteral("Bold"), 1, QStringLiteral("M"));
        QVERIFY(m_f->startShown());
        m_f->prompt.clear();
    }
    void cleanup()
    {
        for (QMdiSubWindow* w : area().subWindowList())
            static_cast<ScriptWindow*>(w)->setChanged(false);
        m_f.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void commandsWithoutWindowDoNothing_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"mnuSave", "mnuSaveAs", "mnuPrint", "mnuClear", "mnuTileHorizontally", "mnuMaxAll",
                                 "mnuMe", "mnuBreeds_0", "mnuBreeds_3", "mnuRename_0", "mnuRename_5"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void commandsWithoutWindowDoNothing()
    {
        QFETCH(QString, name);
        closeAll();
        trigger(name);
        QCoreApplication::processEvents();
        QVERIFY(area().subWindowList().isEmpty());
        QVERIFY(m_f->prompt.boxes.isEmpty() && m_f->prompt.dialogs.isEmpty());
    }

    // Variables, breeds and professions go after the selection, a pet's new name takes
    // its place; either way in white even after a green command, the caret after it.
    void insertItems_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("before");  // its first five characters green
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QStringList>("after");  // any one of these; none: nothing written
        // A pet's new name is a line of its own, below the selection's line.
        const QString rename = QStringLiteral("say abc\n/pet rename \"%1\"\nnext");
        QTest::newRow("fighting target in an empty script") << "mnuCurrentF" << "" << 0 << 0 << QStringList{" %f"};
        QTest::newRow("argument 9 after a selection over a line break") << "mnuArgs_9" << "ab\ncd" << 1 << 3
                                                                         << QStringList{"ab\nc %9d"};
        QTest::newRow("listed breed after a green command") << "mnuBreeds_2" << "/tell" << 5 << 0 << QStringList{"/tell Opifex"};
        QTest::newRow("random profession") << "mnuProfessions_0" << "abc" << 0 << 3
                                           << QStringList{"abc Adventurer", "abc Agent", "abc Meta-Physicist"};
        QTest::newRow("female pet name") << "mnuRename_2" << "say abc\nnext" << 4 << 3 << QStringList{rename.arg("Bella")};
        QTest::newRow("fantasy pet name") << "mnuRename_5" << "say abc\nnext" << 4 << 3
                                          << QStringList{rename.arg("Rex the Bold"), rename.arg("Bella the Bold")};
        QTest::newRow("no unisex name to be had") << "mnuRename_3" << "say abc\nnext" << 4 << 3 << QStringList{};
    }
    void insertItems()
    {
        QFETCH(QString, item);
        QFETCH(QString, before);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QStringList, after);
        RichTextControl& editor = *m_f->main->activeScriptWindow()->editor();
        editor.setText(before);
        editor.select(0, 5);
        editor.setSelColor(RichTextControl::green());
        editor.select(selStart, selLength);
        trigger(item);
        const QString text = editor.Text();
        if (after.isEmpty()) {
            QCOMPARE(text, before);
            QCOMPARE(editor.SelText(), before.mid(selStart, selLength));
            return;
        }
        QVERIFY2(after.contains(text), qPrintable(text));
        // The caret stands after what was written, before the rest of the text.
        const qsizetype rest = item.startsWith(QLatin1String("mnuRename"))
                                   ? before.size() - before.indexOf(u'\n', selStart) - 1
                                   : before.size() - selStart - selLength;
        const int caret = int(text.size() - rest);
        QCOMPARE(editor.SelStart(), caret);
        QCOMPARE(editor.SelLength(), 0);
        QTextCursor last(editor.document());
        last.setPosition(caret - 1);  // the format left of it: the last written character but one
        QCOMPARE(last.charFormat().foreground().color(), RichTextControl::white());
        QVERIFY(m_f->prompt.boxes.isEmpty());
    }

    // With no script window open, File > Open makes one for the script.
    void openWithoutWindow()
    {
        const QString script = path(QStringLiteral("s"));
        writeFile(script, "/afk\r\n");
        closeAll();
        m_f->prompt.choose(script);
        trigger(QStringLiteral("mnuOpen"));
        QVERIFY(m_f->main->activeScriptWindow());
        QTRY_COMPARE(m_f->main->activeScriptWindow()->editor()->Text(), QStringLiteral("/afk\n"));
    }

    void oneFileOneWindow_data()
    {
        QTest::addColumn<QString>("via");       // File > Open, Save As, or the command line
        QTest::addColumn<QString>("spelling");  // how the second path names the file
        for (const char* via : {"Open", "Save As", "command line"})
            for (const char* spelling : {"sub/../s", "link", "hard link"})
                QTest::addRow("%s by %s", via, spelling) << QString::fromLatin1(via) << QString::fromLatin1(spelling);
    }
    // A script open in one window, named again by any path, brings that window forward:
    // a second window on it would save over the first, and Save As writes nothing.
    void oneFileOneWindow()
    {
        const QString s = path(QStringLiteral("s"));
        writeFile(s, "/afk\r\n");
        QVERIFY(QDir(m_f->dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(QFile::link(s, path(QStringLiteral("link"))));
        QVERIFY(::link(QFile::encodeName(s).constData(), QFile::encodeName(path(QStringLiteral("hard link"))).constData()) == 0);
        QFETCH(QString, via);
        QFETCH(QString, spelling);
        ScriptWindow* holder = openWindow(s);
        ScriptWindow* other = addWindow();
        other->editor()->setText(QStringLiteral("/sit"));
        const QString again = path(spelling);
        if (via == "command line") {
            m_f->main->openScripts({again});
        } else {
            m_f->prompt.answer(PromptAnswer::Discard);  // Open's question about the other script
            m_f->prompt.choose(again);
            trigger(via == "Open" ? QStringLiteral("mnuOpen") : QStringLiteral("mnuSaveAs"));
        }
        QCOMPARE(area().subWindowList().size(), 3);
        QCOMPARE(m_f->main->activeScriptWindow(), holder);
        QCOMPARE(other->editor()->Text(), QStringLiteral("/sit"));
        QCOMPARE(other->fileName(), QString());
        QCOMPARE(readFile(s), QByteArray("/afk\r\n"));
    }

    // The untouched first window takes the first script, a new window each further one;
    // a missing file gets Open's error box each time and leaves no window behind. The
    // recent list holds what opened; chosen there once deleted, a script leaves it.
    void missingFileAmongGoodOnes()
    {
        const QString a = path(QStringLiteral("a")), b = path(QStringLiteral("b"));
        writeFile(a, "/afk\r\n");
        writeFile(b, "/sit\r\n");
        m_f->main->openScripts({a, path(QStringLiteral("gone")), b, path(QStringLiteral("gone"))});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList titles;
        for (const QMdiSubWindow* window : area().subWindowList())
            titles << qobject_cast<const ScriptWindow*>(window)->fileName();
        QCOMPARE(titles, (QStringList{a, b}));
        QCOMPARE(m_f->prompt.boxes.size(), 2);
        QCOMPARE(RecentScripts::load().paths(), (QStringList{b, a}));
        m_f->main->openScripts({a});  // already open: shown, and the newest again
        QCOMPARE(RecentScripts::load().paths(), (QStringList{a, b}));
        QVERIFY(QFile::remove(a));
        m_f->main->findChild<RecentScriptsMenu*>()->openRecent(a);
        QCOMPARE(m_f->prompt.boxes.size(), 3);
        QCOMPARE(m_f->prompt.boxes[2].text, RecentScripts::missingText(a));
        QCOMPARE(RecentScripts::load().paths(), QStringList{b});
    }

    // The band arithmetic has its own tests; here the menu lays the open windows into
    // the area, the active one first, restores a maximised one and leaves a minimised
    // one where it is.
    void tiling()
    {
        ScriptWindow* minimised = m_f->main->activeScriptWindow();
        minimised->showMinimized();
        for (int i = 0; i < 3; ++i)
            addWindow();
        QMdiSubWindow* active = area().currentSubWindow();
        for (const char* item : {"mnuTileHorizontally", "mnuTileVertically", "mnuCascade"}) {
            active->showMaximized();
            trigger(QString::fromLatin1(item));
            QVERIFY(minimised->isMinimized() && !active->isMaximized());
            QCOMPARE(area().currentSubWindow(), active);
        }
        // Cascaded, the active window is in front and lowest, each title bar above it in sight.
        QCOMPARE(area().subWindowList(QMdiArea::StackingOrder).constLast(), active);
        for (QMdiSubWindow* other : area().subWindowList())
            QVERIFY(other == active || other->isMinimized() || other->geometry().top() < active->geometry().top());
    }

    // Windows are told apart by name: unsaved ones are numbered, a script shows its
    // file's name, and the main window names the active one.
    void titles_data()
    {
        QTest::addColumn<QString>("steps");  // N File > New, O open pull.txt, E edit, X close the first
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<QString>("mainTitle");
        QTest::newRow("two unsaved") << "N" << QStringList{"New File", "New File 2"} << "New File 2 - Zandrel";
        QTest::newRow("a script, changed") << "OE" << QStringList{"New File", "pull.txt*"} << "pull.txt* - Zandrel";
        QTest::newRow("a closed window's number is free again") << "NXN" << QStringList{"New File 2", "New File"}
                                                              << "New File - Zandrel";
    }
    void titles()
    {
        QFETCH(QString, steps);
        QFETCH(QStringList, titles);
        QFETCH(QString, mainTitle);
        const QString script = path(QStringLiteral("pull.txt"));
        writeFile(script, "/afk\r\n");
        QMdiSubWindow* first = area().currentSubWindow();
        for (const QChar step : steps) {
            if (step == u'N')
                addWindow();
            else if (step == u'O')
                openWindow(script);
            else if (step == u'E')
                m_f->main->activeScriptWindow()->editor()->setText(QStringLiteral("/sit"));
            else
                first->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QStringList shown;
        for (QMdiSubWindow* w : area().subWindowList(QMdiArea::CreationOrder))
            shown << MenuItems::shownTitle(*w);
        QCOMPARE(shown, titles);
        QCOMPARE(m_f->main->windowTitle(), mainTitle);
        const QString status = m_f->main->findChild<QLabel*>(QStringLiteral("statusLabel"))->text();
        QCOMPARE(status.contains(script), steps.contains(u'O'));
    }

    // Screen readers name every toolbar button and panel in words, not by its caption.
    void accessibleNames()
    {
        const QToolBar* bar = m_f->main->activeScriptWindow()->findChild<QToolBar*>(QStringLiteral("toolbar"));
        for (QAction* action : bar->actions())
            if (!action->isSeparator())
                QVERIFY2(bar->widgetForAction(action)->accessibleName().contains(u' '), qPrintable(action->objectName()));
        for (const char* panel : {"tree", "editor", "filterField", "scriptArea"})
            QVERIFY2(!m_f->main->findChild<QWidget*>(QLatin1String(panel))->accessibleName().isEmpty(), panel);
    }

    // Alt and a letter reach exactly one entry of each menu, and one button of the find
    // dialog; the catalogue's breeds get theirs as their menu opens.
    void accessKeysUnique()
    {
        m_f->main->specialMenu().addBreed(QStringLiteral("Atrox"));
        m_f->main->specialMenu().addBreed(QStringLiteral("Random"));
        FindDialog find(m_f->prompt, nullptr);
        QList<QStringList> groups{{}};
        for (QAbstractButton* button : find.findChildren<QAbstractButton*>())
            groups.first() << button->text();
        QList<QWidget*> menus{m_f->main->menuBar()};
        for (QMenu* menu : m_f->main->findChildren<QMenu*>())
            menus << menu;
        for (QWidget* menu : menus) {
            if (auto* popup = qobject_cast<QMenu*>(menu))
                emit popup->aboutToShow();
            groups << QStringList();
            for (const QAction* item : menu->actions())
                if (!item->isSeparator() && item->isVisible())
                    groups.last() << item->text();
        }
        for (const QStringList& captions : groups) {
            QString keys;
            for (const QString& caption : captions) {
                QVERIFY2(!MenuItems::accessKey(caption).isNull() && !keys.contains(MenuItems::accessKey(caption)), qPrintable(caption));
                keys += MenuItems::accessKey(caption);
            }
        }
    }

    void windowList()
    {
        const QString script = path(QStringLiteral("R&D"));
        writeFile(script, "/afk\r\n");
        ScriptWindow* first = m_f->main->activeScriptWindow();
        openWindow(script);
        MainMenuCommands& menu = m_f->main->mainMenu();
        menu.listWindows();
        menu.listWindows();  // listing again replaces, never repeats
        QList<QAction*> entries = menu.windowListEntries();
        QCOMPARE(entries.size(), 3);  // a separator, then the windows
        QCOMPARE(entries.at(2)->text(), QStringLiteral("&2 R&&D"));
        QVERIFY(entries.at(2)->isChecked() && !entries.at(1)->isChecked());
        first->showMinimized();
        entries.at(1)->trigger();
        QCOMPARE(area().currentSubWindow(), first);
        QVERIFY(!first->isMinimized());
    }

    // Enter on a finding puts the caret on its line; a clean script shows one row
    // that goes nowhere. Neither changes the script.
    void checkScriptPanel_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("rowLines");  // the line shown in each row
        QTest::addColumn<int>("caret");             // after Enter on the first row
        QTest::newRow("two mistakes") << "/tell Bob\n\n/tel Bob\n/delay soon" << QStringList{"/tel Bob", "/delay soon"} << 11;
        QTest::newRow("a clean script") << "/tell Bob\n/delay 5000" << QStringList{""} << 21;
    }
    void checkScriptPanel()
    {
        QFETCH(QString, script);
        QFETCH(QStringList, rowLines);
        QFETCH(int, caret);
        ScriptWindow* window = m_f->main->activeScriptWindow();
        window->editor()->setText(script);
        window->setChanged(false);
        window->editor()->setSelStart(int(script.size()));
        trigger(QStringLiteral("mnuCheckScript"));
        auto* panel = m_f->main->findChild<ScriptCheckPanel*>();
        QVERIFY(panel && panel->isVisibleTo(m_f->main.get()));
        QStringList shown;
        for (int i = 0; i < panel->topLevelItemCount(); ++i)
            shown << panel->topLevelItem(i)->text(1);
        QCOMPARE(shown, rowLines);
        panel->setCurrentItem(panel->topLevelItem(0));
        QTest::keyClick(panel, Qt::Key_Return);
        QCOMPARE(window->editor()->SelStart(), caret);
        QCOMPARE(window->editor()->Text(), script);
        QVERIFY(!window->isChanged());
    }

    // The run preview follows an edit after a pause and keeps the words typed for %1; a
    // double-click on a row goes to its line, opening the script the line comes from.
    void runPreviewPanel_data()
    {
        QTest::addColumn<int>("child");  // of the second row, or -1 for that row
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("caret");
        QTest::newRow("a line of the script") << -1 << "" << 9;
        QTest::newRow("a line of the script it starts") << 1 << "buffs.txt" << 7;
    }
    void runPreviewPanel()
    {
        QFETCH(int, child);
        QFETCH(QString, file);
        QFETCH(int, caret);
        QVERIFY(QDir(m_f->dir.path()).mkpath(QStringLiteral("scripts")));
        writeFile(path(QStringLiteral("scripts/buffs.txt")), "/t one\r\n/delay 1500\r\n");
        ScriptWindow* window = m_f->main->activeScriptWindow();
        trigger(QStringLiteral("mnuRunPreview"));
        auto* panel = m_f->main->findChild<RunPreviewPanel*>();
        QVERIFY(panel && panel->isVisibleTo(m_f->main.get()));
        window->editor()->setText(QStringLiteral("/t hi %1\n/script buffs.txt\n"));
        QTest::keyClicks(panel->findChild<QLineEdit*>(QStringLiteral("previewArguments")), QStringLiteral("Bob"));
        QVERIFY(m_f->main->findChild<QTimer*>(QStringLiteral("previewPause"))->isActive());
        QMetaObject::invokeMethod(m_f->main->findChild<QObject*>(QStringLiteral("RunPreviewCommand")), "refresh");
        QCOMPARE(panel->summary(), QStringLiteral("The script runs 1.5 s."));
        QCOMPARE(panel->rows()->topLevelItem(0)->text(2), QStringLiteral("hi Bob"));
        const QSettings store(QStringLiteral("Zandrel"), QStringLiteral("Zandrel"));
        QCOMPARE(store.value(QStringLiteral("Settings/PreviewArguments")).toString(), QStringLiteral("Bob"));
        QTreeWidgetItem* row = panel->rows()->topLevelItem(1);
        row = child < 0 ? row : row->child(child);
        const QPoint at = panel->rows()->visualItemRect(row).center();
        QTest::mouseClick(panel->rows()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(panel->rows()->viewport(), Qt::LeftButton, {}, at);
        ScriptWindow* landed = m_f->main->activeScriptWindow();
        QCOMPARE(QFileInfo(landed->fileName()).fileName(), file);
        QCOMPARE(landed->editor()->SelStart(), caret);
    }

    void exit_data()
    {
        QTest::addColumn<bool>("closeBox");    // the main window's close box rather than File > Exit
        QTest::addColumn<bool>("writeFails");
        QTest::addColumn<bool>("dialogLeft");  // Save for the new script, then no name
        for (const bool closeBox : {false, true}) {
            const char* via = closeBox ? "close box" : "Exit";
            QTest::addRow("%s closes every window after its question", via) << closeBox << false << false;
            QTest::addRow("%s: a failed write stops there", via) << closeBox << true << false;
            QTest::addRow("%s: a save dialog left without a name stops there", via) << closeBox << false << true;
        }
    }
    // Windows are asked oldest first; the first one the player keeps ends the exit
    // there, and the windows after it stay open with their text, unasked.
    void exit()
    {
        QFETCH(bool, closeBox);
        QFETCH(bool, writeFails);
        QFETCH(bool, dialogLeft);
        const bool kept = writeFails || dialogLeft;
        const QString a = path(QStringLiteral("a"));
        writeFile(a, "old a\r\n");
        ScriptWindow* named = openWindow(a);
        named->editor()->setText(QStringLiteral("new a"));
        if (writeFails)
            QVERIFY(QFile::remove(a) && QDir(m_f->dir.path()).mkdir(QStringLiteral("a")));
        QPointer<ScriptWindow> unnamed = addWindow();
        unnamed->editor()->setText(QStringLiteral("lost"));
        QPointer<ScriptWindow> unchanged = addWindow();  // asks nothing
        m_f->prompt.answer(PromptAnswer::Save);
        if (writeFails)
            m_f->prompt.answer(PromptAnswer::Ok);  // the failed write's box
        else
            m_f->prompt.answer(dialogLeft ? PromptAnswer::Save : PromptAnswer::Discard);
        if (dialogLeft)
            m_f->prompt.cancelDialog();

        if (closeBox)
            QCOMPARE(m_f->main->close(), !kept);
        else
            trigger(QStringLiteral("mnuExit"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QVERIFY(m_f->prompt.allAnswersUsed());
        QCOMPARE(m_f->prompt.boxes.size(), 2);
        QCOMPARE(!unnamed && !unchanged, !kept);
        QCOMPARE(m_f->main->isVisible(), kept);
        QCOMPARE(m_f->main->state().catalogue.isOpen(), kept);
        QCOMPARE(readFile(a), writeFails ? QByteArray("<missing>") : QByteArray("new a"));
        if (writeFails)
            QCOMPARE(named->editor()->Text(), QStringLiteral("new a"));
        else if (dialogLeft)
            QCOMPARE(unnamed->editor()->Text(), QStringLiteral("lost"));
    }
};

QTEST_MAIN(tst_mainmenu)
#include "tst_mainmenu.moc"
