#include "editor/CommandCompletion.h"

#include "catalogue/Catalogue.h"

#include <algorithm>

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

void addOnce(QList<CommandCompletion::Choice>& choices, const QString& word, const QString& description)
{
    const bool known = std::any_of(choices.cbegin(), choices.cend(), [&](const CommandCompletion::Choice& c) {
        return c.word.compare(word, Qt::CaseInsensitive) == 0;
    });
    if (!known)
        choices.append({word, description});
}

}

void CommandCompletion::addCommand(const QString& word, const QString& prefix, const QString& description, CommandType type,
                                   const QStringList& values)
{
    // The example lines are whole lines, and the tree's "All" writes the catalogue:
    // neither is a word the game knows.
    if (word.isEmpty() || word.contains(u' ') || word.startsWith(u'/') || word == QLatin1String("All"))
        return;
    const QString key = prefix.isEmpty() ? word.toLower() : prefix.toLower() + u' ' + word.toLower();
    if (prefix.isEmpty()) {
        const auto at = std::lower_bound(m_words.begin(), m_words.end(), word, [](const Choice& c, const QString& w) {
            return c.word.compare(w, Qt::CaseInsensitive) < 0;
        });
        if (at == m_words.end() || at->word.compare(word, Qt::CaseInsensitive) != 0)
            m_words.insert(at, {word, description});
    } else {
        addOnce(m_values[prefix.toLower()], word, description);
    }
    QList<Choice>& offered = m_values[key];
    for (const QString& value : values)
        addOnce(offered, value, QString());
    if (type == CommandType::Number) {
        // The round counts the properties dialog offers too.
        for (int seconds = 1; seconds <= 10; ++seconds)
            addOnce(offered, QString::number(seconds * 1000), QStringLiteral("%1 s").arg(seconds));
    }
}

void CommandCompletion::addGroup(const QString& prefix, const QString& name)
{
    if (prefix.isEmpty())
        return;
    addCommand(prefix, QString(), name, CommandType::Text, {});
}

CommandCompletion CommandCompletion::fromCatalogue(Catalogue& catalogue)
{
    CommandCompletion completion;
    for (const CatalogueGroup& group : catalogue.commandTree([](int) { return true; })) {
        completion.addGroup(group.prefix.trimmed(), group.text);
        for (const CatalogueCommand& command : group.commands)
            completion.addCommand(command.text, group.prefix.trimmed(), command.description, command.type,
                                  command.values);
    }
    return completion;
}

std::optional<CommandCompletion::Offer> CommandCompletion::offer(QStringView beforeCaret, bool asked) const
{
    if (!beforeCaret.startsWith(u'/'))
        return std::nullopt;
    // The words typed so far, each with where it starts.
    QList<std::pair<int, QStringView>> words;
    qsizetype i = 1;
    while (true) {
        const qsizetype from = i;
        while (i < beforeCaret.size() && !isBlank(beforeCaret[i]))
            ++i;
        words.append({int(from), beforeCaret.mid(from, i - from)});
        if (i == beforeCaret.size())
            break;
        while (i < beforeCaret.size() && isBlank(beforeCaret[i]))
            ++i;
    }
    if (words.size() == 1)
        return Offer{1, words[0].second.toString(), m_words};
    if (!asked || words.size() > 3)
        return std::nullopt;
    QString key = words[0].second.toString().toLower();
    if (words.size() == 3)
        key += u' ' + words[1].second.toString().toLower();
    const auto values = m_values.constFind(key);
    if (values == m_values.cend() || values->isEmpty())
        return std::nullopt;
    return Offer{words.last().first, words.last().second.toString(), *values};
}
