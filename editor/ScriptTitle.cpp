#include "editor/ScriptTitle.h"

#include <QFileInfo>

namespace ScriptTitle {

QString untitledName(int number)
{
    return number <= 1 ? QStringLiteral("New File") : QStringLiteral("New File %1").arg(number);
}

int firstFreeNumber(const QList<int>& taken)
{
    int number = 1;
    while (taken.contains(number))
        ++number;
    return number;
}

QString shownName(const QString& path, int untitledNumber)
{
    return path.isEmpty() ? untitledName(untitledNumber) : QFileInfo(path).fileName();
}

QString mainWindowTitle(const QString& name, bool changed)
{
    const QString program = QStringLiteral("Zandrel");
    if (name.isEmpty())
        return program;
    return name + (changed ? QStringLiteral("*") : QString()) + QStringLiteral(" - ") + program;
}

QString statusText(const QString& path)
{
    return path.isEmpty() ? QStringLiteral("Not saved yet: Save asks where to put it.") : path;
}

}
