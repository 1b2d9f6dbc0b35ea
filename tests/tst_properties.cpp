#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "dialogs/frmProperties.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

void fillCatalogue(TestCatalogue& c)
{
    c.addGroup(1, QStringLiteral("Communication"));
    c.addGroup(3, QStringLiteral("Social"));
    c.addGroup(5, QStringLiteral("Scripts"));
    c.addGroup(7, QStringLiteral("Pet Commands"), QStringLiteral("pet"));
    c.addGroup(8, QStringLiteral("Organisation"), QStringLiteral("org"));
    c.addCommand(101, 1, QStringLiteral("tell"), QStringLiteral("Send a private message"), 1, QStringLiteral("'"));
    c.addCommand(102, 1, QStringLiteral("say"), QStringLiteral("Speak to those nearby"), 1);
    c.addCommand(103, 1, QStringLiteral("it's"), QStringLiteral("A name with a quote"), 1);
    c.addCommand(104, 1, QStringLiteral("emote"), QStringLiteral("A type without an editor"), 2);
    c.addCommand(105, 1, QStringLiteral("invite"), QStringLiteral("Invite to your chat group"), 1);
    c.addCommand(301, 3, QStringLiteral("sit"), QStringLiteral("Sit down"), 0);
    c.addCommand(302, 3, QStringLiteral("wave"), QStringLiteral("first wave"), 1);
    c.addCommand(303, 3, QStringLiteral("wave"), QStringLiteral("second wave"), 1, QStringLiteral("'"));
    c.addCommand(501, 5, QStringLiteral("delay"), QStringLiteral("Wait before the next line"), 3);
    c.addCommand(701, 7, QStringLiteral("attack"), QStringLiteral("Send the pets in"), 0);
    c.addCommand(702, 7, QStringLiteral("rename"), QStringLiteral("Rename the pet"), 1, QStringLiteral("\""));
    c.addCommand(801, 8, QStringLiteral("ban"), QStringLiteral("Ban a member"), 1);
    c.addCommand(802, 8, QStringLiteral("invite"), QStringLiteral("Invite the target into the org"), 0);
}

// What the value editor shows: "text:<text>", "list:<selected or ->:<entries>" or "none".
QString valueShown(const frmProperties& d)
{
    if (!d.txtEdit->isHidden())
        return QStringLiteral("text:") + d.txtEdit->toPlainText();
    if (!d.lstEdit->isHidden()) {
        const QList<QListWidgetItem*> chosen = d.lstEdit->selectedItems();
        return QStringLiteral("list:%1:%2")
            .arg(chosen.isEmpty() ? QStringLiteral("-") : chosen.constFirst()->text())
            .arg(d.lstEdit->count());
    }
    return QStringLiteral("none");
}

struct Env {
    MainWindowFixture f;
    RichTextControl* editor = nullptr;

    bool start()
    {
        fillCatalogue(*f.catalogue);
        if (!f.start())
            return false;
        frmWindow* w = f.main->activeScriptWindow();
        editor = w ? w->rtfrypAO : nullptr;
        return editor != nullptr;
    }
    AppState& state() { return f.main->state(); }
    // The editor holding `text` with [start, start + length) selected, and the
    // dialog for `currentLine`, loaded.
    std::unique_ptr<frmProperties> open(frmProperties::Origin origin, const QString& currentLine, const QString& text,
                                        int start, int length)
    {
        editor->setText(text);
        editor->select(start, length);
        state().CurrentLine = currentLine;
        return std::make_unique<frmProperties>(state(), editor, origin, f.main.get());
    }
};

QComboBox* comboOf(const frmProperties& d)
{
    return d.cboCommand;
}

int entryIndex(const frmProperties& d, const QString& entry)
{
    return comboOf(d)->findText(entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

}

class tst_properties : public QObject {
    Q_OBJECT
private slots:
    void writesLine_data();
    void writesLine();
    void laterOfTwoEqualEntriesStaysSelected();
    void emptyCommandFieldWritesNothing_data();
    void emptyCommandFieldWritesNothing();
    void choosingACommand_data();
    void choosingACommand();
    void quotedNameIsBoundNotPasted();
    void valueNeverHoldsALineBreak_data();
    void valueNeverHoldsALineBreak();
    void enterInTheCommandFieldConfirms();
    void okWithoutScriptWindowReports();
    void layoutAndTexts();
};

void tst_properties::writesLine_data()
{
    QTest::addColumn<bool>("fromTree");
    QTest::addColumn<QString>("currentLine");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("typed");  // null: leave the value editor as it is
    QTest::addColumn<QString>("finish");  // ok, enter, escape, cancel
    QTest::addColumn<QString>("expected");

    const QString untouched;
    // From the tree the selection is empty at the start of a fresh line.
    QTest::newRow("tree: type 1, one word") << true << "tell" << "abc\n" << 4 << 0 << true << "tell" << "text:"
                                             << "Bob" << "ok" << "abc\n/tell Bob\n";
    QTest::newRow("tree: value with inner spaces wrapped in Add")
        << true << "tell" << "" << 0 << 0 << true << "tell" << "text:" << "hello there" << "ok"
        << "/tell 'hello there'\n";
    QTest::newRow("tree: outer spaces kept, not wrapped")
        << true << "tell" << "" << 0 << 0 << true << "tell" << "text:" << " Bob " << "ok" << "/tell  Bob \n";
    QTest::newRow("tree: empty value keeps its space")
        << true << "say" << "" << 0 << 0 << true << "say" << "text:" << untouched << "ok" << "/say \n";
    QTest::newRow("tree: type 0 writes without showing")
        << true << "sit" << "abc\n" << 4 << 0 << false << "" << "" << untouched << "" << "abc\n/sit\n";
    QTest::newRow("tree: type 3 with no entry chosen")
        << true << "delay" << "" << 0 << 0 << true << "delay" << "list:-:10" << untouched << "ok" << "/delay \n";
    QTest::newRow("tree: pet command with its group word")
        << true << "pet rename" << "" << 0 << 0 << true << "pet rename" << "text:" << "Rex the Brave" << "ok"
        << "/pet rename \"Rex the Brave\"\n";
    QTest::newRow("tree: other type has no value editor")
        << true << "emote" << "" << 0 << 0 << true << "emote" << "none" << untouched << "ok" << "/emote\n";
    QTest::newRow("tree: Enter in the text box")
        << true << "tell" << "" << 0 << 0 << true << "tell" << "text:" << "Bob" << "enter" << "/tell Bob\n";
    QTest::newRow("tree: Escape writes nothing")
        << true << "tell" << "abc\n" << 4 << 0 << true << "tell" << "text:" << "Bob" << "escape" << "abc\n";
    QTest::newRow("tree: Cancel writes nothing")
        << true << "tell" << "abc\n" << 4 << 0 << true << "tell" << "text:" << "Bob" << "cancel" << "abc\n";

    // From a script the whole line is selected; it is replaced, no break added.
    QTest::newRow("line: quoted value opens unquoted, written back as it was")
        << false << "/tell 'hello there'" << "abc\n/tell 'hello there'\nxyz" << 4 << 19 << true << "tell"
        << "text:hello there" << untouched << "ok" << "abc\n/tell 'hello there'\nxyz";
    QTest::newRow("line: changed value replaces the line")
        << false << "/tell Bob" << "abc\n/tell Bob\nxyz" << 4 << 9 << true << "tell" << "text:Bob" << "Al" << "ok"
        << "abc\n/tell Al\nxyz";
    QTest::newRow("line: org command") << false << "/org ban Bob" << "/org ban Bob" << 0 << 12 << true << "org ban"
                                       << "text:Bob" << untouched << "ok" << "/org ban Bob";
    QTest::newRow("line: pet command") << false << "/pet rename Rex" << "/pet rename Rex" << 0 << 15 << true
                                       << "pet rename" << "text:Rex" << untouched << "ok" << "/pet rename Rex";
    QTest::newRow("line: no space means no value")
        << false << "/say" << "/say\nxyz" << 0 << 4 << true << "say" << "text:" << untouched << "ok" << "/say\nxyz";
    QTest::newRow("line: command and a space") << false << "/say " << "/say " << 0 << 5 << true << "say" << "text:"
                                               << untouched << "ok" << "/say ";
    QTest::newRow("line: type 0 rewritten without showing")
        << false << "/sit" << "abc\n/sit\nxyz" << 4 << 4 << false << "" << "" << untouched << "" << "abc\n/sit\nxyz";
    QTest::newRow("line: pet order gains no empty line")
        << false << "/pet attack" << "/pet attack\nxyz" << 0 << 11 << false << "" << "" << untouched << ""
        << "/pet attack\nxyz";
    QTest::newRow("line: type 3 step selected") << false << "/delay 3000" << "/delay 3000" << 0 << 11 << true
                                                << "delay" << "list:3000:10" << untouched << "ok" << "/delay 3000";
    QTest::newRow("line: type 3 own number kept") << false << "/delay 1500" << "/delay 1500" << 0 << 11 << true
                                                  << "delay" << "list:1500:11" << untouched << "ok" << "/delay 1500";
    QTest::newRow("line: type 3 without value") << false << "/delay" << "/delay" << 0 << 6 << true << "delay"
                                                << "list:-:10" << untouched << "ok" << "/delay";
    QTest::newRow("line: Enter in the number list") << false << "/delay 3000" << "/delay 3000" << 0 << 11 << true
                                                    << "delay" << "list:3000:10" << untouched << "enter"
                                                    << "/delay 3000";
    QTest::newRow("line: mentions a pet order, still a say")
        << false << "/say try /pet attack" << "/say try /pet attack" << 0 << 20 << true << "say"
        << "text:try /pet attack" << untouched << "ok" << "/say try /pet attack";
    QTest::newRow("line: Cancel keeps the line")
        << false << "/tell Bob" << "/tell Bob" << 0 << 9 << true << "tell" << "text:Bob" << "Al" << "cancel"
        << "/tell Bob";
    QTest::newRow("line: empty line, nothing matches")
        << false << "" << "abc\n\nxyz" << 4 << 0 << true << "" << "none" << untouched << "escape" << "abc\n\nxyz";
}

void tst_properties::writesLine()
{
    QFETCH(bool, fromTree);
    QFETCH(QString, currentLine);
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(bool, shown);
    QFETCH(QString, command);
    QFETCH(QString, value);
    QFETCH(QString, typed);
    QFETCH(QString, finish);
    QFETCH(QString, expected);

    Env env;
    QVERIFY(env.start());
    auto dialog = env.open(fromTree ? frmProperties::Origin::Tree : frmProperties::Origin::ScriptLine, currentLine,
                           text, selStart, selLength);
    QCOMPARE(dialog->Form_Load(), shown);
    if (shown) {
        QVERIFY(dialog->ListFilled());
        QVERIFY(!dialog->isClosed());
        QCOMPARE(dialog->cboCommand->currentText(), command);
        QCOMPARE(valueShown(*dialog), value);
        if (!typed.isNull())
            dialog->txtEdit->setPlainText(typed);
        dialog->show();
        QWidget* valueEditor = !dialog->txtEdit->isHidden() ? static_cast<QWidget*>(dialog->txtEdit)
                               : !dialog->lstEdit->isHidden() ? static_cast<QWidget*>(dialog->lstEdit)
                                                              : static_cast<QWidget*>(dialog->cboCommand->lineEdit());
        if (finish == QLatin1String("ok"))
            QTest::mouseClick(dialog->cmdOk, Qt::LeftButton);
        else if (finish == QLatin1String("enter"))
            QTest::keyClick(valueEditor, Qt::Key_Return);
        else if (finish == QLatin1String("escape"))
            QTest::keyClick(valueEditor, Qt::Key_Escape);
        else
            QTest::mouseClick(dialog->cmdCommand1, Qt::LeftButton);
        QVERIFY(dialog->isClosed());
        QCOMPARE(dialog->result(), int(finish == QLatin1String("ok") || finish == QLatin1String("enter")
                                           ? QDialog::Accepted : QDialog::Rejected));
    } else {
        QVERIFY(dialog->isClosed());
        QVERIFY(!dialog->isVisible());
    }
    QCOMPARE(env.editor->Text(), expected);
    QCOMPARE(env.f.prompt.boxes.size(), 0);
}

void tst_properties::laterOfTwoEqualEntriesStaysSelected()
{
    Env env;
    QVERIFY(env.start());
    auto dialog = env.open(frmProperties::Origin::Tree, QStringLiteral("wave"), QString(), 0, 0);
    QVERIFY(dialog->Form_Load());
    const int first = dialog->cboCommand->findText(QStringLiteral("wave"));
    QVERIFY(first >= 0);
    QCOMPARE(dialog->cboCommand->itemText(first + 1), QStringLiteral("wave"));
    QCOMPARE(dialog->cboCommand->currentIndex(), first + 1);  // the second of the two
    QCOMPARE(dialog->lblDescription->text(), QStringLiteral("second wave"));
    QCOMPARE(dialog->ValueQuote(), QStringLiteral("'"));
    QCOMPARE(dialog->cboCommand->count(), 13);
}

void tst_properties::emptyCommandFieldWritesNothing_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("fieldText");  // null: leave the field as the dialog set it
    QTest::newRow("command the catalogue lacks") << "/dance now" << QString();
    QTest::newRow("free text line") << "hello there" << QString();
    QTest::newRow("known command, field cleared") << "/tell Bob" << "";
    QTest::newRow("field holds spaces only") << "/tell Bob" << "   ";
}

void tst_properties::emptyCommandFieldWritesNothing()
{
    QFETCH(QString, line);
    QFETCH(QString, fieldText);
    Env env;
    QVERIFY(env.start());
    const QString text = QStringLiteral("abc\n") + line + QStringLiteral("\nxyz");
    auto dialog = env.open(frmProperties::Origin::ScriptLine, line, text, 4, static_cast<int>(line.size()));
    QVERIFY(dialog->Form_Load());
    if (fieldText.isNull()) {
        QCOMPARE(dialog->cboCommand->currentIndex(), -1);
        QCOMPARE(dialog->cboCommand->currentText(), QString());
        QCOMPARE(valueShown(*dialog), QStringLiteral("none"));
    } else {
        dialog->cboCommand->setEditText(fieldText);
    }
    dialog->show();
    dialog->cmdOk_Click();
    QCOMPARE(env.editor->Text(), text);
    QVERIFY2(!dialog->isClosed(), "the player can still choose a command or cancel");
    QCOMPARE(env.f.prompt.boxes.size(), 0);
}

void tst_properties::choosingACommand_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("typedBefore");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("typed");  // typed into the list's field rather than chosen
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("free text becomes a command, no break added")
        << "hello" << "" << "tell" << false << "text:" << false << "abc\n/tell Bob\nxyz";
    QTest::newRow("value editor refilled from the line")
        << "/tell Bob" << "Al" << "say" << false << "text:Bob" << false << "abc\n/say Bob\nxyz";
    QTest::newRow("number list for a type 3 command")
        << "/say 2000" << "" << "delay" << false << "list:2000:10" << false << "abc\n/delay 2000\nxyz";
    QTest::newRow("pet entry found by its command word")
        << "/say Rex" << "" << "pet rename" << false << "text:Rex" << false << "abc\n/pet rename Bob\nxyz";
    QTest::newRow("a command without a value is written at once")
        << "/tell Bob" << "" << "sit" << false << "" << true << "abc\n/sit\nxyz";
    QTest::newRow("a word the org group shares keeps its own type")
        << "/tell Bob" << "" << "invite" << false << "text:Bob" << false << "abc\n/invite Bob\nxyz";
    QTest::newRow("the org entry of a shared word takes the org row")
        << "/tell Bob" << "" << "org invite" << false << "" << true << "abc\n/org invite\nxyz";
    QTest::newRow("a typed name sets the dialog up")
        << "/tell Bob" << "" << "say" << true << "text:Bob" << false << "abc\n/say Bob\nxyz";
    QTest::newRow("a typed name without a value waits for OK")
        << "/tell Bob" << "" << "sit" << true << "none" << false << "abc\n/sit\nxyz";
}

void tst_properties::choosingACommand()
{
    QFETCH(QString, line);
    QFETCH(QString, typedBefore);
    QFETCH(QString, entry);
    QFETCH(bool, typed);
    QFETCH(QString, value);
    QFETCH(bool, closes);
    QFETCH(QString, expected);
    Env env;
    QVERIFY(env.start());
    const QString text = QStringLiteral("abc\n") + line + QStringLiteral("\nxyz");
    auto dialog = env.open(frmProperties::Origin::ScriptLine, line, text, 4, static_cast<int>(line.size()));
    QVERIFY(dialog->Form_Load());
    dialog->show();
    if (!typedBefore.isEmpty())
        dialog->txtEdit->setPlainText(typedBefore);
    if (typed) {
        dialog->cboCommand->lineEdit()->clear();
        QTest::keyClicks(dialog->cboCommand->lineEdit(), entry);
    } else {
        const int index = entryIndex(*dialog, entry);
        QVERIFY(index >= 0);
        dialog->cboCommand->setCurrentIndex(index);
    }
    QCOMPARE(dialog->isClosed(), closes);
    if (!closes) {
        QCOMPARE(valueShown(*dialog), value);
        if (value.startsWith(QLatin1String("text:")) && value != QLatin1String("text:Bob"))
            dialog->txtEdit->setPlainText(QStringLiteral("Bob"));
        dialog->cmdOk_Click();
        QVERIFY(dialog->isClosed());
    }
    QCOMPARE(env.editor->Text(), expected);
    QVERIFY(env.f.undoesInOneStep(*env.editor, text, expected));
}

void tst_properties::quotedNameIsBoundNotPasted()
{
    Env env;
    QVERIFY(env.start());
    auto dialog = env.open(frmProperties::Origin::Tree, QStringLiteral("say"), QString(), 0, 0);
    QVERIFY(dialog->Form_Load());
    dialog->cboCommand->setCurrentIndex(entryIndex(*dialog, QStringLiteral("it's")));
    QCOMPARE(dialog->lblDescription->text(), QStringLiteral("A name with a quote"));
    QCOMPARE(valueShown(*dialog), QStringLiteral("text:"));
    QCOMPARE(env.f.prompt.boxes.size(), 0);
    dialog->txtEdit->setPlainText(QStringLiteral("x"));
    dialog->cmdOk_Click();
    QCOMPARE(env.editor->Text(), QStringLiteral("/it's x\n"));
}

void tst_properties::valueNeverHoldsALineBreak_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("expected");
    QTest::newRow("CR LF") << "Bob\r\nAl" << "Bob Al" << "/say Bob Al\n";
    QTest::newRow("several breaks") << "a\nb\rc" << "a b c" << "/say a b c\n";
    QTest::newRow("break at the end") << "Bob\n" << "Bob " << "/say Bob \n";
}

void tst_properties::valueNeverHoldsALineBreak()
{
    QFETCH(QString, pasted);
    QFETCH(QString, boxText);
    QFETCH(QString, expected);
    Env env;
    QVERIFY(env.start());
    auto dialog = env.open(frmProperties::Origin::Tree, QStringLiteral("say"), QString(), 0, 0);
    QVERIFY(dialog->Form_Load());
    dialog->show();
    dialog->txtEdit->insertPlainText(pasted);
    QCOMPARE(dialog->txtEdit->toPlainText(), boxText);
    QCOMPARE(dialog->txtEdit->textCursor().position(), static_cast<int>(boxText.size()));
    QTest::keyClick(dialog->txtEdit, Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(env.editor->Text(), expected);
    QCOMPARE(env.editor->Text().count(QLatin1Char('\n')), 1);
}

void tst_properties::enterInTheCommandFieldConfirms()
{
    Env env;
    QVERIFY(env.start());
    auto dialog = env.open(frmProperties::Origin::Tree, QStringLiteral("emote"), QString(), 0, 0);
    QVERIFY(dialog->Form_Load());
    dialog->show();
    const int entries = dialog->cboCommand->count();
    QTest::keyClick(dialog->cboCommand->lineEdit(), Qt::Key_Return);
    QVERIFY(dialog->isClosed());
    QCOMPARE(env.editor->Text(), QStringLiteral("/emote\n"));
    QCOMPARE(dialog->cboCommand->count(), entries);
}

void tst_properties::okWithoutScriptWindowReports()
{
    Env env;
    QVERIFY(env.start());
    env.state().CurrentLine = QStringLiteral("tell");
    frmProperties dialog(env.state(), nullptr, frmProperties::Origin::Tree, env.f.main.get());
    QVERIFY(dialog.Form_Load());
    dialog.cmdOk_Click();
    QCOMPARE(env.f.prompt.boxes.size(), 1);
    QCOMPARE(env.f.prompt.boxes.at(0).title, QStringLiteral("Error in cmdOk_Click"));
    QVERIFY(env.f.prompt.boxes.at(0).text.startsWith(QLatin1String("Err - 103")));
    QCOMPARE(env.f.prompt.boxes.at(0).icon, PromptIcon::Critical);
    QVERIFY2(!dialog.isClosed(), "the player can still cancel");
}

void tst_properties::layoutAndTexts()
{
    Env env;
    QVERIFY(env.start());
    auto dialog = env.open(frmProperties::Origin::Tree, QStringLiteral("tell"), QString(), 0, 0);
    QVERIFY(dialog->Form_Load());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Chat Command Properties"));
    QCOMPARE(dialog->Frame1->title(), QStringLiteral("Chat Command Properties"));
    QCOMPARE(dialog->lblCommand->text(), QStringLiteral("Command:"));
    QCOMPARE(dialog->lblEdit->text(), QStringLiteral("Value: ( information to be sent with this command)"));
    QCOMPARE(dialog->cmdOk->text(), QStringLiteral("&OK"));
    QCOMPARE(dialog->cmdCommand1->text(), QStringLiteral("&Cancel"));
    QCOMPARE(dialog->lblDescription->palette().color(QPalette::Window), QColor(0xC0, 0xC0, 0xC0));
    QVERIFY(!dialog->cmdOk->isDefault() && !dialog->cmdOk->autoDefault());
    // The value editor comes first in the tab order, then the buttons, then the list.
    dialog->show();
    QApplication::setActiveWindow(dialog.get());
    QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    QCOMPARE(QApplication::focusWidget(), dialog->txtEdit);
    QTest::keyClick(dialog->txtEdit, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dialog->cmdOk);
    QTest::keyClick(dialog->cmdOk, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dialog->cmdCommand1);
    // Enter on the focused Cancel button cancels.
    QTest::keyClick(dialog->cmdCommand1, Qt::Key_Return);
    QVERIFY(dialog->isClosed());
    QCOMPARE(dialog->result(), int(QDialog::Rejected));
    QCOMPARE(env.editor->Text(), QString());
}

QTEST_MAIN(tst_properties)
#include "tst_properties.moc"
