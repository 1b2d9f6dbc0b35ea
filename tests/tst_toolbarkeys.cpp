#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "dialogs/frmProperties.h"
#include "editor/ScriptToolbarActions.h"
#include "editor/TypingLock.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

struct Env {
    MainWindowFixture f;
    frmWindow* window = nullptr;
    RichTextControl* editor = nullptr;

    bool start(bool freeType = false)
    {
        f.catalogue->addGroup(1, QStringLiteral("Communication"));
        f.catalogue->addCommand(101, 1, QStringLiteral("tell"), QStringLiteral("Send a private message"), 1);
        if (!f.start())
            return false;
        f.main->state().setFreeType(freeType);
        window = f.main->activeScriptWindow();
        editor = window ? window->rtfrypAO : nullptr;
        return editor != nullptr;
    }
    // The script as loaded from a file: green, unchanged, caret placed.
    void load(const QString& text, int start, int length = 0)
    {
        editor->setText(text);
        editor->select(0, editor->textLength());
        editor->setSelColor(RichTextControl::green());
        editor->select(start, length);
        window->setChanged(false);
        f.prompt.clear();
    }
};

QColor colourAt(const RichTextControl& editor, int position)
{
    QTextCursor c(editor.document());
    c.setPosition(position + 1);
    return c.charFormat().foreground().color();
}

QStringList actionNames(const QMenu* menu)
{
    QStringList names;
    for (const QAction* a : menu->actions())
        if (!a->isSeparator())
            names << a->objectName();
    return names;
}

}

class tst_toolbarkeys : public QObject {
    Q_OBJECT
private slots:
    void buttons();
    void variableInserts_data();
    void variableInserts();
    void deleteCommand_data();
    void deleteCommand();
    void keyboard_data();
    void keyboard();
    void freeTypingKeysWork();
    void contextMenu_data();
    void contextMenu();
    void textFromOutside_data();
    void textFromOutside();
    void middleClickPaste();
    void doubleClick_data();
    void doubleClick();
    void realDoubleClickOpensTheDialog();
};

// The order, captions and tips of the buttons are the script window's own tests;
// here each button has a picture, another one under the pointer, and the
// variable buttons show their caption beside it.
void tst_toolbarkeys::buttons()
{
    Env env;
    QVERIFY(env.start());
    for (QAction* a : env.window->tlbasxToolbar1->actions()) {
        if (a->isSeparator())
            continue;
        const QImage normal = a->icon().pixmap(16, 16, QIcon::Normal).toImage();
        QCOMPARE(normal.size(), QSize(16, 16));
        QVERIFY2(normal != a->icon().pixmap(16, 16, QIcon::Active).toImage(),
                 qPrintable(a->objectName() + " has no picture of its own for the pointer"));
    }
    const auto style = [&](ToolbarKey key) {
        return qobject_cast<QToolButton*>(env.window->tlbasxToolbar1->widgetForAction(env.window->toolbarAction(key)))
            ->toolButtonStyle();
    };
    QCOMPARE(style(ToolbarKey::Target), Qt::ToolButtonTextBesideIcon);
    QCOMPARE(style(ToolbarKey::Fight), Qt::ToolButtonTextBesideIcon);
    QVERIFY(style(ToolbarKey::Me) != Qt::ToolButtonTextBesideIcon);
}

void tst_toolbarkeys::variableInserts_data()
{
    QTest::addColumn<ToolbarKey>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("caret");
    QTest::newRow("target at the end of a line") << ToolbarKey::Target << "/assist" << 7 << 0 << "/assist %t" << 10;
    QTest::newRow("argument after the selected word") << ToolbarKey::Argument1 << "me" << 0 << 2 << "me %1" << 5;
    QTest::newRow("fighting target inside a word") << ToolbarKey::Fight << "abcd" << 2 << 0 << "ab %fcd" << 5;
    QTest::newRow("own name on an empty script") << ToolbarKey::Me << "" << 0 << 0 << " %m" << 3;
    QTest::newRow("last argument after a two-line selection")
        << ToolbarKey::Argument4 << "a\nb\nc" << 0 << 3 << "a\nb %4\nc" << 6;
    QTest::newRow("second argument on a middle line")
        << ToolbarKey::Argument2 << "x\ny\nz" << 3 << 0 << "x\ny %2\nz" << 6;
    QTest::newRow("third argument") << ToolbarKey::Argument3 << "/tell" << 5 << 0 << "/tell %3" << 8;
}

void tst_toolbarkeys::variableInserts()
{
    QFETCH(ToolbarKey, key);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, expected);
    QFETCH(int, caret);
    Env env;
    QVERIFY(env.start());  // free typing off: the toolbar works all the same
    env.load(text, selStart, selLength);
    env.window->toolbarAction(key)->trigger();
    QCOMPARE(env.editor->Text(), expected);
    QCOMPARE(env.editor->SelStart(), caret);
    QCOMPARE(env.editor->SelLength(), 0);
    // Every variable is a space, "%" and one character.
    for (int i = caret - 3; i < caret; ++i)
        QCOMPARE(colourAt(*env.editor, i), RichTextControl::white());
    QVERIFY(env.window->Changed());
    QCOMPARE(env.f.prompt.boxes.size(), 0);
    QVERIFY(env.f.undoesInOneStep(*env.editor, text, expected));
}

void tst_toolbarkeys::deleteCommand_data()
{
    QTest::addColumn<bool>("byKey");  // the Delete key of a locked script instead of the button
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");  // empty: no question asked
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    const QString three = QStringLiteral("abc\ndef\nghi");
    QTest::newRow("middle of the second of three") << false << three << 5 << true << "def" << "abc\nghi" << 4 << 0;
    QTest::newRow("very start of a line takes that line") << false << three << 4 << true << "def" << "abc\nghi" << 4 << 0;
    QTest::newRow("first line") << false << three << 1 << true << "abc" << "def\nghi" << 0 << 0;
    QTest::newRow("last line leaves an empty line") << false << three << 10 << true << "ghi" << "abc\ndef\n" << 8 << 0;
    QTest::newRow("only line") << false << "/tell Bob" << 3 << true << "/tell Bob" << "" << 0 << 0;
    QTest::newRow("empty line asks nothing") << false << "abc\n\nghi" << 4 << true << "" << "abc\n\nghi" << 4 << 0;
    QTest::newRow("empty script asks nothing") << false << "" << 0 << true << "" << "" << 0 << 0;
    QTest::newRow("Delete key asks like the button") << true << three << 5 << true << "def" << "abc\nghi" << 4 << 0;
    QTest::newRow("No keeps the line selected") << false << three << 5 << false << "def" << three << 4 << 3;
}

void tst_toolbarkeys::deleteCommand()
{
    QFETCH(bool, byKey);
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(QString, expected);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    Env env;
    QVERIFY(env.start());
    env.load(text, caret);
    env.f.prompt.answer(yes ? PromptAnswer::Yes : PromptAnswer::No);
    if (byKey)
        QTest::keyClick(env.editor, Qt::Key_Delete);
    else
        env.window->toolbarAction(ToolbarKey::Delete)->trigger();
    QCOMPARE(env.editor->Text(), expected);
    QCOMPARE(env.editor->SelStart(), selStart);
    QCOMPARE(env.editor->SelLength(), selLength);
    if (question.isEmpty()) {
        QCOMPARE(env.f.prompt.boxes.size(), 0);
        QVERIFY(!env.window->Changed());
        return;
    }
    QCOMPARE(env.f.prompt.boxes.size(), 1);
    const MessageBoxSpec box = env.f.prompt.boxes.at(0);
    QCOMPARE(box.title, QStringLiteral("Delete Command"));
    QCOMPARE(box.text, QStringLiteral("Delete the command '") + question + QStringLiteral("'?"));
    QCOMPARE(box.icon, PromptIcon::Question);
    QCOMPARE(box.buttons, PromptButtons::YesNo);
    QCOMPARE(env.window->Changed(), yes);
    QVERIFY(!yes || env.f.undoesInOneStep(*env.editor, text, expected));
}

void tst_toolbarkeys::keyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("freeType");
    QTest::addColumn<bool>("box");
    // What else happens: "" nothing, "text" the text changes, "caret" only the caret
    // or selection moves, "help" the command book is asked for, "window" another
    // script becomes active, "menu" a menu opens, or the named menu item runs.
    QTest::addColumn<QString>("effect");
    const int none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    for (const int key : {Qt::Key_A, Qt::Key_5, Qt::Key_Return, Qt::Key_Backspace, Qt::Key_Tab, Qt::Key_Space})
        QTest::addRow("locked %s", qPrintable(QKeySequence(key).toString())) << key << none << false << true << "";
    QTest::newRow("paste") << int(Qt::Key_V) << ctrl << false << true << "";
    QTest::newRow("paste, Shift+Insert") << int(Qt::Key_Insert) << shift << false << true << "";
    QTest::newRow("cut") << int(Qt::Key_X) << ctrl << false << true << "";
    QTest::newRow("Ctrl alone") << int(Qt::Key_Control) << none << false << false << "";
    QTest::newRow("Shift alone") << int(Qt::Key_Shift) << none << false << false << "";
    QTest::newRow("Alt alone") << int(Qt::Key_Alt) << none << false << false << "";
    QTest::newRow("arrow") << int(Qt::Key_Left) << none << false << false << "caret";
    QTest::newRow("Shift+End selects") << int(Qt::Key_End) << shift << false << false << "caret";
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << none << false << false << "caret";
    QTest::newRow("F1") << int(Qt::Key_F1) << none << false << false << "help";
    QTest::newRow("Ctrl+N") << int(Qt::Key_N) << ctrl << false << false << "mnuNew";
    QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << false << false << "mnuSave";
    QTest::newRow("F7") << int(Qt::Key_F7) << none << false << false << "mnuCheckScript";
    QTest::newRow("Ctrl+K, to the tree's filter") << int(Qt::Key_K) << ctrl << false << false << "mnuFilterFocus";
    QTest::newRow("Alt+F") << int(Qt::Key_F) << int(Qt::AltModifier) << false << false << "menu";
    QTest::newRow("Ctrl+Tab") << int(Qt::Key_Tab) << ctrl << false << false << "window";
    QTest::newRow("Ctrl+Z locked") << int(Qt::Key_Z) << ctrl << false << false << "text";
    QTest::newRow("Ctrl+Z free") << int(Qt::Key_Z) << ctrl << true << false << "text";
    QTest::newRow("typing free") << int(Qt::Key_A) << none << true << false << "text";
    QTest::newRow("Ctrl+N free") << int(Qt::Key_N) << ctrl << true << false << "mnuNew";
}

void tst_toolbarkeys::keyboard()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, freeType);
    QFETCH(bool, box);
    QFETCH(QString, effect);
    Env env;
    QVERIFY(env.f.startShown());
    env.f.main->state().setFreeType(freeType);
    frmWindow* other = env.f.main->newScriptWindow();
    env.window = env.f.main->newScriptWindow();
    env.editor = env.window->rtfrypAO;
    env.editor->setText(QStringLiteral("abc\ndef"));  // something to undo
    env.editor->select(5, 1);
    env.window->setChanged(false);
    env.f.prompt.clear();
    env.f.main->tmHelp.stop();
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    QAction* item = effect.startsWith(QLatin1String("mnu")) ? env.f.main->findChild<QAction*>(effect) : nullptr;
    QSignalSpy ran(item ? item : new QAction(this), &QAction::triggered);
    env.editor->setFocus();

    QTest::keyClick(env.editor, Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(env.f.prompt.boxes.size(), box ? 1 : 0);
    if (box) {
        const MessageBoxSpec shown = env.f.prompt.boxes.at(0);
        QCOMPARE(shown.title, QStringLiteral("Free typing disabled"));
        QCOMPARE(shown.text, QStringLiteral("Free typing is currently disabled. To configure this command/line use the "
                                            "command list and editing methods built into this editor. To free type turn "
                                            "on the free typing option under the Editor menu."));
        QCOMPARE(shown.icon, PromptIcon::Information);
    }
    QCOMPARE(env.editor->Text() != QStringLiteral("abc\ndef"), effect == QLatin1String("text"));
    QCOMPARE(env.editor->SelStart() != 5 || env.editor->SelLength() != 1,
             effect == QLatin1String("text") || effect == QLatin1String("caret"));
    QCOMPARE(env.f.main->tmHelp.isActive(), effect == QLatin1String("help"));
    QCOMPARE(env.f.main->activeScriptWindow() == other, effect == QLatin1String("window"));
    QWidget* popup = QApplication::activePopupWidget();
    QCOMPARE(popup != nullptr, effect == QLatin1String("menu"));
    if (popup)
        popup->close();
    QCOMPARE(ran.size(), item ? 1 : 0);
    env.f.main->tmHelp.stop();
}

void tst_toolbarkeys::freeTypingKeysWork()
{
    Env env;
    QVERIFY(env.start(true));
    env.load(QStringLiteral("/tell Bob"), 9);
    QTest::keyClicks(env.editor, QStringLiteral(" hi"));
    QCOMPARE(env.editor->Text(), QStringLiteral("/tell Bob hi"));
    for (int i = 9; i < 12; ++i)
        QCOMPARE(colourAt(*env.editor, i), RichTextControl::white());
    env.editor->setSelStart(0);
    QTest::keyClick(env.editor, Qt::Key_Delete);
    QCOMPARE(env.editor->Text(), QStringLiteral("tell Bob hi"));
    QTest::keyClick(env.editor, Qt::Key_Return);
    QCOMPARE(env.editor->Text(), QStringLiteral("\ntell Bob hi"));
    QCOMPARE(env.f.prompt.boxes.size(), 0);
    QVERIFY(env.window->Changed());
    // The flag changes through the menus while the window stays open.
    env.f.main->state().setFreeType(false);
    QTest::keyClick(env.editor, Qt::Key_D);
    QCOMPARE(env.editor->Text(), QStringLiteral("\ntell Bob hi"));
    QCOMPARE(env.f.prompt.boxes.size(), 1);
    env.f.main->state().setFreeType(true);
    QTest::keyClick(env.editor, Qt::Key_E);
    QCOMPARE(env.editor->Text(), QStringLiteral("\netell Bob hi"));
}

void tst_toolbarkeys::contextMenu_data()
{
    QTest::addColumn<bool>("freeType");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("afterPaste");  // null: no paste offered
    QTest::newRow("locked") << false << QStringList{"edit-copy", "select-all"} << QString();
    QTest::newRow("free typing")
        << true
        << QStringList{"edit-undo", "edit-redo", "edit-cut", "edit-copy", "edit-paste", "edit-delete", "select-all"}
        << "apastedc";
}

void tst_toolbarkeys::contextMenu()
{
    QFETCH(bool, freeType);
    QFETCH(QStringList, names);
    QFETCH(QString, afterPaste);
    Env env;
    QVERIFY(env.start(freeType));
    env.load(QStringLiteral("abc"), 1, 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, env.editor->cursorRect().center(),
                            env.editor->viewport()->mapToGlobal(env.editor->cursorRect().center()));
    QApplication::sendEvent(env.editor->viewport(), &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(actionNames(menu), names);
    for (QAction* a : menu->actions())
        if (a->objectName() == QLatin1String("edit-paste"))
            a->trigger();
    menu->close();
    QCOMPARE(env.editor->Text(), afterPaste.isNull() ? QStringLiteral("abc") : afterPaste);
}

// Text that comes in other than by keys, dropped or composed, is kept out of a
// locked script just the same.
void tst_toolbarkeys::textFromOutside_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("freeType");
    for (const char* way : {"drop", "input method"}) {
        QTest::addRow("%s, locked", way) << QString::fromLatin1(way) << false;
        QTest::addRow("%s, free typing", way) << QString::fromLatin1(way) << true;
    }
}

void tst_toolbarkeys::textFromOutside()
{
    QFETCH(QString, way);
    QFETCH(bool, freeType);
    Env env;
    QVERIFY(env.start(freeType));
    env.load(QStringLiteral("ab"), 1);
    if (way == QLatin1String("drop")) {
        QMimeData data;
        data.setText(QStringLiteral("\u00e9"));
        const QPoint at = env.editor->cursorRect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(env.editor->viewport(), &enter);
        QCOMPARE(enter.isAccepted(), freeType);
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(env.editor->viewport(), &drop);
    } else {
        QInputMethodEvent composing(QStringLiteral("e"), {});
        QApplication::sendEvent(env.editor, &composing);
        QInputMethodEvent commit;
        commit.setCommitString(QStringLiteral("\u00e9"));
        QApplication::sendEvent(env.editor, &commit);
        QCOMPARE(env.f.prompt.boxes.size(), freeType ? 0 : 1);
    }
    // Where a drop lands depends on the pointer; that it lands at all is the point.
    QCOMPARE(env.editor->Text().remove(QChar(0xe9)), QStringLiteral("ab"));
    QCOMPARE(env.editor->Text().size(), freeType ? 3 : 2);
    if (way != QLatin1String("drop"))
        QCOMPARE(env.editor->Text(), freeType ? QStringLiteral("a\u00e9b") : QStringLiteral("ab"));
    QCOMPARE(env.window->Changed(), freeType);
}

void tst_toolbarkeys::middleClickPaste()
{
    if (!QGuiApplication::clipboard()->supportsSelection())
        QSKIP("This platform has no selection clipboard to paste from");
    Env env;
    QVERIFY(env.start());
    env.load(QStringLiteral("abc"), 1);
    QGuiApplication::clipboard()->setText(QStringLiteral("sel"), QClipboard::Selection);
    QTest::mouseClick(env.editor->viewport(), Qt::MiddleButton, {}, env.editor->cursorRect().center());
    QCOMPARE(env.editor->Text(), QStringLiteral("abc"));
}

void tst_toolbarkeys::doubleClick_data()
{
    QTest::addColumn<bool>("freeType");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("answer");  // a value and OK, or "cancel"
    QTest::addColumn<bool>("dialog");
    QTest::addColumn<QString>("currentLine");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("selected");
    QTest::newRow("script call is only selected") << false << "abc\n/script heal\nxyz" << 6 << "Al" << false
                                                  << "/script heal" << "abc\n/script heal\nxyz" << "/script heal";
    QTest::newRow("letter case of /script counts") << false << "/Script heal" << 2 << "cancel" << true
                                                   << "/Script heal" << "/Script heal" << "/Script heal";
    QTest::newRow("command line edited in place") << false << "abc\n/tell Bob\nxyz" << 6 << "Al" << true
                                                  << "/tell Bob" << "abc\n/tell Al\nxyz" << "";
    QTest::newRow("unchanged OK writes the same line") << false << "/tell Bob" << 0 << "Bob" << true << "/tell Bob"
                                                       << "/tell Bob" << "";
    QTest::newRow("cancel leaves the line") << false << "abc\n/tell Bob\nxyz" << 6 << "cancel" << true << "/tell Bob"
                                            << "abc\n/tell Bob\nxyz" << "/tell Bob";
    QTest::newRow("empty line opens the dialog too") << false << "abc\n\nxyz" << 4 << "cancel" << true << ""
                                                     << "abc\n\nxyz" << "";
    QTest::newRow("free typing makes no difference") << true << "/tell Bob" << 3 << "Al" << true << "/tell Bob"
                                                     << "/tell Al" << "";
}

void tst_toolbarkeys::doubleClick()
{
    QFETCH(bool, freeType);
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, answer);
    QFETCH(bool, dialog);
    QFETCH(QString, currentLine);
    QFETCH(QString, expected);
    QFETCH(QString, selected);
    Env env;
    QVERIFY(env.start(freeType));
    env.load(text, caret);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmProperties*>(QApplication::activeModalWidget());
        if (!d)
            return;
        shown = true;
        if (answer == QLatin1String("cancel")) {
            d->cmdCommand1_Click();
            return;
        }
        d->txtEdit->setPlainText(answer);
        QTest::mouseClick(d->cmdOk, Qt::LeftButton);
    });
    env.window->rtfrypAO_DblClick();
    QCoreApplication::processEvents();
    QCOMPARE(shown, dialog);
    QCOMPARE(env.f.main->state().CurrentLine, currentLine);
    QCOMPARE(env.editor->Text(), expected);
    QCOMPARE(env.window->Changed(), dialog);
    QCOMPARE(env.editor->SelText(), selected);
    QCOMPARE(env.f.prompt.boxes.size(), 0);
}

void tst_toolbarkeys::realDoubleClickOpensTheDialog()
{
    Env env;
    QVERIFY(env.start());
    env.f.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(env.f.main.get()));
    env.load(QStringLiteral("abc\n/tell Bob\nxyz"), 7);
    QString opened;
    QTimer::singleShot(0, [&] {
        if (auto* d = qobject_cast<frmProperties*>(QApplication::activeModalWidget())) {
            opened = d->cboCommand->currentText() + QLatin1Char('|') + d->txtEdit->toPlainText();
            d->cmdCommand1_Click();
        }
    });
    QTest::mouseDClick(env.editor->viewport(), Qt::LeftButton, {}, env.editor->cursorRect().center());
    QCoreApplication::processEvents();
    QCOMPARE(opened, QStringLiteral("tell|Bob"));
    QCOMPARE(env.f.main->state().CurrentLine, QStringLiteral("/tell Bob"));
    QVERIFY(env.window->Changed());
    QCOMPARE(env.editor->Text(), QStringLiteral("abc\n/tell Bob\nxyz"));
}

QTEST_MAIN(tst_toolbarkeys)
#include "tst_toolbarkeys.moc"
