#include "support/Child.h"
#include "ScriptedPrompt.h"

#include "catalogue/Catalogue.h"
#include "dialogs/PropertiesDialog.h"
#include "platform/RichTextControl.h"
#include "platform/Settings.h"
#include "state/AppState.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QtTest>

// Every command of the shipped catalogue survives the trip through the properties
// dialog: the line written from the tree, double-clicked again, shows the same list
// entry and the same value, and OK on it writes back exactly the same line.
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
};

void tst_catalogue_roundtrip::initTestCase()
{
    const QString build = qEnvironmentVariable("ZANDREL_TEST_BUILD_DIR");
    m_catalogue = std::make_unique<Catalogue>(
        m_prompt, (build.isEmpty() ? QCoreApplication::applicationDirPath() : build) + QStringLiteral("/zandrel.db"));
    QCOMPARE(m_catalogue->OpenCatalogue(), Catalogue::OpenResult::Open);
    m_state = std::make_unique<AppState>(m_prompt, *m_catalogue, m_settings);
}

// Runs after initTestCase: one row per command and value, the command as the dialog's
// list shows it ("pet rename"). Example scripts are finished lines, never edited.
void tst_catalogue_roundtrip::roundTrip_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("value");
    QHash<int, QString> prefixes;
    for (const CatalogueGroup& g : m_catalogue->commandTree([](int) { return false; }))
        prefixes.insert(g.id, g.prefix.isEmpty() ? QString() : g.prefix + QLatin1Char(' '));
    const std::vector<CatalogueCommand> commands = m_catalogue->allCommands();
    QVERIFY(commands.size() > 150);
    for (const CatalogueCommand& c : commands) {
        const QString entry = prefixes.value(c.group) + c.text;
        const int type = int(c.type);
        const QStringList values = type == 1 ? QStringList{"Bob", "hi there Bob"} : QStringList{type == 3 ? "3000" : ""};
        for (const QString& value : values) {
            if (c.group != 9)
                QTest::newRow(qPrintable(entry + u' ' + value)) << entry << type << value;
        }
    }
}

void tst_catalogue_roundtrip::roundTrip()
{
    QFETCH(QString, entry);
    QFETCH(int, type);
    QFETCH(QString, value);

    // Written from the tree, with `value` typed or picked.
    RichTextControl editor;
    {
        PropertiesDialog dialog(m_state->catalogue, m_state->prompt, entry, &editor, PropertiesDialog::Origin::Tree);
        if (dialog.setUp()) {
            child<QPlainTextEdit>(dialog, "valueText")->isHidden() ? child<QComboBox>(dialog, "valueCombo")->setEditText(value) : child<QPlainTextEdit>(dialog, "valueText")->setPlainText(value);
            dialog.confirm();
        }
    }
    const QString written = editor.Text();
    QVERIFY2(written.startsWith(u'/' + entry) && written.endsWith(u'\n') && written.count(u'\n') == 1, qPrintable(written));
    const QString line = written.chopped(1);

    // Double-click the line: the dialog opens on it, a command without a value too,
    // showing the same entry and value; OK leaves the line as it was.
    editor.setText(line);
    editor.select(0, line.size());
    PropertiesDialog dialog(m_state->catalogue, m_state->prompt, line, &editor, PropertiesDialog::Origin::ScriptLine);
    QVERIFY(dialog.setUp());
    QCOMPARE(child<QComboBox>(dialog, "commandBox")->currentText(), entry);
    if (type != 0)
        QCOMPARE(child<QPlainTextEdit>(dialog, "valueText")->isHidden() ? child<QComboBox>(dialog, "valueCombo")->currentText() : child<QPlainTextEdit>(dialog, "valueText")->toPlainText(), value);
    dialog.confirm();
    QVERIFY(dialog.isClosed());
    QCOMPARE(editor.Text(), line);
}

QTEST_MAIN(tst_catalogue_roundtrip)
#include "tst_catalogue_roundtrip.moc"
