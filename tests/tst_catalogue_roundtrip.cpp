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

QString shippedCatalogue()
{
    const QString dir = qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR");
    return (dir.isEmpty() ? QCoreApplication::applicationDirPath() : dir) + QStringLiteral("/zandrel.db");
}

struct Command {
    int group;
    QString text;
    int type;
    QString prefix;
};

}

class tst_catalogue_roundtrip : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void roundTrip_data();
    void roundTrip();

private:
    // Writes the line for `command` as the tree does, with `value` typed or picked.
    QString writeFromTree(const Command& command, const QString& value);
    ScriptedPrompt m_prompt;
    Settings m_settings;
    std::unique_ptr<Catalogue> m_catalogue;
    std::unique_ptr<AppState> m_state;
    QList<Command> m_commands;
};

void tst_catalogue_roundtrip::initTestCase()
{
    m_catalogue = std::make_unique<Catalogue>(m_prompt, shippedCatalogue());
    QCOMPARE(m_catalogue->OpenCatalogue(), Catalogue::OpenResult::Open);
    m_state = std::make_unique<AppState>(m_prompt, *m_catalogue, m_settings);
    QHash<int, QString> prefixes;
    for (const CatalogueGroup& g : m_catalogue->commandTree([](int) { return false; }))
        prefixes.insert(g.id, g.prefix);
    for (const CatalogueCommand& c : m_catalogue->allCommands()) {
        // Example scripts are finished lines, written as they stand, never edited.
        if (c.group == 9)
            continue;
        m_commands.append({c.group, c.text, c.type, prefixes.value(c.group)});
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
        const QString name = (c.prefix.isEmpty() ? QString() : c.prefix + QLatin1Char(' ')) + c.text;
        if (c.type == 1) {
            QTest::newRow(qPrintable(name + QStringLiteral(" one word"))) << int(i) << QStringLiteral("Bob");
            QTest::newRow(qPrintable(name + QStringLiteral(" with spaces"))) << int(i)
                                                                             << QStringLiteral("hello there Bob");
        } else if (c.type == 3) {
            QTest::newRow(qPrintable(name + QStringLiteral(" 3000"))) << int(i) << QStringLiteral("3000");
        } else {
            QTest::newRow(qPrintable(name)) << int(i) << QString();
        }
    }
}

QString tst_catalogue_roundtrip::writeFromTree(const Command& command, const QString& value)
{
    RichTextControl editor;
    m_state->CurrentLine = (command.prefix.isEmpty() ? QString() : command.prefix + QLatin1Char(' ')) + command.text;
    frmProperties dialog(*m_state, &editor, frmProperties::Origin::Tree);
    if (dialog.Form_Load()) {
        if (command.type == 1)
            dialog.txtEdit->setPlainText(value);
        else if (command.type == 3)
            dialog.lstEdit->setCurrentItem(dialog.lstEdit->findItems(value, Qt::MatchExactly).value(0));
        dialog.cmdOk_Click();
    }
    return editor.Text();
}

void tst_catalogue_roundtrip::roundTrip()
{
    QFETCH(int, index);
    QFETCH(QString, value);
    const Command& command = m_commands.at(index);
    const QString entry = (command.prefix.isEmpty() ? QString() : command.prefix + QLatin1Char(' ')) + command.text;

    const QString written = writeFromTree(command, value);
    QVERIFY2(written.endsWith(QLatin1Char('\n')), qPrintable(written));
    const QString line = written.chopped(1);
    QVERIFY2(line.startsWith(QLatin1Char('/') + entry), qPrintable(line));
    QVERIFY2(!line.contains(QLatin1Char('\n')), qPrintable(line));

    // Double-click the line: the dialog opens on it.
    RichTextControl editor;
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
    QCOMPARE(dialog.cboCommand->currentText(), entry);
    if (command.type == 1) {
        QVERIFY(dialog.txtEdit->isVisibleTo(&dialog));
        QCOMPARE(dialog.txtEdit->toPlainText(), value);
    } else {
        QVERIFY(dialog.lstEdit->isVisibleTo(&dialog));
        QVERIFY(dialog.lstEdit->currentItem());
        QCOMPARE(dialog.lstEdit->currentItem()->text(), value);
    }
    dialog.cmdOk_Click();
    QCOMPARE(editor.Text(), line);
}

QTEST_MAIN(tst_catalogue_roundtrip)
#include "tst_catalogue_roundtrip.moc"
