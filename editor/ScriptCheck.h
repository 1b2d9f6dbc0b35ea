#pragma once

#include "editor/ScriptKnowledge.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

// Finds the mistakes the game would meet in a script, before the player runs it:
// words the game knows neither as command nor as script, values a command cannot
// run with, scripts started that are not there or that start themselves, and
// variables the game leaves as typed; and, as notes only, variables the guides do
// not document. Reads nothing but its arguments.
namespace ScriptCheck {

struct Finding {
    enum class Kind {
        UnknownCommand,
        ValueMissing,
        ValueNotAccepted,
        ScriptMissing,
        StartsItself,
        VariableNotReplaced,
        VariableUncertain,
    };
    int line = 0;  // 1-based
    QString text;  // the whole line as written
    Kind kind = Kind::UnknownCommand;
    QString message;

    // Not a mistake: something the player may want to know (%6 to %9, which the
    // program's own menus write, are not documented by the player guides).
    bool isNote() const { return kind == Kind::VariableUncertain; }
};

// `script` is the editor's text ("\n" between lines; a CR before it is ignored).
// `scriptsFolder` lists the file names of the game's scripts folder, or is empty
// when no such folder is known (then no script name can be looked up).
// `ownName` is the checked script's file name, empty for a script never saved.
QList<Finding> check(const QString& script, const ScriptKnowledge& knowledge,
                     const std::optional<QStringList>& scriptsFolder, const QString& ownName);

class Checker;

// The same judgement one line at a time, for a caller that walks the lines its own
// way (the run preview follows the scripts a line starts): check() is made of it.
class LineJudge {
public:
    LineJudge(const ScriptKnowledge& knowledge, const std::optional<QStringList>& scriptsFolder,
              const QString& ownName);
    ~LineJudge();
    LineJudge(const LineJudge&) = delete;
    LineJudge& operator=(const LineJudge&) = delete;

    // What is wrong with line `number` (1-based) as written; a CR at its end is ignored.
    QList<Finding> judge(int number, QStringView line);

private:
    std::unique_ptr<Checker> m_checker;
};

}
