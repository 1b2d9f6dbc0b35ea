#include "platform/ErrorReport.h"

#include "platform/ErrorNumbers.h"

#include <QFileDevice>
#include <QDir>
#include <QFileInfo>

namespace {
const QString kUnsaved = QStringLiteral("New File");

// The system's own words end without a full stop ("No such file or directory").
QString sentence(const QString& words)
{
    const QString trimmed = words.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("The system gave no reason.");
    return trimmed.endsWith(u'.') || trimmed.endsWith(u'!') || trimmed.endsWith(u'?') ? trimmed
                                                                                        : trimmed + u'.';
}

QString verb(FileOperation operation)
{
    switch (operation) {
    case FileOperation::Open: return QStringLiteral("open");
    case FileOperation::Save: return QStringLiteral("save");
    case FileOperation::Print: return QStringLiteral("print");
    }
    return {};
}

QString participle(FileOperation operation)
{
    switch (operation) {
    case FileOperation::Open: return QStringLiteral("opened");
    case FileOperation::Save: return QStringLiteral("saved");
    case FileOperation::Print: return QStringLiteral("printed");
    }
    return {};
}

QString nextStep(FileOperation operation, int number)
{
    switch (operation) {
    case FileOperation::Open:
        if (number == ErrorNumbers::NotAScript || number == ErrorNumbers::ScriptTooLarge
            || number == ErrorNumbers::NotARegularFile)
            return QStringLiteral("Choose a chat script: a plain text file, such as one from the game's scripts folder.");
        return QStringLiteral("Check that the file still exists and that you may read it, then open it again.");
    case FileOperation::Save:
        if (number == QFileDevice::PermissionsError || number == QFileDevice::OpenError)
            return QStringLiteral("Your changes are still in the window. Save them in a folder you may write to "
                                  "with File > Save As.");
        return QStringLiteral("Your changes are still in the window. Make room on the disk and save again, or save "
                              "them elsewhere with File > Save As.");
    case FileOperation::Print:
        return QStringLiteral("Check that the printer is switched on and connected, or choose \"Print to File (PDF)\" "
                              "in the print dialog.");
    }
    return {};
}

QString detailsOf(const QString& operation, const QString& file, int number, const QString& description)
{
    QString details = QStringLiteral("Operation: %1\n").arg(operation);
    if (!file.isEmpty())
        details += QStringLiteral("File: %1\n").arg(file);
    return details + QStringLiteral("Error number: %1\nSystem message: %2").arg(number).arg(description.trimmed());
}
}

namespace ErrorReports {
ErrorReport forScript(FileOperation operation, const QString& path, const IoResult& failure)
{
    const QString name = path.isEmpty() ? kUnsaved : QFileInfo(QDir::cleanPath(path)).fileName();
    const QString shown = path.isEmpty() ? QStringLiteral("The unsaved script \"%1\"").arg(kUnsaved)
                                         : QStringLiteral("The script \"%1\"").arg(path);
    ErrorReport report;
    report.title = QStringLiteral("Could not %1 %2").arg(verb(operation), name);
    report.text = QStringLiteral("%1 could not be %2. %3\n\n%4")
                      .arg(shown, participle(operation), sentence(failure.description),
                           nextStep(operation, failure.number));
    report.details = detailsOf(verb(operation), path, failure.number, failure.description);
    return report;
}

ErrorReport forCatalogue(const QString& file, int number, const QString& description)
{
    ErrorReport report;
    report.title = QStringLiteral("Could not read the command catalogue");
    report.text = QStringLiteral("The command catalogue \"%1\" could not be read. %2\n\nZandrel goes on as a plain "
                                 "editor, without the command tree and the Special menu's lists. Install Zandrel "
                                 "again to get a whole catalogue.")
                      .arg(file, sentence(description));
    report.details = detailsOf(QStringLiteral("read the command catalogue"), file, number, description);
    return report;
}

ErrorReport forStep(const QString& operation, int number, const QString& description, const QString& next)
{
    ErrorReport report;
    report.title = QStringLiteral("Could not %1").arg(operation);
    report.text = sentence(description) + (next.isEmpty() ? QString() : QStringLiteral("\n\n") + next);
    report.details = detailsOf(operation, QString(), number, description);
    return report;
}
}
