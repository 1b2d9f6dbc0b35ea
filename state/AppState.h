#pragma once

#include <QObject>
#include <QString>

#include <functional>

class Catalogue;
class Prompt;
class Settings;

// The program-wide values, owned by the main window and handed by reference to
// every window and dialog that needs them. Nothing else is global, and no window
// is reached through here: script windows are reached through ScriptWorkspace.
class AppState : public QObject {
    Q_OBJECT
public:
    AppState(Prompt& p, Catalogue& c, Settings& s) : prompt(p), catalogue(c), settings(s) {}

    Prompt& prompt;
    Catalogue& catalogue;
    Settings& settings;

    // Mirrors the "FreeType" setting: the player may type into scripts.
    bool freeType() const { return m_freeType; }
    void setFreeType(bool on);

    // Folder of anarchy.exe with its trailing "/", or empty (names then resolve
    // against the working folder).
    QString gamePath() const { return m_gamePath; }
    // The tree's script files, the file dialogs and Check Script follow a change.
    void setGamePath(const QString& path);
    // Told of every script file a window has opened or saved (the recent list).
    std::function<void(const QString& path)> scriptFileUsed;

signals:
    // Free typing was switched on or off; the open script windows lock or unlock.
    void freeTypeChanged(bool on);
    void gamePathChanged(const QString& path);

private:
    bool m_freeType = false;
    QString m_gamePath;
};
