#pragma once

#include <QString>
#include <QStringList>

// What the program was asked on its command line: scripts to open, or a question
// (--help, --version) that is answered on the terminal without opening a window.
struct CommandLine {
    enum class Request { Edit, Help, Version, Error };

    Request request = Request::Edit;
    // The scripts to open, as absolute paths, in the order given.
    QStringList files;
    // What the terminal is told: the help text, the version line, or the error
    // followed by a pointer to --help. Empty when editing.
    QString output;

    // The arguments as the program received them, its own name first. Usable before
    // any application object exists, so --help needs no display.
    static CommandLine parse(const QStringList& arguments);
};
