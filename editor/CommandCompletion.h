#pragma once

#include "catalogue/CatalogueRecords.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class Catalogue;

// What the completion list offers while the player types a line by hand: the command
// words after a slash at the start of a line, and, when asked, the values of the
// command before the caret (a group's orders, a fixed set of words, pauses).
class CommandCompletion {
public:
    struct Choice {
        QString word;
        QString description;
    };
    struct Offer {
        int start = 0;   // where in the line the word being completed starts
        QString typed;   // what of it is typed so far
        QList<Choice> choices;
    };

    // `prefix` is the group's word ("pet") for its orders; `type` Number is a count of
    // milliseconds, offered in whole seconds; `values` the fixed set of words.
    void addCommand(const QString& word, const QString& prefix, const QString& description, CommandType type,
                    const QStringList& values);
    // A group whose commands are orders typed after its word ("/pet attack").
    void addGroup(const QString& prefix, const QString& name);

    // Every command of the catalogue that a player types (not the example lines).
    static CommandCompletion fromCatalogue(Catalogue& catalogue);

    // What to offer for the caret's line up to the caret; `asked` when the player
    // asked for values (Ctrl+Space). None when there is nothing to complete there.
    std::optional<Offer> offer(QStringView beforeCaret, bool asked) const;

    bool isEmpty() const { return m_words.isEmpty(); }

private:
    QList<Choice> m_words;                  // sorted, each word once
    QHash<QString, QList<Choice>> m_values; // by "word" or "prefix order", lower case
};
