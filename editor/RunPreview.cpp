#include "editor/RunPreview.h"

#include "editor/ScriptCheck.h"

#include <QHash>
#include <QProcess>
#include <QSet>

using RunPreview::Row;
using RunPreview::Run;

namespace {

// Where the game sends the text of its chat commands: the channel words of the chat
// window, which the catalogue lists by word but not by channel.
const QHash<QString, QString>& channelOfWord()
{
    static const QHash<QString, QString> channels{
        {QStringLiteral("t"), QStringLiteral("team")},        {QStringLiteral("o"), QStringLiteral("org chat")},
        {QStringLiteral("say"), QStringLiteral("vicinity")},  {QStringLiteral("v"), QStringLiteral("vicinity")},
        {QStringLiteral("whisper"), QStringLiteral("whisper")}, {QStringLiteral("w"), QStringLiteral("whisper")},
        {QStringLiteral("shout"), QStringLiteral("shout")},   {QStringLiteral("s"), QStringLiteral("shout")},
        {QStringLiteral("reply"), QStringLiteral("reply")},   {QStringLiteral("r"), QStringLiteral("reply")},
        {QStringLiteral("me"), QStringLiteral("emote text")}, {QStringLiteral("text"), QStringLiteral("only you")},
        {QStringLiteral("emote"), QStringLiteral("emote")}};
    return channels;
}

// What a command of a tree group does, said shorter than the group's name.
QString whereOfGroup(const QString& group)
{
    if (group == QLatin1String("Social Moves"))
        return QStringLiteral("emote");
    if (group == QLatin1String("Character and Interface"))
        return QStringLiteral("setting");
    return group.toLower();
}

std::pair<QString, QString> firstWord(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    while (end < trimmed.size() && trimmed[end] != u' ' && trimmed[end] != u'\t')
        ++end;
    return {trimmed.left(end), trimmed.mid(end).trimmed()};
}

// A name in double quotes (it may hold spaces) or a word, and what follows it.
std::pair<QString, QString> nameAndRest(const QString& text)
{
    if (text.startsWith(u'"')) {
        const qsizetype close = text.indexOf(u'"', 1);
        if (close > 0)
            return {text.mid(1, close - 1), text.mid(close + 1).trimmed()};
    }
    return firstWord(text);
}

class Previewer {
public:
    Previewer(const ScriptKnowledge& knowledge, const RunPreview::ScriptsFolder& folder, const RunPreview::Names& names)
        : m_folder(folder), m_names(names), m_judge(knowledge, folder.files, QString()),
          m_scriptCommand(knowledge.scriptCommand.toLower())
    {
        for (const ScriptKnowledge::Command& command : knowledge.commands) {
            if (command.prefix.isEmpty())
                m_commands.insert(command.word.toLower(), command);  // the first row of a word holds
            else
                m_prefixes.insert(command.prefix.toLower());
        }
        if (folder.files) {
            for (const QString& file : *folder.files)
                m_files.insert(file.toLower());
        }
    }

    void walk(const QString& text, const QString& script, int depth, const QStringList& arguments)
    {
        int number = 0;
        for (QStringView written : QStringView(text).split(u'\n')) {
            ++number;
            if (written.endsWith(u'\r'))
                written.chop(1);
            if (written.trimmed().isEmpty())
                continue;
            if (run.rows.size() >= RunPreview::kRowLimit) {
                run.cut = true;
                return;
            }
            Row row;
            row.timeMs = run.totalMs;
            row.depth = depth;
            row.script = script;
            row.line = number;
            for (const ScriptCheck::Finding& finding : m_judge.judge(number, written)) {
                row.mark = finding.kind == ScriptCheck::Finding::Kind::ScriptMissing ? Row::Mark::ScriptMissing
                                                                                    : Row::Mark::NotUnderstood;
                row.note += (row.note.isEmpty() ? QString() : QStringLiteral(" ")) + finding.message;
            }
            act(row, substitute(written, arguments));
        }
    }

    // The previewed script counts as running: a script that starts it again loops.
    void start(const QString& ownName)
    {
        if (!ownName.isEmpty())
            m_running.append(ownName.toLower());
    }

    Run run;

private:
    QString substitute(QStringView line, const QStringList& arguments) const
    {
        QString sent;
        sent.reserve(line.size());
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = i + 1 < line.size() && line[i] == u'%' ? line[i + 1] : QChar();
            const QString* name = c == u't' ? &m_names.target : c == u'f' ? &m_names.fightingTarget
                                : c == u'm' ? &m_names.own : nullptr;
            if (name && !name->isEmpty()) {
                sent += *name;
            } else if (c == u'%') {
                sent += u'%';
            } else if (c >= u'1' && c <= u'9') {
                sent += arguments.value(c.digitValue() - 1);  // a word not typed is no word
            } else {
                sent += line[i];
                continue;
            }
            ++i;
        }
        return sent;
    }

    // Where the line goes and what it sends; a script it starts is followed.
    void act(Row& row, const QString& sent)
    {
        if (!sent.startsWith(u'/')) {
            row.where = m_channel;
            row.text = sent;
            run.rows.append(row);
            return;
        }
        const auto [word, rest] = firstWord(sent.mid(1));
        const QString lower = word.toLower();
        const auto command = m_commands.constFind(lower);
        row.text = rest;
        if (lower == m_scriptCommand) {
            const auto [name, arguments] = firstWord(rest);
            startScript(row, name, arguments);
        } else if (m_prefixes.contains(lower)) {
            const auto [name, order] = rest.startsWith(u'"') ? nameAndRest(rest) : std::pair<QString, QString>();
            row.where = lower + QStringLiteral(" order") + (name.isEmpty() ? QString() : QStringLiteral(" to ") + name);
            row.text = name.isEmpty() ? rest : order;
            run.rows.append(row);
        } else if (command == m_commands.cend()) {
            if (m_files.contains(lower) || word.contains(u'.'))
                startScript(row, word, rest);
            else
                run.rows.append(row);  // the line's mark says why nothing happens
        } else if (command->wholeNumber) {
            // A count of milliseconds holds the script before its next line.
            row.where = QStringLiteral("pause");
            bool number = false;
            const int ms = rest.toInt(&number);
            row.text = number ? RunPreview::seconds(ms) : rest;
            run.rows.append(row);
            if (number && ms > 0)
                run.totalMs += ms;
        } else {
            sendCommand(row, lower, *command, sent);
        }
    }

    void sendCommand(Row& row, const QString& word, const ScriptKnowledge::Command& command, const QString& sent)
    {
        if (word == QLatin1String("tell") || word == QLatin1String("group") || word == QLatin1String("g")) {
            const auto [to, text] = nameAndRest(row.text);
            row.where = (word == QLatin1String("tell") ? QStringLiteral("tell ") : QStringLiteral("channel ")) + to;
            row.text = text;
        } else if (word == QLatin1String("ch")) {
            // Lines without a slash go to the channel set here from now on.
            row.where = QStringLiteral("setting");
            m_channel = QStringLiteral("channel ") + row.text;
            row.text = sent;
        } else if (const auto channel = channelOfWord().constFind(word); channel != channelOfWord().cend()) {
            row.where = *channel;
        } else {
            row.where = whereOfGroup(command.group);
            row.text = command.group == QLatin1String("Social Moves") ? word : sent;
        }
        run.rows.append(row);
    }

    void startScript(Row& row, const QString& name, const QString& arguments)
    {
        row.where = QStringLiteral("script");
        row.text = arguments.isEmpty() ? name : name + u' ' + arguments;
        const QString lower = name.toLower();
        std::optional<QString> text;
        if (m_running.contains(lower)) {
            row.mark = Row::Mark::Loop;
            row.note = QStringLiteral("starts ") + name + QStringLiteral(" again: the game runs this forever");
            if (run.restarted.isEmpty())
                run.restarted = name;
        } else if (!name.isEmpty()) {
            text = read(lower, name);
            if (!text && row.mark == Row::Mark::None) {
                row.mark = m_folder.files ? Row::Mark::ScriptMissing : Row::Mark::Unreadable;
                row.note = name + (m_folder.files ? QStringLiteral(" could not be read from the scripts folder, so "
                                                                   "what it does is not shown.")
                                                  : QStringLiteral(" cannot be shown: no scripts folder is known "
                                                                   "(Edit > Options)."));
            }
        }
        run.rows.append(row);
        if (!text)
            return;
        m_running.append(lower);
        walk(*text, name, row.depth + 1, QProcess::splitCommand(arguments));
        m_running.removeLast();
    }

    std::optional<QString> read(const QString& lower, const QString& name)
    {
        if (const auto it = m_read.constFind(lower); it != m_read.cend())
            return *it;
        std::optional<QString> text = m_folder.read ? m_folder.read(name) : std::nullopt;
        m_read.insert(lower, text);
        return text;
    }

    const RunPreview::ScriptsFolder& m_folder;
    const RunPreview::Names& m_names;
    ScriptCheck::LineJudge m_judge;
    QString m_scriptCommand;
    QHash<QString, ScriptKnowledge::Command> m_commands;  // commands typed on their own, by word
    QSet<QString> m_prefixes;                             // the words of the groups of orders ("pet")
    QSet<QString> m_files;
    QHash<QString, std::optional<QString>> m_read;  // each script read once
    QStringList m_running;                          // the chain of scripts started, outermost first
    QString m_channel = QStringLiteral("chat window");
};

}

QString RunPreview::seconds(int ms)
{
    return QString::number(ms / 1000.0, 'g', 12) + QStringLiteral(" s");
}

QString Run::summary() const
{
    QString text = QStringLiteral("runs ") + RunPreview::seconds(totalMs);
    if (!restarted.isEmpty())
        text += QStringLiteral(", then starts ") + restarted + QStringLiteral(" again: the game runs this forever");
    if (cut)
        text += QStringLiteral(" (only the first %1 lines are shown)").arg(RunPreview::kRowLimit);
    return text;
}

Run RunPreview::preview(const QString& script, const QString& ownName, const ScriptKnowledge& knowledge,
                        const ScriptsFolder& folder, const Names& names, const QStringList& arguments)
{
    Previewer previewer(knowledge, folder, names);
    previewer.start(ownName);
    previewer.walk(script, QString(), 0, arguments);
    return previewer.run;
}
