#include "ScriptedPrompt.h"

#include "state/AppState.h"
#include "platform/Settings.h"
#include "catalogue/Catalogue.h"
#include "dialogs/frmProperties.h"
#include "platform/RichTextControl.h"

#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QtTest>

// Every command of the shipped catalogue survives the trip through the properties
// dialog: the line written from the tree, double-clicked again, shows the same list
// entry and the same value, and OK on it writes back exactly the same line.
namespace {

struct Command {
    QString entry; // as the dialog's list shows it: "pet rename"
    int type;
};

}

class tst_catalogue_roundtrip : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void roundTrip_data();
    void roundTrip();

private:
    ScriptedPrompt m_prompt;
    Settings m_settings;
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<AppState> m_state;
    QList<Command> m_commands;
};

void tst_catalogue_roundtrip::initTestCase()
{
    const QString build = qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR");
    m_catalogue = std::make_unique<Catalogue>(
        m_prompt, (build.isEmpty() ? QCoreApplication::applicationDirPath() : build) + QStringLiteral("/zandrel.db"));
    QCOMPARE(m_catalogue->OpenCatalogue(), Catalogue::OpenResult::Open);
    m_state = std::make_unique<AppState>(m_prompt, *m_catalogue, m_settings);
    QHash<int, QString> prefixes;
    for (const CatalogueGroup& g : m_catalogue->commandTree([](int) { return false; }))
        prefixes.insert(g.id, g.prefix.isEmpty() ? QString() : g.prefix + QLatin1Char(' '));
    for (const CatalogueCommand& c : m_catalogue->allCommands()) {
        // Example scripts are finished lines, written as they stand, never edited.
        if (c.group != 9)
            m_commands.append({prefixes.value(c.group) + c.text, c.type});
    }
    QVERIFY(m_commands.size() > 150);
}

void tst_catalogue_roundtrip::roundTrip_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("value");
    // The commands are read from the catalogue in initTestCase, which runs first.
    for (qsizetype i = 0; i < m_commands.size(); ++i) {
        const Command& c = m_commands.at(i);
        if (c.type == 1) {
            QTest::newRow(qPrintable(c.entry + QStringLiteral(" one word"))) << int(i) << QStringLiteral("Bob");
            QTest::newRow(qPrintable(c.entry + QStringLiteral(" with spaces"))) << int(i) << QStringLiteral("hi there Bob");
        } else if (c.type == 3) {
            QTest::newRow(qPrintable(c.entry + QStringLiteral(" 3000"))) << int(i) << QStringLiteral("3000");
        } else {
            QTest::newRow(qPrintable(c.entry)) << int(i) << QString();
        }
    }
}

void tst_catalogue_roundtrip::roundTrip()
{
    QFETCH(int, index);
    QFETCH(QString, value);
    const Command& command = m_commands.at(index);

    // Written from the tree, with `value` typed or picked.
    RichTextControl editor;
    m_state->CurrentLine = command.entry;
    {
        frmProperties dialog(*m_state, &editor, frmProperties::Origin::Tree);
        if (dialog.Form_Load()) {
            if (command.type == 1)
                dialog.txtEdit->setPlainText(value);
            else if (command.type == 3)
                dialog.lstEdit->setCurrentItem(dialog.lstEdit->findItems(value, Qt::MatchExactly).value(0));
            dialog.cmdOk_Click();
        }
    }
    const QString written = editor.Text();
    QVERIFY2(written.endsWith(QLatin1Char('\n')), qPrintable(written));
    const QString line = written.chopped(1);
    QVERIFY2(line.startsWith(QLatin1Char('/') + command.entry), qPrintable(line));
    QVERIFY2(!line.contains(QLatin1Char('\n')), qPrintable(line));

    // Double-click the line: the dialog opens on it.
    editor.setText(line);
    editor.select(0, line.size());
    m_state->CurrentLine = line;
    frmProperties dialog(*m_state, &editor, frmProperties::Origin::ScriptLine);
    const bool shown = dialog.Form_Load();
    if (command.type == 0) {
        // A command without a value rewrites its line at once, unchanged.
        QVERIFY(!shown);
        QCOMPARE(editor.Text(), line);
        return;
    }
    QVERIFY(shown);
    QCOMPARE(dialog.cboCommand->currentText(), command.entry);
    if (command.type == 1) {
        QVERIFY(dialog.txtEdit->isVisibleTo(&dialog));
        QCOMPARE(dialog.txtEdit->toPlainText(), value);
    } else {
        QVERIFY(dialog.lstEdit->currentItem());
        QCOMPARE(dialog.lstEdit->currentItem()->text(), value);
    }
    dialog.cmdOk_Click();
    QCOMPARE(editor.Text(), line);
}

QTEST_MAIN(tst_catalogue_roundtrip)
#include "tst_catalogue_roundtrip.moc"
