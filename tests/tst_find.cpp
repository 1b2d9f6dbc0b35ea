#include "support/Child.h"
#include "MainWindowFixture.h"

#include "app/MainWindow.h"
#include "dialogs/FindDialog.h"
#include "editor/ScriptWindow.h"
#include "platform/RichTextControl.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QtTest>

class tst_find : public QObject {
    Q_OBJECT
    // A started main window, and a find dialog on its script.
    std::unique_ptr<MainWindowFixture> m_f;
    ScriptWindow* m_window = nullptr;
    RichTextControl* m_editor = nullptr;
    std::unique_ptr<FindDialog> m_dialog;

    // "start+length" of the selection.
    QString selection() const { return QStringLiteral("%1+%2").arg(m_editor->SelStart()).arg(m_editor->SelLength()); }

private slots:
    void init()
    {
        m_f = std::make_unique<MainWindowFixture>();
        QVERIFY(m_f->start());
        m_window = m_f->main->activeScriptWindow();
        QVERIFY(m_window);
        m_editor = m_window->editor();
        m_dialog = std::make_unique<FindDialog>(m_f->main->state().prompt, m_editor, m_f->main.get());
        m_f->prompt.clear();
    }
    void cleanup()
    {
        m_dialog.reset();
        m_f.reset();
    }

    void enabling_data()
    {
        QTest::addColumn<QString>("findText");
        QTest::addColumn<QString>("replaceText");
        QTest::addColumn<QString>("enabled");
        QTest::newRow("find text only") << "x" << "" << "findButton";
        QTest::newRow("replace text only") << "" << "y" << "replaceButton replaceAllButton";
    }
    // Find Next needs a find text, Replace and Replace All a replace text, once the
    // replace row shows; folded, Replace stays pressable since it is what unfolds.
    void enabling()
    {
        QFETCH(QString, findText);
        QFETCH(QString, replaceText);
        QFETCH(QString, enabled);
        child<QPushButton>(*m_dialog, "replaceButton")->click();
        // Typed and cleared again, so each field goes through both of its states.
        for (QLineEdit* field : {child<QLineEdit>(*m_dialog, "findField"), child<QLineEdit>(*m_dialog, "replaceField")}) {
            QTest::keyClicks(field, QStringLiteral("zz"));
            field->clear();
            QTest::keyClicks(field, field == child<QLineEdit>(*m_dialog, "findField") ? findText : replaceText);
        }
        QStringList on;
        for (QPushButton* b : {child<QPushButton>(*m_dialog, "findButton"), child<QPushButton>(*m_dialog, "replaceButton"), child<QPushButton>(*m_dialog, "replaceAllButton")})
            if (b->isEnabled())
                on << b->objectName();
        QCOMPARE(on.join(u' '), enabled);
    }

    void findNext_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("caret");
        QTest::addColumn<QString>("findText");
        QTest::addColumn<bool>("options");      // whole word and match case
        // The selection after each Enter; "0+0" is a "No matches", "!" the status bar's
        // "Passed the end of the script".
        QTest::addColumn<QStringList>("seen");
        QTest::newRow("from the caret, wraps past the end") << "ab ab ab" << 4 << "ab" << false << QStringList{"6+2", "0+2!", "3+2"};
        // The step past the last match follows the search's own letter-case rule.
        QTest::newRow("a match in another case is stepped over") << "ABC abc" << 0 << "abc" << false << QStringList{"0+3", "4+3", "0+3!"};
        QTest::newRow("no match anywhere") << "ab ab" << 3 << "x" << false << QStringList{"3+0"};
        QTest::newRow("whole word and match case") << "Cat catalog cat" << 0 << "cat" << true << QStringList{"12+3"};
    }
    void findNext()
    {
        QFETCH(QString, text);
        QFETCH(int, caret);
        QFETCH(QString, findText);
        QFETCH(bool, options);
        QFETCH(QStringList, seen);
        m_editor->setText(text);
        m_editor->setSelStart(caret);
        child<QLineEdit>(*m_dialog, "findField")->setText(findText);
        child<QCheckBox>(*m_dialog, "wholeWordBox")->setChecked(options);
        child<QCheckBox>(*m_dialog, "matchCaseBox")->setChecked(options);
        QSignalSpy status(m_dialog.get(), &FindDialog::statusMessage);
        QStringList got;
        for (qsizetype i = 0; i < seen.size(); ++i) {
            QTest::keyClick(child<QLineEdit>(*m_dialog, "findField"), Qt::Key_Return);  // Enter in the field is Find Next
            got << selection() + (status.last().at(0).toString() == QLatin1String("Passed the end of the script") ? "!" : "");
        }
        QCOMPARE(got, seen);
        const bool none = seen == QStringList{QString::number(caret) + "+0"};
        QCOMPARE(m_f->prompt.boxes.size(), none ? 1 : 0);
        QCOMPARE(m_f->prompt.boxes.value(0).text, none ? QStringLiteral("No matches") : QString());
    }

    void replacing_data()
    {
        QTest::addColumn<QString>("button");  // Replace or Replace All
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("selStart");
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("findText");
        QTest::addColumn<bool>("options");  // whole word and match case
        QTest::addColumn<QString>("after");
        // Replace takes a selection that is a match as the search finds it.
        QTest::newRow("Replace, selected match") << "Replace" << "ab ab" << 3 << 2 << "ab" << false << "ab <ab>";
        QTest::newRow("Replace, match in another case") << "Replace" << "AB ab" << 0 << 2 << "ab" << false << "<ab> ab";
        QTest::newRow("Replace, selection not the find text") << "Replace" << "ab ab" << 0 << 1 << "ab" << false << "ab ab";
        // Replace All changes every match of the script, wherever the caret stands,
        // never searching what it wrote.
        QTest::newRow("Replace All, caret in the middle, any case") << "Replace All" << "ab AB ab" << 4 << 0 << "ab" << false << "<ab> <ab> <ab>";
        QTest::newRow("Replace All, whole word and match case") << "Replace All" << "AB abc ab" << 0 << 0 << "ab" << true << "AB abc <ab>";
        QTest::newRow("Replace All, empty find text ends at once") << "Replace All" << "ab" << 0 << 0 << "" << false << "ab";
    }
    // Each replacing is one Undo step and marks the script edited; nothing is asked.
    void replacing()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, findText);
        QFETCH(bool, options);
        QFETCH(QString, after);
        m_editor->setText(text);
        m_window->setChanged(false);
        child<QPushButton>(*m_dialog, "replaceButton")->click();  // the first click unfolds and changes nothing
        QCOMPARE(m_editor->Text(), text);
        child<QLineEdit>(*m_dialog, "findField")->setText(findText);
        child<QLineEdit>(*m_dialog, "replaceField")->setText(QStringLiteral("<ab>"));
        child<QCheckBox>(*m_dialog, "wholeWordBox")->setChecked(options);
        child<QCheckBox>(*m_dialog, "matchCaseBox")->setChecked(options);
        m_editor->select(selStart, selLength);
        QSignalSpy status(m_dialog.get(), &FindDialog::statusMessage);
        (button == "Replace" ? child<QPushButton>(*m_dialog, "replaceButton") : child<QPushButton>(*m_dialog, "replaceAllButton"))->click();
        QCOMPARE(m_editor->Text(), after);
        // Replace All counts its replacements in the status bar.
        const qsizetype replaced = after.count(QStringLiteral("<ab>"));
        QCOMPARE(status.size(), button == "Replace" ? 0 : 1);
        QVERIFY(button == "Replace" || status.last().at(0).toString().contains(replaced ? QString::number(replaced) : QStringLiteral("No")));
        QVERIFY(m_f->prompt.boxes.isEmpty());
        QCOMPARE(m_window->isChanged(), after != text);
        QVERIFY(after == text || m_f->undoesInOneStep(*m_editor, text, after));
    }

    // Edit > Find searches the active script, and Escape closes it; with no script
    // open it opens nothing.
    void menuOpensOnTheActiveScriptAndEscapeCloses()
    {
        m_editor->setText(QStringLiteral("say hi\n/tell hi"));
        int opened = 0;
        bool escaped = false;
        const auto findTwice = [&] {
            auto* dialog = qobject_cast<FindDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            ++opened;
            QTest::keyClicks(child<QLineEdit>(*dialog, "findField"), QStringLiteral("hi"));
            child<QPushButton>(*dialog, "findButton")->click();
            child<QPushButton>(*dialog, "findButton")->click();
            QTest::keyClick(child<QLineEdit>(*dialog, "findField"), Qt::Key_Escape);
            escaped = !dialog->isVisible();
            child<QPushButton>(*dialog, "cancelButton")->click();  // should Escape fail, the test still ends
        };
        QAction* find = m_f->main->findChild<QAction*>(QStringLiteral("mnuFind"));
        QTimer::singleShot(0, findTwice);
        find->trigger();
        QCOMPARE(selection(), QStringLiteral("13+2"));
        QVERIFY(escaped);
        // F3 goes on with the dialog's search, past the end to the top.
        m_f->main->findChild<QAction*>(QStringLiteral("mnuFindNext"))->trigger();
        QCOMPARE(selection(), QStringLiteral("4+2"));
        QCOMPARE(m_f->main->findChild<QLabel*>(QStringLiteral("statusLabel"))->text(), QStringLiteral("Passed the end of the script"));
        m_f->prompt.answer(PromptAnswer::Discard);  // the script's closing question
        m_f->main->scriptArea().closeAllSubWindows();
        QTimer::singleShot(0, findTwice);
        find->trigger();
        QCoreApplication::processEvents();
        QCOMPARE(opened, 1);
    }
};

QTEST_MAIN(tst_find)
#include "tst_find.moc"
