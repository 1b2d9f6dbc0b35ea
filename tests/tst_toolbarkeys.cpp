#include "support/Child.h"
#include "MainWindowFixture.h"

#include "app/MainWindow.h"
#include "dialogs/PropertiesDialog.h"
#include "editor/CommandCompleter.h"
#include "editor/ScriptWindow.h"
#include "platform/RichTextControl.h"

#include <QAction>
#include <QClipboard>
#include <QAbstractItemView>
#include <QCompleter>
#include <QInputMethodEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

struct ButtonRow {
    ToolbarKey key;
    QString text;
    int selStart, selLength;
    QString expected;
    int caret, selLengthAfter = 0;
    bool yes = true;    // the answer when Delete asks
    bool byKey = false; // the Delete key instead of the button
};

struct KeyRow {
    int key, modifiers;
    bool freeType;
    bool box;  // the free-typing box shown
    // What else happens: "" nothing, "text" the text changes, "typed" too and in white, "caret"
    // the caret or selection moves, "help" the command book is asked for, "window" another
    // script becomes active, "menu" a menu opens, or the named menu item runs.
    QString effect;
};

struct DoubleClickRow {
    bool freeType;
    QString text;
    int caret;
    QString answer;  // null: OK as the dialog opened, "cancel", or a value typed and OK
    bool dialog;
    QString expected, selected;
};

}

class tst_toolbarkeys : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;
    ScriptWindow* window = nullptr;
    RichTextControl* editor = nullptr;

    // The script as loaded from a file: green, unchanged, caret placed.
    void load(const QString& text, int start, int length = 0, bool freeType = false)
    {
        editor->setText(text);
        editor->select(0, editor->textLength());
        editor->setSelColor(RichTextControl::green());
        editor->select(start, length);
        window->setChanged(false);
        // Set after the window is up: the lock follows the switch.
        f->main->state().setFreeType(freeType);
        f->prompt.clear();
    }
    QColor colourAt(int position) const
    {
        QTextCursor c(editor->document());
        c.setPosition(position + 1);
        return c.charFormat().foreground().color();
    }

private slots:
    void init()
    {
        f = std::make_unique<MainWindowFixture>();
        QVERIFY(f->startShown());
        window = f->main->activeScriptWindow();
        editor = window->editor();
    }
    void cleanup() { f.reset(); }

    // The variable buttons and Delete (asking first): text, caret and selection after,
    // all in one undo step. Free typing off: the toolbar works all the same.
    void buttons_data()
    {
        QTest::addColumn<ButtonRow>("row");
        const QString three = QStringLiteral("abc\ndef\nghi");
        const ToolbarKey del = ToolbarKey::Delete;
        const std::pair<const char*, ButtonRow> rows[] = {
            {"target at the end of a line", {ToolbarKey::Target, "/assist", 7, 0, "/assist %t", 10}},
            {"argument after the selected word", {ToolbarKey::Argument1, "me", 0, 2, "me %1", 5}},
            {"fighting target inside a word", {ToolbarKey::Fight, "abcd", 2, 0, "ab %fcd", 5}},
            {"own name on an empty script", {ToolbarKey::Me, "", 0, 0, " %m", 3}},
            {"last argument after a two-line selection", {ToolbarKey::Argument4, "a\nb\nc", 0, 3, "a\nb %4\nc", 6}},
            {"delete: very start of a line takes that line", {del, three, 4, 0, "abc\nghi", 4}},
            {"delete: first line", {del, three, 1, 0, "def\nghi", 0}},
            {"delete: last line leaves an empty line", {del, three, 10, 0, "abc\ndef\n", 8}},
            {"delete: only line", {del, "/tell Bob", 3, 0, "", 0}},
            {"delete: empty line asks nothing", {del, "abc\n\nghi", 4, 0, "abc\n\nghi", 4}},
            {"delete: No keeps the line selected", {del, three, 5, 0, three, 4, 3, false}},
            {"Delete key of a locked script asks like the button", {del, three, 5, 0, "abc\nghi", 4, 0, true, true}},
        };
        for (const auto& [name, row] : rows)
            QTest::newRow(name) << row;
    }
    void buttons()
    {
        QFETCH(ButtonRow, row);
        load(row.text, row.selStart, row.selLength);
        f->prompt.answer(row.yes ? PromptAnswer::Yes : PromptAnswer::No);
        if (row.byKey)
            QTest::keyClick(editor, Qt::Key_Delete);
        else
            window->toolbarAction(row.key)->trigger();
        QCOMPARE(editor->Text(), row.expected);
        QCOMPARE(editor->SelStart(), row.caret);
        QCOMPARE(editor->SelLength(), row.selLengthAfter);
        // Delete asks before it deletes a line, and when told No.
        const bool asks = row.key == ToolbarKey::Delete && (row.expected != row.text || !row.yes);
        QCOMPARE(f->prompt.boxes.size(), asks ? 1 : 0);
        // Every variable is a space, "%" and one character, in white.
        for (int i = row.caret - 3; row.key != ToolbarKey::Delete && i < row.caret; ++i)
            QCOMPARE(colourAt(i), RichTextControl::white());
        QCOMPARE(window->isChanged(), row.expected != row.text);
        QVERIFY(row.expected == row.text || f->undoesInOneStep(*editor, row.text, row.expected));
    }

    void keyboard_data()
    {
        QTest::addColumn<KeyRow>("row");
        const int none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
        for (const int key : {Qt::Key_A, Qt::Key_5, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Space})
            QTest::addRow("locked %s", qPrintable(QKeySequence(key).toString())) << KeyRow{key, none, false, true, ""};
        const std::pair<const char*, KeyRow> rows[] = {
            {"paste", {Qt::Key_V, ctrl, false, true, ""}},
            {"paste, Shift+Insert", {Qt::Key_Insert, shift, false, true, ""}},
            {"cut", {Qt::Key_X, ctrl, false, true, ""}},
            {"Shift alone", {Qt::Key_Shift, none, false, false, ""}},
            {"arrow", {Qt::Key_Left, none, false, false, "caret"}},
            {"Shift+End selects", {Qt::Key_End, shift, false, false, "caret"}},
            {"F1", {Qt::Key_F1, none, false, false, "help"}},
            {"Ctrl+N", {Qt::Key_N, ctrl, false, false, "mnuNew"}},
            {"F7", {Qt::Key_F7, none, false, false, "mnuCheckScript"}},
            {"F5", {Qt::Key_F5, none, false, false, "mnuRunPreview"}},
            {"Ctrl+K, to the tree's filter", {Qt::Key_K, ctrl, false, false, "mnuFilterFocus"}},
            {"Alt+F", {Qt::Key_F, Qt::AltModifier, false, false, "menu"}},
            {"Ctrl+Tab", {Qt::Key_Tab, ctrl, false, false, "window"}},
            {"Ctrl+F6", {Qt::Key_F6, ctrl, false, false, "window"}},
            {"Ctrl+Z locked", {Qt::Key_Z, ctrl, false, false, "text"}},
            {"Ctrl+Z free", {Qt::Key_Z, ctrl, true, false, "text"}},
            {"typing free", {Qt::Key_A, none, true, false, "typed"}},
            {"Delete free edits, asks nothing", {Qt::Key_Delete, none, true, false, "text"}},
        };
        for (const auto& [name, row] : rows)
            QTest::newRow(name) << row;
    }
    void keyboard()
    {
        QFETCH(KeyRow, row);
        const QString effect = row.effect;
        ScriptWindow* other = window;
        window = f->main->newScriptWindow();
        editor = window->editor();
        load(QStringLiteral("abc\nde"), 6, 0, row.freeType);
        editor->setSelText(QStringLiteral("f"));  // something to undo
        editor->select(5, 1);
        QSignalSpy bookAsked(&f->main->scriptArea(), &ScriptArea::commandBookRequested);
        QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
        QAction* item = effect.startsWith(QLatin1String("mnu")) ? f->main->findChild<QAction*>(effect) : nullptr;
        QVERIFY(item || !effect.startsWith(QLatin1String("mnu")));  // a row of a menu item that is not there fails
        QSignalSpy ran(item ? item : new QAction(this), &QAction::triggered);
        editor->setFocus();

        QTest::keyClick(editor, Qt::Key(row.key), Qt::KeyboardModifiers(row.modifiers));

        QCOMPARE(f->prompt.boxes.size(), row.box ? 1 : 0);
        const bool edited = effect == QLatin1String("text") || effect == QLatin1String("typed");
        QCOMPARE(editor->Text() != QStringLiteral("abc\ndef"), edited);
        QCOMPARE(editor->SelStart() != 5 || editor->SelLength() != 1, edited || effect == QLatin1String("caret"));
        if (effect == QLatin1String("typed"))
            QCOMPARE(colourAt(editor->SelStart() - 1), RichTextControl::white());
        QCOMPARE(bookAsked.count(), effect == QLatin1String("help") ? 1 : 0);
        QCOMPARE(f->main->activeScriptWindow() == other, effect == QLatin1String("window"));
        QWidget* popup = QApplication::activePopupWidget();
        QCOMPARE(popup != nullptr, effect == QLatin1String("menu"));
        if (popup)
            popup->close();
        QCOMPARE(ran.size(), item ? 1 : 0);
    }

    // Free typing: a slash that starts a line lists the command words; Ctrl+Space the
    // orders or values of the command before the caret. Only a chosen word is written.
    void completion_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ask");         // Ctrl+Space after the typing
        QTest::addColumn<int>("key");          // then, in the list
        QTest::addColumn<QString>("offered");  // the list's first choice; empty: no list
        QTest::addColumn<QString>("expected");
        QTest::newRow("/pe offers /pet, Tab") << "/pe" << false << int(Qt::Key_Tab) << "pet" << "/pet";
        QTest::newRow("Escape writes nothing") << "/de" << false << int(Qt::Key_Escape) << "delay" << "/de";
        QTest::newRow("orders on Ctrl+Space, Enter") << "/pet a" << true << int(Qt::Key_Return) << "attack"
                                                    << "/pet attack";
        QTest::newRow("no list mid-line") << "say /pe" << false << 0 << "" << "say /pe";
    }
    void completion()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ask);
        QFETCH(int, key);
        QFETCH(QString, offered);
        QFETCH(QString, expected);
        load(QString(), 0, 0, true);
        editor->setFocus();
        QTest::keyClicks(editor, typed);
        if (ask)
            QTest::keyClick(editor, Qt::Key_Space, Qt::ControlModifier);
        auto* completer = window->findChild<CommandCompleter*>();
        QCOMPARE(completer->listShown(), !offered.isEmpty());
        if (completer->listShown()) {
            QCOMPARE(completer->completer()->popup()->currentIndex().data(Qt::UserRole).toString(), offered);
            QTest::keyClick(completer->completer()->popup(), Qt::Key(key));
        }
        QCOMPARE(editor->Text(), expected);
        QVERIFY(!completer->listShown());
    }

    // Text that comes in other than by keys (the context menu's Paste, a drop, an input
    // method, a middle click) is kept out of a locked script just the same.
    void textFromOutside_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<bool>("freeType");
        for (const char* way : {"context menu", "drop", "input method", "middle click"}) {
            QTest::addRow("%s, locked", way) << QString::fromLatin1(way) << false;
            QTest::addRow("%s, free typing", way) << QString::fromLatin1(way) << true;
        }
    }
    void textFromOutside()
    {
        QFETCH(QString, way);
        QFETCH(bool, freeType);
        load(QStringLiteral("ab"), 1, 0, freeType);
        const QString e = QStringLiteral("\u00e9");
        const QPoint at = editor->cursorRect().center();
        if (way == QLatin1String("context menu")) {
            QGuiApplication::clipboard()->setText(e);
            QContextMenuEvent event(QContextMenuEvent::Mouse, at, editor->viewport()->mapToGlobal(at));
            QApplication::sendEvent(editor->viewport(), &event);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste")))
                paste->trigger();
            menu->close();
        } else if (way == QLatin1String("drop")) {
            QMimeData data;
            data.setText(e);
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(editor->viewport(), &enter);
            QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(editor->viewport(), &drop);
        } else if (way == QLatin1String("input method")) {
            QInputMethodEvent composing(QStringLiteral("e"), {});
            QApplication::sendEvent(editor, &composing);
            QInputMethodEvent commit;
            commit.setCommitString(e);
            QApplication::sendEvent(editor, &commit);
        } else {
            if (!QGuiApplication::clipboard()->supportsSelection())
                QSKIP("This platform has no selection clipboard to paste from");
            QGuiApplication::clipboard()->setText(e, QClipboard::Selection);
            QTest::mouseClick(editor->viewport(), Qt::MiddleButton, {}, at);
        }
        // Where it lands may depend on the pointer; that it lands at all is the point.
        QCOMPARE(editor->Text().remove(e), QStringLiteral("ab"));
        QCOMPARE(editor->Text().size(), freeType ? 3 : 2);
        QCOMPARE(window->isChanged(), freeType);
        QCOMPARE(f->prompt.boxes.size(), !freeType && way == QLatin1String("input method") ? 1 : 0);
    }

    // A real double-click on a line opens the dialog for it; a script call is only selected.
    void doubleClick_data()
    {
        QTest::addColumn<DoubleClickRow>("row");
        const QString untouched;
        const std::pair<const char*, DoubleClickRow> rows[] = {
            {"script call is only selected",
             {false, "abc\n/script heal\nxyz", 6, "Al", false, "abc\n/script heal\nxyz", "/script heal"}},
            {"/Script: not a call", {false, "/Script heal", 2, "cancel", true, "/Script heal", "/Script heal"}},
            {"command line edited in place, free typing or not",
             {true, "abc\n/tell Bob\nxyz", 6, "Al", true, "abc\n/tell Al\nxyz", ""}},
            {"OK on the line as it stood changes nothing", {false, "/tell Bob", 7, untouched, true, "/tell Bob", "/tell Bob"}},
            {"a line without a value opens too",
             {false, "abc\n/pet attack\nxyz", 6, "cancel", true, "abc\n/pet attack\nxyz", "/pet attack"}},
            {"cancel leaves the line selected",
             {false, "abc\n/tell Bob\nxyz", 6, "cancel", true, "abc\n/tell Bob\nxyz", "/tell Bob"}},
            {"empty line opens the dialog too", {false, "abc\n\nxyz", 4, "cancel", true, "abc\n\nxyz", ""}},
        };
        for (const auto& [name, row] : rows)
            QTest::newRow(name) << row;
    }
    void doubleClick()
    {
        QFETCH(DoubleClickRow, row);
        load(row.text, row.caret, 0, row.freeType);
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<PropertiesDialog*>(QApplication::activeModalWidget());
            if (!d)
                return;
            shown = true;
            if (row.answer == QLatin1String("cancel"))
                return d->cancel();
            if (!row.answer.isNull())
                child<QPlainTextEdit>(*d, "valueText")->setPlainText(row.answer);
            QTest::mouseClick(child<QPushButton>(*d, "okButton"), Qt::LeftButton);
        });
        QTest::mouseDClick(editor->viewport(), Qt::LeftButton, {}, editor->cursorRect().center());
        QCoreApplication::processEvents();
        QCOMPARE(shown, row.dialog);
        QCOMPARE(editor->Text(), row.expected);
        // Only a line written marks the script.
        QCOMPARE(window->isChanged(), row.expected != row.text);
        QCOMPARE(editor->SelText(), row.selected);
        QCOMPARE(f->prompt.boxes.size(), 0);
    }
};

QTEST_MAIN(tst_toolbarkeys)
#include "tst_toolbarkeys.moc"
