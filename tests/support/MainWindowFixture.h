#pragma once

#include "ScriptedPrompt.h"
#include "TestCatalogue.h"

#include "editor/ScriptArea.h"

#include <QString>
#include <QTemporaryDir>
#include <memory>

class MainWindow;
class RichTextControl;

// A temporary folder with a catalogue, fresh settings and a main window built on
// them, for tests that drive the whole program.
struct MainWindowFixture {
    MainWindowFixture();
    ~MainWindowFixture();

    // A catalogue with a few groups and commands, the breeds and professions.
    void fillStandardCatalogue();
    // Builds the main window and runs its start-up; returns start's result.
    bool start();
    // The standard catalogue, start-up, and the window shown on screen (for tests
    // that send real mouse and key events).
    bool startShown();

    // Edit > Undo takes the active script from `after` back to `before` at once, and
    // Edit > Redo brings `after` again.
    bool undoesInOneStep(const RichTextControl& editor, const QString& before, const QString& after);

    static void clearSettings();
    static void writeSetting(const QString& key, const QString& value);

    // The working folder is the temporary folder while the fixture lives, since an
    // empty game path makes the program look for anarchy.exe and scripts there.
    QTemporaryDir dir;
    QString previousWorkingFolder;
    ScriptedPrompt prompt;
    std::unique_ptr<TestCatalogue> catalogue;
    std::unique_ptr<MainWindow> main;
};
