#pragma once

#include "platform/IoResult.h"

#include <QString>

// What an error box says: a title that names what failed, a text in words that names
// the file, says why and what to do next, and the system's error number and the
// failing operation kept out of the way under Show Details.
struct ErrorReport {
    QString title;
    QString text;
    QString details;
};

enum class FileOperation { Open, Save, Print };

namespace ErrorReports {
// A script that could not be opened, saved or printed. `path` may be empty for a
// script never saved.
ErrorReport forScript(FileOperation operation, const QString& path, const IoResult& failure);
// The command catalogue that could not be read; the program goes on without it.
ErrorReport forCatalogue(const QString& file, int number, const QString& description);
// A failure of some other step, named in words (`operation`: "write the line").
ErrorReport forStep(const QString& operation, int number, const QString& description, const QString& nextStep);
}
