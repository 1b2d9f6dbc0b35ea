#pragma once

#include "catalogue/CatalogueRecords.h"

#include <QList>
#include <QString>

// The catalogue's text sources as read from the data folder, every value with the file
// and line it came from so that a fault can be pointed at. Reading only checks the
// layout of each file; the rules that tie rows together are CatalogueBuilder's.
class CatalogueSource {
public:
    struct Place {
        QString file;
        int line = 0; // 1-based; 0 for a fault of the file as a whole
    };

    struct Problem {
        Place place;
        QString message;
        // "file:line: message", or "file: message" when the fault has no line.
        QString text() const;
    };

    struct Group {
        Place place;
        int id = 0;
        QString text;
        QString prefix;
    };

    // The command as the program reads it, with where it was written and its page.
    // A type the record does not give as a number reads as -1.
    struct Command : CatalogueCommand {
        Place place;     // the record's header line
        Place helpPlace; // the "help:" line
        QString help; // light markup, see HelpMarkup
    };

    struct Entry {
        Place place;
        QString value;
    };

    struct Name {
        Place place;
        QString name;
        int type = 0;
        QString sex;
    };

    // A file of commands as read: the group it declares and its records in order.
    struct CommandFile {
        Place groupPlace;
        int group = 0;
        QList<Command> commands;
    };

    QString folder; // the data folder read, so faults of a whole file can name it
    QList<Group> groups;
    QList<Command> commands; // in the order they are written to the database
    QList<Entry> breeds;
    QList<Entry> professions;
    QList<Name> names;

    // Reads groups.tsv, breeds.txt, professions.txt, names.tsv and commands/*.txt
    // under `folder`. Commands come file by file in the order of the group each file
    // declares, then in record order. Layout faults land in `problems`; what could be
    // read is kept, so one run reports as many faults as possible.
    static CatalogueSource read(const QString& folder, QList<Problem>& problems);
    // The path of a source file of the folder read, e.g. "names.tsv".
    QString filePath(const QString& name) const;

    // The single-file readers, on text already decoded; `file` only names the source
    // in problems.
    static QList<Group> parseGroups(const QString& text, const QString& file, QList<Problem>& problems);
    static QList<Entry> parseList(const QString& text, const QString& file, QList<Problem>& problems);
    static QList<Name> parseNames(const QString& text, const QString& file, QList<Problem>& problems);
    static CommandFile parseCommands(const QString& text, const QString& file, QList<Problem>& problems);

    // Decodes a source file as UTF-8 (a leading byte-order mark is dropped). Gives
    // false and a problem when the file cannot be read or is not valid UTF-8.
    static bool readText(const QString& path, QString& text, QList<Problem>& problems);
};
