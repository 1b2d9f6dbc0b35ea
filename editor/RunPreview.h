#pragma once

#include "editor/ScriptKnowledge.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// A script as the game would run it, worked out before the game does: every line that
// acts, when it acts (the pauses summed), where it goes and the text as sent, with the
// scripts it starts followed into the scripts folder. Its judgement of a line is Check
// Script's own. Reads nothing but its arguments.
namespace RunPreview {

// The names the game puts in for %t, %f and %m; an empty one leaves its variable as
// written, so the player sees where a name would go.
struct Names {
    QString target;
    QString fightingTarget;
    QString own;
};

struct ScriptsFolder {
    // The file names of the game's scripts folder; none when no folder is known.
    std::optional<QStringList> files;
    // The text of one script of the folder by its name as a line writes it (letter
    // case aside); none when it is not there or cannot be read.
    std::function<std::optional<QString>(const QString& name)> read;
};

struct Row {
    enum class Mark {
        None,
        NotUnderstood,  // Check Script finds fault with the line as written
        ScriptMissing,
        Loop,        // starts a script that is already running
        Unreadable,  // a script that could not be read (no folder known, a read error)
    };
    int timeMs = 0;  // from the start of the run
    int depth = 0;   // 0 for the previewed script, 1 for a script it starts...
    QString where;   // "team", "tell Bob", "pet order", "pause", "script"...
    QString text;    // as sent, the variables put in
    QString script;  // the started script the line comes from; empty for the previewed one
    int line = 0;    // 1-based, in `script`
    Mark mark = Mark::None;
    QString note;    // why the row is marked
};

struct Run {
    QList<Row> rows;
    int totalMs = 0;
    // A script started again while it runs: the game never stops.
    QString restarted;
    // The rows stopped at the limit (scripts that start each other many times over).
    bool cut = false;

    // The foot of the preview: "runs 12.5 s".
    QString summary() const;
};

// `ownName` is the previewed script's file name, empty for one never saved;
// `arguments` are the words typed after its name, for %1 to %9.
Run preview(const QString& script, const QString& ownName, const ScriptKnowledge& knowledge,
            const ScriptsFolder& folder, const Names& names, const QStringList& arguments);

// Milliseconds as seconds, as short as is exact: "5 s", "12.5 s", "0.25 s".
QString seconds(int ms);

// The most rows a preview lists.
constexpr int kRowLimit = 20000;

}
