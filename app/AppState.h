#pragma once

#include <QString>

#include <functional>

class Catalogue;
class Prompt;
class QMdiArea;
class QTimer;
class QWidget;
class RichTextControl;
class Settings;
class frmWindow;

// The program-wide values, owned by the main window and handed by reference to
// every window and dialog that needs them. Nothing else is global.
struct AppState {
    AppState(Prompt& p, Catalogue& c, Settings& s) : prompt(p), catalogue(c), settings(s) {}

    Prompt& prompt;
    Catalogue& catalogue;
    Settings& settings;

    // Mirrors the "FreeType" setting: the player may type into scripts.
    bool freeType = false;
    // Folder of anarchy.exe with its trailing "/", or empty (names then resolve
    // against the working folder).
    QString gamePath;
    // A command or a whole script line handed to the properties dialog.
    QString CurrentLine;
    // The editor the find dialog works on while it is open.
    RichTextControl* findTarget = nullptr;

    // The main window (owner of every modal dialog) and its child-window area.
    QWidget* mainWindow = nullptr;
    QMdiArea* mdiArea = nullptr;
    // The main window's tmHelp: a locked editor's F1 arms it for the command book.
    QTimer* helpTimer = nullptr;

    // Told of every script file a window has opened or saved (the recent list).
    std::function<void(const QString& path)> scriptFileUsed;

    // The script window the menus act on, or null when none is open.
    frmWindow* activeScriptWindow() const;
};
