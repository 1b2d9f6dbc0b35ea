#include "support/Child.h"
#include "MainWindowFixture.h"

#include "app/MainWindow.h"
#include "dialogs/PropertiesDialog.h"
#include "editor/ScriptWindow.h"
#include "platform/RichTextControl.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

struct LineRow {
    bool fromTree;
    QString currentLine, value;
    QString typed;    // pasted over the value text, picked from the list or typed into it; null: left as it is
    QString finish;   // ok, enter, shift enter, escape, cancel, or "enter on cancel" (on the focused Cancel)
    QString written;  // the line written; null: none
};

struct ChoiceRow {
    QString line, typedBefore;
    QString entry;     // null: the field left as the dialog set it
    bool typed;        // typed into the list's field rather than chosen
    QString value;     // the value editor after the choice; null: the dialog closed at once
    QString written;   // the line written; null: none
};

// What the value editor shows: "text:<text>", "list:<text or ->:<entries>" or "none".
QString valueShown(const PropertiesDialog& d)
{
    if (!child<QPlainTextEdit>(d, "valueText")->isHidden())
        return QStringLiteral("text:") + child<QPlainTextEdit>(d, "valueText")->toPlainText();
    if (child<QComboBox>(d, "valueCombo")->isHidden())
        return QStringLiteral("none");
    const QString text = child<QComboBox>(d, "valueCombo")->currentText();
    return QStringLiteral("list:%1:%2").arg(text.isEmpty() ? QStringLiteral("-") : text).arg(child<QComboBox>(d, "valueCombo")->count());
}

}

class tst_properties : public QObject {
    Q_OBJECT
    std::unique_ptr<MainWindowFixture> f;
    RichTextControl* editor = nullptr;

    // The dialog for `currentLine`, not yet loaded. From the tree the caret stands at the
    // start of a fresh line; from a script the line is selected between two others.
    std::unique_ptr<PropertiesDialog> open(bool fromTree, const QString& currentLine)
    {
        editor->setText(fromTree ? QStringLiteral("abc\n") : inScript(currentLine));
        editor->select(4, fromTree ? 0 : static_cast<int>(currentLine.size()));
        const auto origin = fromTree ? PropertiesDialog::Origin::Tree : PropertiesDialog::Origin::ScriptLine;
        return std::make_unique<PropertiesDialog>(f->main->state().catalogue, f->main->state().prompt, currentLine, editor, origin, f->main.get());
    }
    // The script after the dialog wrote `written` (null: nothing) over `currentLine`.
    static QString after(bool fromTree, const QString& currentLine, const QString& written)
    {
        if (fromTree)
            return QStringLiteral("abc\n") + (written.isNull() ? QString() : written + QLatin1Char('\n'));
        return inScript(written.isNull() ? currentLine : written);
    }
    static QString inScript(const QString& line) { return QStringLiteral("abc\n") + line + QStringLiteral("\nxyz"); }

private slots:
    void init()
    {
        f = std::make_unique<MainWindowFixture>();
        TestCatalogue& c = *f->catalogue;
        c.addGroup(1, QStringLiteral("Communication"));
        c.addGroup(7, QStringLiteral("Pet Commands"), QStringLiteral("pet"));
        c.addGroup(8, QStringLiteral("Organisation"), QStringLiteral("org"));
        c.addCommand(101, 1, QStringLiteral("tell"), QStringLiteral("Send a private message"), 1, QStringLiteral("'"));
        c.addCommand(102, 1, QStringLiteral("say"), QStringLiteral("Speak to those nearby"), 1);
        c.addCommand(103, 1, QStringLiteral("it's"), QStringLiteral("A name with a quote"), 1);
        c.addCommand(104, 1, QStringLiteral("emote"), QStringLiteral("A type without an editor"), 2);
        c.addCommand(105, 1, QStringLiteral("invite"), QStringLiteral("Invite to your chat group"), 1);
        c.addCommand(107, 1, QStringLiteral("t"), QStringLiteral("Tell the team"), 1);
        c.addCommand(106, 1, QStringLiteral("open"), QStringLiteral("Open a window"), 1);
        c.exec(QStringLiteral("UPDATE tblCommand SET CommandValues = 'Inventory|Nano' WHERE CommandID = 106"));
        c.addCommand(301, 1, QStringLiteral("sit"), QStringLiteral("Sit down"), 0);
        c.addCommand(302, 1, QStringLiteral("wave"), QStringLiteral("first wave"), 1);
        c.addCommand(303, 1, QStringLiteral("wave"), QStringLiteral("second wave"), 1, QStringLiteral("'"));
        c.addCommand(501, 1, QStringLiteral("delay"), QStringLiteral("Wait before the next line"), 3);
        c.addCommand(701, 7, QStringLiteral("attack"), QStringLiteral("Send the pets in"), 0);
        c.addCommand(702, 7, QStringLiteral("rename"), QStringLiteral("Rename the pet"), 1, QStringLiteral("\""));
        c.addCommand(802, 8, QStringLiteral("invite"), QStringLiteral("Invite the target into the org"), 0);
        QVERIFY(f->start());
        editor = f->main->activeScriptWindow()->editor();
    }
    void cleanup() { f.reset(); }

    void writesLine_data()
    {
        QTest::addColumn<LineRow>("row");
        const QString untouched;
        const std::pair<const char*, LineRow> rows[] = {
            {"tree: type 1, Enter in the text box", {true, "tell", "text:", "Bob", "enter", "/tell Bob"}},
            {"tree: inner spaces wrap in Add", {true, "tell", "text:", "hello there", "ok", "/tell 'hello there'"}},
            {"tree: outer spaces kept, not wrapped", {true, "tell", "text:", " Bob ", "ok", "/tell  Bob "}},
            {"tree: the later of two equal names is the one", {true, "wave", "text:", "a b", "ok", "/wave 'a b'"}},
            {"tree: empty value keeps its space", {true, "say", "text:", untouched, "ok", "/say "}},
            {"tree: pasted breaks become spaces, Shift+Enter confirms",
             {true, "say", "text:", "a\r\nb\nc\r", "shift enter", "/say a b c"}},
            // A number the line needs: OK stays disabled until one is chosen or typed.
            {"tree: type 3 with no entry chosen", {true, "delay", "list:-:10", untouched, "ok", untouched}},
            {"tree: type 3 takes a number past the steps", {true, "delay", "list:-:10", "30000", "enter", "/delay 30000"}},
            {"tree: type 3 typed as is, letters refused", {true, "delay", "list:-:10", "5x00", "ok", "/delay 500"}},
            {"tree: a listed word picked", {true, "open", "list:-:2", "Nano", "enter", "/open Nano"}},
            {"tree: no editor, Enter in the command field", {true, "emote", "none", untouched, "enter", "/emote"}},
            {"tree: Escape writes nothing", {true, "tell", "text:", "Bob", "escape", untouched}},
            {"tree: Enter on focused Cancel cancels", {true, "tell", "text:", "Bob", "enter on cancel", untouched}},
            // From a script the line is replaced, no break added.
            {"line: quoted value opens unquoted, written back as it was",
             {false, "/tell 'hello there'", "text:hello there", untouched, "ok", "/tell 'hello there'"}},
            {"line: changed value replaces the line", {false, "/tell Bob", "text:Bob", "Al", "ok", "/tell Al"}},
            {"line: no space means no value", {false, "/say", "text:", untouched, "ok", "/say"}},
            {"line: command and a space", {false, "/say ", "text:", untouched, "ok", "/say "}},
            {"line: type 3 step selected, Enter in the list",
             {false, "/delay 3000", "list:3000:10", untouched, "enter", "/delay 3000"}},
            {"line: type 3 own number kept", {false, "/delay 1500", "list:1500:11", untouched, "ok", "/delay 1500"}},
            {"line: type 3 without value", {false, "/delay", "list:-:10", untouched, "ok", untouched}},
            {"line: a pet order without a value opens", {false, "/pet attack", "none", untouched, "ok", "/pet attack"}},
            {"line: a word not listed kept", {false, "/open Nano bag", "list:Nano bag:2", untouched, "enter", "/open Nano bag"}},
            {"line: mentions a pet order, still a say",
             {false, "/say try /pet attack", "text:try /pet attack", untouched, "ok", "/say try /pet attack"}},
            {"line: empty line, nothing matches", {false, "", "none", untouched, "escape", untouched}},
        };
        for (const auto& [name, row] : rows)
            QTest::newRow(name) << row;
    }
    // The dialog's round trip of one line: what it opens with and what it writes.
    void writesLine()
    {
        QFETCH(LineRow, row);
        auto dialog = open(row.fromTree, row.currentLine);
        QVERIFY(dialog->setUp());
        QCOMPARE(valueShown(*dialog), row.value);
        dialog->show();
        const int listed = child<QComboBox>(*dialog, "valueCombo")->findText(row.typed);
        if (!row.typed.isNull() && !child<QComboBox>(*dialog, "valueCombo")->isHidden()) {
            child<QComboBox>(*dialog, "valueCombo")->clearEditText();
            listed >= 0 ? child<QComboBox>(*dialog, "valueCombo")->setCurrentIndex(listed) : QTest::keyClicks(child<QComboBox>(*dialog, "valueCombo")->lineEdit(), row.typed);
        } else if (!row.typed.isNull()) {
            child<QPlainTextEdit>(*dialog, "valueText")->selectAll();
            child<QPlainTextEdit>(*dialog, "valueText")->insertPlainText(row.typed);
            QVERIFY(!child<QPlainTextEdit>(*dialog, "valueText")->toPlainText().contains(u'\n') && child<QPlainTextEdit>(*dialog, "valueText")->textCursor().atEnd());
        }
        QWidget* focus = row.finish == QLatin1String("enter on cancel") ? child<QPushButton>(*dialog, "cancelButton")
                         : !child<QPlainTextEdit>(*dialog, "valueText")->isHidden()                  ? child<QPlainTextEdit>(*dialog, "valueText")
                         : !child<QComboBox>(*dialog, "valueCombo")->isHidden() ? static_cast<QWidget*>(child<QComboBox>(*dialog, "valueCombo")->lineEdit())
                                                        : child<QComboBox>(*dialog, "commandBox")->lineEdit();
        focus->setFocus();
        if (row.finish == QLatin1String("ok"))
            QTest::mouseClick(child<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
        else if (row.finish == QLatin1String("cancel"))
            QTest::mouseClick(child<QPushButton>(*dialog, "cancelButton"), Qt::LeftButton);
        else
            QTest::keyClick(focus, row.finish == QLatin1String("escape") ? Qt::Key_Escape : Qt::Key_Return,
                            row.finish == QLatin1String("shift enter") ? Qt::ShiftModifier : Qt::NoModifier);
        const bool refused = row.finish == QLatin1String("ok") && row.written.isNull();
        QCOMPARE(child<QLabel>(*dialog, "reasonLabel")->text().isEmpty(), !refused);
        QCOMPARE(dialog->isClosed(), !refused);
        QCOMPARE(dialog->result(), int(row.written.isNull() ? QDialog::Rejected : QDialog::Accepted));
        QCOMPARE(editor->Text(), after(row.fromTree, row.currentLine, row.written));
        QCOMPARE(f->prompt.boxes.size(), 0);
    }

    // Another command chosen from the list or typed into its field, on a script line.
    void choosingACommand_data()
    {
        QTest::addColumn<ChoiceRow>("row");
        const QString untouched;
        const std::pair<const char*, ChoiceRow> rows[] = {
            {"free text becomes a command, no break added", {"hello", "", "tell", false, "text:", "/tell"}},
            {"value editor refilled from the line", {"/tell Bob", "Al", "say", false, "text:Bob", "/say Bob"}},
            {"number list for a type 3 command", {"/say 2000", "", "delay", false, "list:2000:10", "/delay 2000"}},
            {"pet entry found by its word", {"/say Rex", "", "pet rename", false, "text:Rex", "/pet rename Rex"}},
            {"a name with a quote is bound, not pasted", {"/say Bob", "", "it's", false, "text:Bob", "/it's Bob"}},
            {"a command without a value waits for OK", {"/tell Bob", "", "sit", false, "none", "/sit"}},
            {"a word the org shares keeps its own type", {"/tell Bob", "", "invite", false, "text:Bob", "/invite Bob"}},
            {"org entry of a shared word: org row", {"/tell Bob", "", "org invite", false, "none", "/org invite"}},
            // Typed key by key where the focus is: "t" alone names a command too.
            {"a typed name completes, the caret stays", {"/say Bob", "", "tell", true, "text:Bob", "/tell Bob"}},
            {"a typed name without a value waits for OK", {"/tell Bob", "", "sit", true, "none", "/sit"}},
            // OK with nothing in the command field writes nothing and leaves the dialog open.
            {"empty field: a command the catalogue lacks", {"/dance now", "", untouched, true, "none", untouched}},
            {"empty field: cleared by the player", {"/tell Bob", "", "", true, "text:Bob", untouched}},
        };
        for (const auto& [name, row] : rows)
            QTest::newRow(name) << row;
    }
    void choosingACommand()
    {
        QFETCH(ChoiceRow, row);
        const QString text = inScript(row.line);
        const QString expected = after(false, row.line, row.written);
        auto dialog = open(false, row.line);
        QVERIFY(dialog->setUp());
        dialog->show();
        if (!row.typedBefore.isEmpty())
            child<QPlainTextEdit>(*dialog, "valueText")->setPlainText(row.typedBefore);
        if (row.typed && !row.entry.isNull()) {
            child<QComboBox>(*dialog, "commandBox")->lineEdit()->clear();
            child<QComboBox>(*dialog, "commandBox")->setFocus();
            for (const QChar c : row.entry)
                QTest::keyClick(dialog->focusWidget(), c.toLatin1());
        } else if (!row.typed) {
            const int index = child<QComboBox>(*dialog, "commandBox")->findText(row.entry, Qt::MatchExactly | Qt::MatchCaseSensitive);
            QVERIFY(index >= 0);
            child<QComboBox>(*dialog, "commandBox")->setCurrentIndex(index);
        }
        // A null value: the dialog closed of itself.
        QCOMPARE(dialog->isClosed(), row.value.isNull());
        if (!row.value.isNull()) {
            QCOMPARE(valueShown(*dialog), row.value);
            dialog->confirm();
            QCOMPARE(dialog->isClosed(), expected != text);
        }
        QCOMPARE(editor->Text(), expected);
        QCOMPARE(f->prompt.boxes.size(), 0);
        QVERIFY(expected == text || f->undoesInOneStep(*editor, text, expected));
    }

    void okWithoutScriptWindowReports()
    {
        PropertiesDialog dialog(f->main->state().catalogue, f->main->state().prompt, QStringLiteral("tell"), nullptr, PropertiesDialog::Origin::Tree, f->main.get());
        QVERIFY(dialog.setUp());
        dialog.confirm();
        QCOMPARE(f->prompt.boxes.size(), 1);
        QCOMPARE(f->prompt.boxes.at(0).title, QStringLiteral("Could not write the line"));
        QVERIFY(f->prompt.boxes.at(0).details.contains(QLatin1String("Error number: 103")));
        QVERIFY2(!dialog.isClosed(), "the player can still cancel");
    }
};

QTEST_MAIN(tst_properties)
#include "tst_properties.moc"
