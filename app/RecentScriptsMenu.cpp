#include "app/RecentScriptsMenu.h"

#include "app/RecentScripts.h"
#include "platform/Prompt.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

RecentScriptsMenu::RecentScriptsMenu(Prompt& prompt, QMenu& fileMenu, QAction& before,
                                     std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent),
      m_prompt(prompt),
      m_fileMenu(&fileMenu),
      m_exit(&before),
      m_open(std::move(open))
{
    if (m_fileMenu)
        connect(m_fileMenu, &QMenu::aboutToShow, this, &RecentScriptsMenu::listRecentScripts);
}

void RecentScriptsMenu::noteScript(const QString& path)
{
    // Read again first: another running copy may have added scripts since.
    RecentScripts recent = RecentScripts::load();
    recent.add(path);
    recent.save();
}

void RecentScriptsMenu::listRecentScripts()
{
    for (QAction* entry : std::as_const(m_entries)) {
        if (m_fileMenu)
            m_fileMenu->removeAction(entry);
        entry->deleteLater();
    }
    m_entries.clear();
    if (!m_fileMenu || !m_exit)
        return;
    const QStringList paths = RecentScripts::load().paths();
    int number = 0;
    for (const QString& path : paths) {
        ++number;
        // A deep folder under Wine would make the menu as wide as the screen.
        QString shown = m_fileMenu->fontMetrics().elidedText(
            path, Qt::ElideMiddle, m_fileMenu->fontMetrics().averageCharWidth() * 60);
        shown.replace(u'&', QStringLiteral("&&"));
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(number).arg(shown), m_fileMenu);
        entry->setObjectName(QStringLiteral("mnuRecent_%1").arg(number));
        entry->setStatusTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { openRecent(path); });
        m_fileMenu->insertAction(m_exit, entry);
        m_entries.append(entry);
    }
    if (!m_entries.isEmpty())
        m_entries.append(m_fileMenu->insertSeparator(m_exit));
}

void RecentScriptsMenu::openRecent(const QString& path)
{
    RecentScripts recent = RecentScripts::load();
    if (recent.dropIfMissing(path)) {
        recent.save();
        m_prompt.notify(RecentScripts::missingTitle(), RecentScripts::missingText(path), PromptIcon::Information);
        return;
    }
    if (m_open)
        m_open(path);
}
