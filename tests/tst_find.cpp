#include "DialogLayout.h"
#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "dialogs/FindStepping.h"
#include "dialogs/frmFind.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

// A started main window whose script holds `text`, and a find dialog on it.
struct FindOn {
    MainWindowFixture f;
    RichTextControl* editor = nullptr;
    std::unique_ptr<frmFind> dialog;

    explicit FindOn(const QString& text)
    {
        if (!f.start())
            return;
        frmWindow* window = f.main->activeScriptWindow();
        if (!window)
            return;
        editor = window->rtfrypAO;
        editor->setText(text);
        dialog = std::make_unique<frmFind>(f.main->state(), editor, f.main.get());
        f.prompt.clear();
    }

    // "start+length" of the selection.
    QString selection() const { return QStringLiteral("%1+%2").arg(editor->SelStart()).arg(editor->SelLength()); }
};

}

class tst_find : public QObject {
    Q_OBJECT
private slots:
    void optionSet_data();
    void optionSet();
    void replaceAllOnADocument_data();
    void replaceAllOnADocument();

    void designState();
    void enabling_data();
    void enabling();
    void unfold();
    void findNext_data();
    void findNext();
    void replace_data();
    void replace();
    void replaceAllInTheDialog_data();
    void replaceAllInTheDialog();
    void escapeCloses();
    void menuWithoutAWindowDoesNothing();
    void menuOpensOnTheActiveScript();
};

void tst_find::optionSet_data()
{
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("flags");
    QTest::newRow("neither") << false << false << 0 << 0;
    QTest::newRow("whole word") << true << false << 2 << int(QTextDocument::FindWholeWords);
    QTest::newRow("match case") << false << true << 4 << int(QTextDocument::FindCaseSensitively);
    QTest::newRow("both") << true << true << 6
                          << int(QTextDocument::FindWholeWords | QTextDocument::FindCaseSensitively);
}

void tst_find::optionSet()
{
    QFETCH(bool, wholeWord);
    QFETCH(bool, matchCase);
    QFETCH(int, options);
    QFETCH(int, flags);
    QCOMPARE(FindStepping::options(wholeWord, matchCase), options);
    QCOMPARE(int(FindStepping::findFlags(options)), flags);
    // The dialog's own answer from its two boxes.
    FindOn s(QString{});
    QVERIFY(s.dialog);
    s.dialog->chkWholeWord->setChecked(wholeWord);
    s.dialog->chkMatchCase->setChecked(matchCase);
    QCOMPARE(s.dialog->FlagMe(), options);
}

void tst_find::replaceAllOnADocument_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("findText");
    QTest::addColumn<QString>("replaceText");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("caretAfter");
    QTest::newRow("from the top, match at 0 included") << "a a a" << 0 << "a" << "bb" << 0 << "bb bb bb" << 3 << 8;
    QTest::newRow("inserted text is not searched again") << "a a a" << 0 << "a" << "aa" << 0 << "aa aa aa" << 3 << 8;
    QTest::newRow("replacement holds the find text twice") << "xa" << 0 << "a" << "aaa" << 0 << "xaaa" << 1 << 4;
    QTest::newRow("from the caret onward") << "a a a" << 2 << "a" << "b" << 0 << "a b b" << 2 << 5;
    QTest::newRow("caret inside a match skips it") << "abc abc" << 1 << "abc" << "X" << 0 << "abc X" << 1 << 5;
    QTest::newRow("empty find text ends at once") << "a a" << 0 << "" << "b" << 0 << "a a" << 0 << 0;
    QTest::newRow("no match leaves the caret") << "xyz" << 1 << "q" << "b" << 0 << "xyz" << 0 << 1;
    QTest::newRow("empty replacement deletes") << "aaa" << 0 << "a" << "" << 0 << "" << 3 << 0;
    QTest::newRow("deletion never rejoins a match behind") << "aabb" << 0 << "ab" << "" << 0 << "ab" << 1 << 1;
    QTest::newRow("any case by default") << "Ab aB" << 0 << "ab" << "x" << 0 << "x x" << 2 << 3;
    QTest::newRow("match case") << "Ab ab" << 0 << "ab" << "x" << 4 << "Ab x" << 1 << 4;
    QTest::newRow("whole word") << "cat catalog cat" << 0 << "cat" << "dog" << 2 << "dog catalog dog" << 2 << 15;
    QTest::newRow("across lines") << "a\na\n" << 0 << "a" << "bc" << 0 << "bc\nbc\n" << 2 << 5;
}

void tst_find::replaceAllOnADocument()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, findText);
    QFETCH(QString, replaceText);
    QFETCH(int, options);
    QFETCH(QString, after);
    QFETCH(int, count);
    QFETCH(int, caretAfter);
    QTextDocument doc;
    doc.setPlainText(text);
    QTextCursor cursor(&doc);
    cursor.setPosition(caret);
    QCOMPARE(FindStepping::replaceAll(cursor, findText, replaceText, options), count);
    QCOMPARE(doc.toPlainText(), after);
    QCOMPARE(cursor.position(), caretAfter);
    QVERIFY(!cursor.hasSelection());
    // However many replacements, one undo takes them all back.
    doc.undo();
    QCOMPARE(doc.toPlainText(), text);
}

void tst_find::designState()
{
    FindOn s(QString{});
    QVERIFY(s.dialog);
    frmFind& d = *s.dialog;
    QCOMPARE(d.windowTitle(), QStringLiteral("Find"));
    QVERIFY(d.windowFlags().testFlag(Qt::Tool));
    QVERIFY(d.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!d.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(d.minimumSize(), d.maximumSize());

    QVERIFY(d.Picture1->isHidden());
    QVERIFY(!d.Picture2->isHidden());
    QVERIFY(!d.cmdFind->isEnabled());
    QVERIFY(d.cmdReplace->isEnabled());
    QVERIFY(!d.cmdRepAll->isEnabled());
    QVERIFY(!d.chkWholeWord->isChecked());
    QVERIFY(!d.chkMatchCase->isChecked());
    for (QPushButton* b : {d.cmdFind, d.cmdReplace, d.cmdRepAll, d.cmdCancel})
        QVERIFY2(!b->isDefault() && !b->autoDefault(), qPrintable(b->objectName()));
    // Tab order: find field, Find Next, the replace row, Replace, the options.
    const QList<QWidget*> order{d.txtFind,   d.cmdFind,   d.txtReplace,   d.cmdRepAll,
                                d.cmdReplace, d.cmdCancel, d.chkWholeWord, d.chkMatchCase};
    QCOMPARE(focusOrder(&d, order), order);
}

void tst_find::enabling_data()
{
    QTest::addColumn<bool>("unfolded");
    QTest::addColumn<QString>("findText");
    QTest::addColumn<QString>("replaceText");
    QTest::addColumn<bool>("findNext");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<bool>("replaceAll");
    QTest::newRow("find-only, empty") << false << "" << "" << false << true << false;
    QTest::newRow("find-only, find text") << false << "x" << "" << true << true << false;
    QTest::newRow("unfolded, empty") << true << "" << "" << false << false << false;
    QTest::newRow("unfolded, find text only") << true << "x" << "" << true << false << false;
    QTest::newRow("unfolded, replace text only") << true << "" << "y" << false << true << true;
    QTest::newRow("unfolded, both") << true << "x" << "y" << true << true << true;
}

void tst_find::enabling()
{
    QFETCH(bool, unfolded);
    QFETCH(QString, findText);
    QFETCH(QString, replaceText);
    QFETCH(bool, findNext);
    QFETCH(bool, replace);
    QFETCH(bool, replaceAll);
    FindOn s(QString{});
    QVERIFY(s.dialog);
    if (unfolded)
        s.dialog->cmdReplace_Click();
    // Typed and cleared again, so each field goes through both of its states. The
    // replace field can only be typed into once it shows.
    QTest::keyClicks(s.dialog->txtFind, QStringLiteral("zz"));
    s.dialog->txtFind->clear();
    QTest::keyClicks(s.dialog->txtFind, findText);
    if (unfolded) {
        QTest::keyClicks(s.dialog->txtReplace, QStringLiteral("zz"));
        s.dialog->txtReplace->clear();
        QTest::keyClicks(s.dialog->txtReplace, replaceText);
    }
    QCOMPARE(s.dialog->cmdFind->isEnabled(), findNext);
    QCOMPARE(s.dialog->cmdReplace->isEnabled(), replace);
    QCOMPARE(s.dialog->cmdRepAll->isEnabled(), replaceAll);
}

void tst_find::unfold()
{
    FindOn s(QStringLiteral("abc"));
    QVERIFY(s.dialog);
    s.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dialog.get()));
    s.editor->select(0, 0);
    s.dialog->cmdReplace_Click();
    QVERIFY(s.dialog->replaceShown());
    QVERIFY(!s.dialog->cmdReplace->isEnabled());
    // The options panel moves right under the replace panel.
    QCOMPARE(s.dialog->Picture2->y(), s.dialog->Picture1->geometry().bottom() + 1);
    QVERIFY(s.dialog->height() > s.dialog->Picture2->geometry().bottom());
    QCOMPARE(s.dialog->minimumSize(), s.dialog->maximumSize());
    // Unfolding writes nothing into the script.
    QCOMPARE(s.editor->Text(), QStringLiteral("abc"));
    // The Replace button lies over the replace panel, in front of it.
    QCOMPARE(s.dialog->childAt(s.dialog->cmdReplace->geometry().center()), s.dialog->cmdReplace);
}

void tst_find::findNext_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("findText");
    QTest::addColumn<bool>("wholeWord");
    QTest::addColumn<bool>("matchCase");
    QTest::addColumn<QStringList>("seen");  // the selection after each click; "0+0" is a "No matches"
    QTest::newRow("walks, wraps once with a box") << "ab ab ab" << 0 << "ab" << false << false
                                                  << QStringList{"0+2", "3+2", "6+2", "0+0", "0+2"};
    QTest::newRow("no match ahead starts again at the top") << "one two\nthree" << 9 << "two" << false << false
                                                            << QStringList{"0+0", "4+3"};
    // The step past the last match follows the search's own letter-case rule.
    QTest::newRow("other case is stepped over") << "ABC abc" << 0 << "abc" << false << false
                                                << QStringList{"0+3", "4+3", "0+0"};
    QTest::newRow("other case, longer word first") << "ABC ab" << 0 << "ab" << false << false
                                                   << QStringList{"0+2", "4+2"};
    QTest::newRow("any case") << "Cat cat" << 0 << "cat" << false << false << QStringList{"0+3"};
    QTest::newRow("match case") << "Cat cat" << 0 << "cat" << false << true << QStringList{"4+3"};
    QTest::newRow("whole word") << "catalog cat" << 0 << "cat" << true << false << QStringList{"8+3"};
    QTest::newRow("both") << "Cat catalog cat" << 0 << "cat" << true << true << QStringList{"12+3"};
    QTest::newRow("both, no match") << "Cat catalog" << 0 << "cat" << true << true << QStringList{"0+0"};
}

void tst_find::findNext()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, findText);
    QFETCH(bool, wholeWord);
    QFETCH(bool, matchCase);
    QFETCH(QStringList, seen);
    FindOn s(text);
    QVERIFY(s.dialog);
    s.editor->setSelStart(caret);
    s.dialog->txtFind->setText(findText);
    s.dialog->chkWholeWord->setChecked(wholeWord);
    s.dialog->chkMatchCase->setChecked(matchCase);
    QStringList got;
    for (qsizetype i = 0; i < seen.size(); ++i) {
        QTest::keyClick(s.dialog->txtFind, Qt::Key_Return);  // Enter in the field is Find Next
        got << s.selection();
    }
    QCOMPARE(got, seen);
    QCOMPARE(s.f.prompt.boxes.size(), seen.count(QStringLiteral("0+0")));
    for (const MessageBoxSpec& box : std::as_const(s.f.prompt.boxes)) {
        QCOMPARE(box.title, QStringLiteral("Find"));
        QCOMPARE(box.text, QStringLiteral("No matches"));
        QCOMPARE(box.icon, PromptIcon::Information);
        QCOMPARE(box.buttons, PromptButtons::Ok);
    }
}

void tst_find::replace_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("findText");
    QTest::addColumn<QString>("replaceText");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("caret");
    QTest::newRow("selected match") << "ab ab" << 3 << 2 << "ab" << "xyz" << "ab xyz" << 6;
    QTest::newRow("selection is not the find text") << "ab ab" << 0 << 1 << "ab" << "xyz" << "ab ab" << 0;
    QTest::newRow("nothing selected") << "ab ab" << 2 << 0 << "ab" << "xyz" << "ab ab" << 2;
    // Replace takes a match as the search finds it: in any letter case here.
    QTest::newRow("selection in another case") << "ABC abc" << 0 << 3 << "abc" << "x" << "x abc" << 1;
    QTest::newRow("empty find, empty selection inserts") << "ab" << 1 << 0 << "" << "Q" << "aQb" << 2;
}

void tst_find::replace()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, findText);
    QFETCH(QString, replaceText);
    QFETCH(QString, after);
    QFETCH(int, caret);
    FindOn s(text);
    QVERIFY(s.dialog);
    s.dialog->cmdReplace_Click();  // unfold first: the first click changes nothing
    QCOMPARE(s.editor->Text(), text);
    s.dialog->txtFind->setText(findText);
    s.dialog->txtReplace->setText(replaceText);
    s.editor->select(selStart, selLength);
    s.dialog->cmdReplace_Click();
    QCOMPARE(s.editor->Text(), after);
    QCOMPARE(s.editor->SelStart(), caret);
    // No search follows a replacement.
    QCOMPARE(s.editor->SelLength(), after == text ? selLength : 0);
    QVERIFY(s.f.prompt.boxes.isEmpty());
}

void tst_find::replaceAllInTheDialog_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("findText");
    QTest::addColumn<QString>("replaceText");
    QTest::addColumn<QString>("after");
    QTest::newRow("a a a to bb from the top") << "a a a" << 0 << "a" << "bb" << "bb bb bb";
    QTest::newRow("caret in the middle") << "a a a" << 3 << "a" << "bb" << "a a bb";
    QTest::newRow("empty find text ends at once") << "a a a" << 0 << "" << "bb" << "a a a";
}

void tst_find::replaceAllInTheDialog()
{
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, findText);
    QFETCH(QString, replaceText);
    QFETCH(QString, after);
    FindOn s(text);
    QVERIFY(s.dialog);
    s.editor->setSelStart(caret);
    frmWindow* window = s.f.main->activeScriptWindow();
    window->setChanged(false);
    s.dialog->cmdReplace_Click();
    s.dialog->txtFind->setText(findText);
    s.dialog->txtReplace->setText(replaceText);
    QVERIFY(s.dialog->cmdRepAll->isEnabled());
    s.dialog->cmdRepAll->click();
    QCOMPARE(s.editor->Text(), after);
    QVERIFY(s.f.prompt.boxes.isEmpty());
    // The script is marked edited once anything was replaced.
    QCOMPARE(window->Changed(), after != text);
    QVERIFY(after == text || s.f.undoesInOneStep(*s.editor, text, after));
}

void tst_find::escapeCloses()
{
    FindOn s(QString{});
    QVERIFY(s.dialog);
    s.dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(s.dialog.get()));
    QTest::keyClick(s.dialog->txtFind, Qt::Key_Escape);
    QVERIFY(!s.dialog->isVisible());
    QCOMPARE(s.dialog->result(), int(QDialog::Rejected));
}

void tst_find::menuWithoutAWindowDoesNothing()
{
    MainWindowFixture f;
    QVERIFY(f.start());
    f.main->mdiArea->closeAllSubWindows();
    bool dialogSeen = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            dialogSeen = true;
            modal->close();
        }
    });
    f.main->findChild<QAction*>(QStringLiteral("mnuFind"))->trigger();
    QCoreApplication::processEvents();
    QVERIFY(!dialogSeen);
}

void tst_find::menuOpensOnTheActiveScript()
{
    MainWindowFixture f;
    QVERIFY(f.start());
    frmWindow* window = f.main->activeScriptWindow();
    QVERIFY(window);
    window->rtfrypAO->setText(QStringLiteral("say hi\n/tell hi"));
    QString title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<frmFind*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        QTest::keyClicks(dialog->txtFind, QStringLiteral("hi"));
        dialog->cmdFind->click();
        dialog->cmdFind->click();
        dialog->cmdCancel->click();
    });
    f.main->findChild<QAction*>(QStringLiteral("mnuFind"))->trigger();
    QCOMPARE(title, QStringLiteral("Find"));
    QCOMPARE(window->rtfrypAO->SelStart(), 13);
    QCOMPARE(window->rtfrypAO->SelText(), QStringLiteral("hi"));
}

QTEST_MAIN(tst_find)
#include "tst_find.moc"
