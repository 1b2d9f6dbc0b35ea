#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QMainWindow;
class QMenu;
class Prompt;

// The recent scripts in the File menu, between the file items and Exit, numbered
// 1 to 8 as access keys (no listed item of the menu uses a digit). The entries are
// made afresh each time the menu opens, from the list in the settings, so two
// running copies of the program share one list.
class RecentScriptsMenu : public QObject {
    Q_OBJECT
public:
    // The entries go into `fileMenu` before `before`; `open` opens a script in a
    // window of its own.
    RecentScriptsMenu(Prompt& prompt, QMenu& fileMenu, QAction& before, std::function<void(const QString&)> open,
                      QObject* parent);

    // A script was opened or saved: it goes to the front of the list.
    static void noteScript(const QString& path);

    // The entries listRecentScripts added (the separator after them last).
    const QList<QAction*>& entries() const { return m_entries; }

public slots:
    void listRecentScripts();
    // Opens the script, or, when it no longer exists, takes it off the list and
    // says so.
    void openRecent(const QString& path);

private:
    Prompt& m_prompt;
    QPointer<QMenu> m_fileMenu;
    QPointer<QAction> m_exit;
    std::function<void(const QString&)> m_open;
    QList<QAction*> m_entries;
};
