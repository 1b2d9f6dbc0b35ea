#pragma once

#include <QString>
#include <QStringList>

// The scripts last opened or saved, newest first, each once, at most Limit of them.
// Kept in the per-user settings beside the program's other settings.
class RecentScripts {
public:
    static constexpr qsizetype Limit = 8;

    RecentScripts() = default;
    // A list read back from the settings: tidied as if each had been added in turn,
    // so a hand-edited list with doubles, blanks or too many entries comes out sound.
    explicit RecentScripts(const QStringList& newestFirst);

    const QStringList& paths() const { return m_paths; }

    // To the front; an earlier entry of the same file goes, the oldest falls off.
    void add(const QString& path);
    void remove(const QString& path);
    // Takes the path off the list when no file is there any more; true if it did.
    bool dropIfMissing(const QString& path);

    // The short notice for an entry dropped that way.
    static QString missingTitle();
    static QString missingText(const QString& path);

    static RecentScripts load();
    void save() const;

private:
    QStringList m_paths;
};
