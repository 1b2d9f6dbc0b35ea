#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

QString programName(const QStringList& arguments)
{
    const QString name = arguments.isEmpty() ? QString() : QFileInfo(arguments.constFirst()).fileName();
    return name.isEmpty() ? QStringLiteral("zandrel") : name;
}

QString version()
{
    return QStringLiteral("%1.%2.%3").arg(ZANDREL_VERSION_MAJOR).arg(ZANDREL_VERSION_MINOR).arg(ZANDREL_VERSION_PATCH);
}

// File managers hand over paths, but a few launchers pass file:// addresses. A
// name that exists is that file whatever it looks like, and only a whole file://
// address is read as one: QUrl would take "file:x.txt" for "x.txt", so Save would
// write another file than the one named.
QString absoluteScriptPath(const QString& argument)
{
    QString local = argument;
    if (!QFileInfo::exists(argument) && argument.startsWith(QLatin1String("file://"))) {
        const QUrl url(argument, QUrl::StrictMode);
        if (url.isValid() && url.isLocalFile())
            local = url.toLocalFile();
    }
    return QDir::cleanPath(QFileInfo(local).absoluteFilePath());
}

}

CommandLine CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    // Single-dash words are whole options, so a toolkit option such as -reverse is
    // never read as -r -e -v... (which would ask for the version).
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(QStringLiteral("Zandrel: an editor for Anarchy Online chat scripts."));
    // Qt's own help option would also offer --help-all, whose toolkit options cannot
    // be listed before the application object exists.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Displays help on commandline options."));
    parser.addOption(help);
    const QCommandLineOption versionOption = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("files"), QStringLiteral("Scripts to open, each in its own window."),
                                 QStringLiteral("[file...]"));

    const bool parsed = parser.parse(arguments);
    const QString name = programName(arguments);
    CommandLine line;
    // A question is answered even beside options that the toolkit takes later.
    if (parser.isSet(help)) {
        line.request = Request::Help;
        QString text = parser.helpText();
        // Qt names the program by its full path, or by a placeholder before the
        // application object exists; the usage line gives the name as typed.
        const qsizetype from = text.indexOf(u' ') + 1;
        const qsizetype to = text.indexOf(QStringLiteral(" [options]"));
        if (from > 0 && to > from)
            text.replace(from, to - from, name);
        line.output = text;
    } else if (parser.isSet(versionOption)) {
        line.request = Request::Version;
        line.output = QStringLiteral("Zandrel %1\n").arg(version());
    } else if (!parsed) {
        line.request = Request::Error;
        line.output = name + QStringLiteral(": ") + parser.errorText() + QStringLiteral("\nTry '") + name +
                      QStringLiteral(" --help' for more information.\n");
    } else {
        for (const QString& argument : parser.positionalArguments())
            line.files << absoluteScriptPath(argument);
    }
    return line;
}
