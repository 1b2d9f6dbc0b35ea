#include "MainWindowFixture.h"

#include "app/MainWindow.h"
#include "platform/RecoveryStore.h"
#include "platform/RichTextControl.h"

#include <QAction>

#include <QDir>
#include <QTest>
#include <QSettings>

MainWindowFixture::MainWindowFixture()
    : catalogue(std::make_unique<TestCatalogue>(dir.filePath(QStringLiteral("zandrel.db"))))
{
    previousWorkingFolder = QDir::currentPath();
    QDir::setCurrent(dir.path());
    clearSettings();
}

MainWindowFixture::~MainWindowFixture()
{
    main.reset();
    QDir::setCurrent(previousWorkingFolder);
}

void MainWindowFixture::fillStandardCatalogue()
{
    catalogue->addGroup(1, QStringLiteral("Communication"));
    catalogue->addGroup(5, QStringLiteral("Scripts"));
    catalogue->addGroup(7, QStringLiteral("Pet Commands"), QStringLiteral("pet"));
    catalogue->addGroup(9, QStringLiteral("Example Scripts"));
    catalogue->addCommand(101, 1, QStringLiteral("tell"), QStringLiteral("Send a private message"), 1);
    catalogue->addCommand(102, 1, QStringLiteral("help"), QStringLiteral("Open the game's help"), 1);
    catalogue->addCommand(103, 1, QStringLiteral("Help"), QStringLiteral("Capitalised twin"), 1);
    catalogue->addCommand(501, 5, QStringLiteral("delay"), QStringLiteral("Wait before the next line"), 3);
    catalogue->addCommand(502, 5, QStringLiteral("script"), QStringLiteral("Run another script"), 1);
    catalogue->addCommand(701, 7, QStringLiteral("attack"), QStringLiteral("Send the pets in"), 0);
    catalogue->addCommand(702, 7, QStringLiteral("rename"), QStringLiteral("Rename the pet"), 1, QStringLiteral("\""));
    catalogue->addCommand(901, 9, QStringLiteral("/t Help! %t is on me"), QStringLiteral("Call the team"), 0);
    for (const char* breed : {"Solitus", "Opifex", "Nanomage", "Atrox"})
        catalogue->addBreed(QString::fromLatin1(breed));
    for (const char* profession : {"Adventurer", "Agent", "Meta-Physicist"})
        catalogue->addProfession(QString::fromLatin1(profession));
}

bool MainWindowFixture::start()
{
    main = std::make_unique<MainWindow>(prompt, catalogue->path());
    return main->start();
}

bool MainWindowFixture::startShown()
{
    fillStandardCatalogue();
    if (!start())
        return false;
    main->show();
    return QTest::qWaitForWindowExposed(main.get());
}

void MainWindowFixture::clearSettings()
{
    QSettings(QStringLiteral("Zandrel"), QStringLiteral("Zandrel")).clear();
    QDir(RecoveryStore::folder()).removeRecursively();
}

void MainWindowFixture::writeSetting(const QString& key, const QString& value)
{
    QSettings store(QStringLiteral("Zandrel"), QStringLiteral("Zandrel"));
    store.setValue(QStringLiteral("Settings/") + key, value);
    store.sync();
}

bool MainWindowFixture::undoesInOneStep(const RichTextControl& editor, const QString& before, const QString& after)
{
    auto* undo = main->findChild<QAction*>(QStringLiteral("mnuUndo"));
    auto* redo = main->findChild<QAction*>(QStringLiteral("mnuRedo"));
    if (editor.Text() != after || !undo->isEnabled())
        return false;
    undo->trigger();
    const bool undone = editor.Text() == before && redo->isEnabled();
    redo->trigger();
    return undone && editor.Text() == after;
}
