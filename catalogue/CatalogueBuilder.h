#pragma once

#include "catalogue/CatalogueSource.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

// Builds the catalogue database from its text sources: reads them, checks every row
// and writes the five tables. A build either produces a complete database or none.
class CatalogueBuilder {
public:
    using Problem = CatalogueSource::Problem;

    // The longest description the status bar is meant to show.
    static constexpr int maxDescriptionLength = 80;

    // Reads `dataFolder`, checks it and writes `outputPath`. The database is written
    // to a temporary file beside the output and renamed into place only when every
    // check passed and every row was written; on any fault the output path is left
    // without a file (an earlier catalogue there is removed too, so a failed build
    // can never pass for a fresh one). Returns false with the faults in `problems`.
    static bool build(const QString& dataFolder, const QString& outputPath, QList<Problem>& problems);

    // Gives "" when `rtf` parses as RTF, else what is wrong with it.
    using RtfCheck = std::function<QString(const QByteArray& rtf)>;
    // The program's own RTF reader: a page it cannot read would show empty.
    static RtfCheck defaultRtfCheck();

    // The rules that tie the rows together (keys, references, value codes, texts, help
    // pages, each page's RTF through `rtfCheck`). Faults are appended to `problems`.
    static void validate(const CatalogueSource& source, QList<Problem>& problems,
                         const RtfCheck& rtfCheck = defaultRtfCheck());

    // The stored help page of `command`: the RTF of its markup, or "" without markup.
    static QString helpRtf(const CatalogueSource::Command& command);

    // Writes `source` into a new SQLite database at `path` (which must not exist).
    // Gives false and the database's error text in `error` on failure.
    static bool write(const CatalogueSource& source, const QString& path, QString& error);
};
