#include "editor/ScriptCheck.h"

#include <QHash>
#include <QSet>

using ScriptCheck::Finding;

namespace {

using Kind = Finding::Kind;

QString key(QStringView prefix, QStringView word)
{
    return prefix.toString().toLower() + u' ' + word.toString().toLower();
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// The first word of `text` (up to a space or tab), and what follows it, trimmed.
std::pair<QStringView, QStringView> firstWord(QStringView text)
{
    text = text.trimmed();
    qsizetype end = 0;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    return {text.left(end), text.mid(end).trimmed()};
}

// One of the words typed after the script's name, which the game puts in for %1-%9.
bool isArgument(QStringView value)
{
    return value.size() == 2 && value[0] == u'%' && value[1] >= u'1' && value[1] <= u'9';
}

bool isWholeNumber(QStringView value)
{
    if (value.isEmpty())
        return false;
    for (QChar c : value) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

}

namespace ScriptCheck {

class Checker {
public:
    Checker(const ScriptKnowledge& knowledge, const std::optional<QStringList>& folder, const QString& ownName)
        : m_scriptCommand(knowledge.scriptCommand.toLower()), m_folderKnown(folder.has_value()),
          m_ownName(ownName.toLower())
    {
        for (const ScriptKnowledge::Command& command : knowledge.commands)
            add(command);
        if (folder) {
            for (const QString& file : *folder)
                m_files.insert(file.toLower());
        }
    }

    void checkLine(int number, QStringView line)
    {
        m_number = number;
        m_line = line;
        checkVariables();
        if (!line.startsWith(u'/'))
            return;  // chat text, sent as it is
        const auto [word, rest] = firstWord(line.mid(1));
        if (word.contains(u'%'))
            return;  // the word comes from a variable; what it becomes is not known here
        if (word.isEmpty()) {
            report(Kind::UnknownCommand, QStringLiteral("A slash with no command word after it: the game knows no such "
                                                        "command."));
            return;
        }
        const QString lower = word.toString().toLower();
        if (lower == m_scriptCommand)
            checkScriptCommand(word, rest);
        else if (m_orders.contains(lower))
            checkOrder(word, rest);
        else if (const auto it = m_commands.constFind(key({}, word)); it != m_commands.cend())
            checkValue(*it, u'/' + word.toString(), rest);
        else
            checkScriptCall(word);
    }

    QList<Finding> findings;

private:
    // Two catalogue rows of one word: the line is faulted only when both would fault it.
    void add(const ScriptKnowledge::Command& command)
    {
        const QString k = key(command.prefix, command.word);
        if (!command.prefix.isEmpty()) {
            QStringList& orders = m_orders[command.prefix.toLower()];
            if (!orders.contains(command.word, Qt::CaseInsensitive))
                orders.append(command.word);
        }
        auto it = m_commands.find(k);
        if (it == m_commands.end()) {
            m_commands.insert(k, command);
            return;
        }
        it->needsValue = it->needsValue && command.needsValue;
        it->wholeNumber = it->wholeNumber && command.wholeNumber;
        if (it->accepted.isEmpty() || command.accepted.isEmpty())
            it->accepted.clear();
        else
            it->accepted.append(command.accepted);
    }

    void report(Kind kind, const QString& message)
    {
        findings.append({m_number, m_line.toString(), kind, message});
    }

    void checkVariables()
    {
        for (qsizetype i = 0; i + 1 < m_line.size(); ++i) {
            if (m_line[i] != u'%')
                continue;
            const QChar c = m_line[i + 1];
            const QString variable = QStringLiteral("%") + c;
            if (c == u'%' || c == u't' || c == u'f' || c == u'm' || (c >= u'1' && c <= u'5')) {
                ++i;  // "%%" is one percent sign: the character after it starts nothing
            } else if (c >= u'6' && c <= u'9') {
                report(Kind::VariableUncertain,
                       QStringLiteral("Note: player guides document %1 to %5 for the words typed after the script's "
                                      "name; ") + variable + QStringLiteral(" is not described there."));
                ++i;
            } else if (c.isLetterOrNumber()) {
                report(Kind::VariableNotReplaced,
                       variable + QStringLiteral(" is no variable of the game and is sent as typed. The game "
                                                 "replaces only %t, %f, %m, %% and %1 to %9."));
                ++i;
            }
        }
    }

    void checkValue(const ScriptKnowledge::Command& command, const QString& written, QStringView value)
    {
        if (value.isEmpty()) {
            if (command.needsValue)
                report(Kind::ValueMissing,
                       written + QStringLiteral(" needs a value after it")
                           + (command.usage.isEmpty() ? QString() : QStringLiteral(" (") + command.usage + u')')
                           + QStringLiteral("; without one the game cannot run the line."));
            return;
        }
        if (isArgument(value))
            return;  // filled in when the script runs
        if (command.wholeNumber && !isWholeNumber(value)) {
            report(Kind::ValueNotAccepted, written + QStringLiteral(" takes a whole number, such as ") + written +
                                               QStringLiteral(" 5000; \"") + value.toString() +
                                               QStringLiteral("\" is not one."));
        } else if (!command.accepted.isEmpty() && !command.accepted.contains(value, Qt::CaseInsensitive)) {
            report(Kind::ValueNotAccepted, written + QStringLiteral(" takes only ") +
                                               command.accepted.join(QStringLiteral(", ")) + QStringLiteral("; \"") +
                                               value.toString() + QStringLiteral("\" is not one of them."));
        }
    }

    // "/pet attack", "/pet "Name" attack": the group's word, an optional quoted name
    // of one pet, then the order and its value.
    void checkOrder(QStringView prefix, QStringView rest)
    {
        if (rest.startsWith(u'"')) {
            const qsizetype close = rest.indexOf(u'"', 1);
            rest = close < 0 ? QStringView() : rest.mid(close + 1).trimmed();
        }
        const auto [order, value] = firstWord(rest);
        const QString written = u'/' + prefix.toString();
        const QStringList& orders = m_orders[prefix.toString().toLower()];
        if (order.isEmpty()) {
            report(Kind::ValueMissing, written + QStringLiteral(" needs an order after it, such as ") + written +
                                           u' ' + orders.constFirst() + u'.');
            return;
        }
        if (order.contains(u'%'))
            return;
        const auto it = m_commands.constFind(key(prefix, order));
        if (it == m_commands.cend()) {
            report(Kind::UnknownCommand, written + QStringLiteral(" has no order \"") + order.toString() +
                                             QStringLiteral("\": the game will not understand the line."));
            return;
        }
        checkValue(*it, written + u' ' + order.toString(), value);
    }

    void checkScriptCommand(QStringView word, QStringView rest)
    {
        const QStringView name = firstWord(rest).first;
        if (name.isEmpty()) {
            report(Kind::ValueMissing, u'/' + word.toString() +
                                           QStringLiteral(" needs the file name of the script to start."));
            return;
        }
        if (!name.contains(u'%') && !isKnownScript(name) && m_folderKnown)
            reportMissingScript(name);
    }

    void checkScriptCall(QStringView word)
    {
        if (isKnownScript(word))
            return;
        // A word with an extension was meant as a file, anything else as a command.
        // Without a folder to look in, a file name cannot be judged.
        if (word.contains(u'.')) {
            if (m_folderKnown)
                reportMissingScript(word);
            return;
        }
        report(Kind::UnknownCommand,
               u'/' + word.toString() +
                   (m_folderKnown ? QStringLiteral(" is neither a chat command nor a script in the scripts folder: the "
                                                   "game will answer that it knows no such command.")
                                  : QStringLiteral(" is no chat command. No scripts folder is known (Edit > Options), "
                                                   "so a script of that name could not be looked for.")));
    }

    // A script of the folder, or this very script (which is reported: it would start
    // itself again and again).
    bool isKnownScript(QStringView name)
    {
        const QString lower = name.toString().toLower();
        if (!m_ownName.isEmpty() && lower == m_ownName) {
            report(Kind::StartsItself, QStringLiteral("This line starts the script itself again, so it never ends."));
            return true;
        }
        return m_files.contains(lower);
    }

    void reportMissingScript(QStringView name)
    {
        report(Kind::ScriptMissing, name.toString() +
                                        QStringLiteral(" is not in the scripts folder, so this line starts nothing."));
    }

    QHash<QString, ScriptKnowledge::Command> m_commands;  // by key(prefix, word)
    QHash<QString, QStringList> m_orders;                 // the orders of each prefix, catalogue order
    QSet<QString> m_files;
    QString m_scriptCommand;
    bool m_folderKnown = false;
    QString m_ownName;
    int m_number = 0;
    QStringView m_line;
};

}

ScriptCheck::LineJudge::LineJudge(const ScriptKnowledge& knowledge, const std::optional<QStringList>& scriptsFolder,
                                  const QString& ownName)
    : m_checker(std::make_unique<Checker>(knowledge, scriptsFolder, ownName))
{
}

ScriptCheck::LineJudge::~LineJudge() = default;

QList<Finding> ScriptCheck::LineJudge::judge(int number, QStringView line)
{
    if (line.endsWith(u'\r'))
        line.chop(1);
    m_checker->findings.clear();
    if (!line.trimmed().isEmpty())
        m_checker->checkLine(number, line);
    return m_checker->findings;
}

QList<Finding> ScriptCheck::check(const QString& script, const ScriptKnowledge& knowledge,
                                  const std::optional<QStringList>& scriptsFolder, const QString& ownName)
{
    LineJudge judge(knowledge, scriptsFolder, ownName);
    QList<Finding> findings;
    int number = 0;
    for (QStringView line : QStringView(script).split(u'\n'))
        findings.append(judge.judge(++number, line));
    return findings;
}
