#include "dialogs/GamePathChoice.h"

namespace GamePathChoice {

QString browseFilter()
{
    return QStringLiteral("Anarchy Online Executable|anarchy.exe");
}

QString browseTitle()
{
    return QStringLiteral("Locate Anarchy.exe");
}

std::optional<QString> folderOfChosenFile(const QString& chosen)
{
    static const QString kExecutable = QStringLiteral("anarchy.exe");
    // The last occurrence: a folder such as "anarchy.exe-backup/" above the real file
    // must not be taken for the file itself. A case-insensitive search rather than a
    // lower-cased copy: lower-casing may change a string's length, and the index
    // would then point into the wrong place of the original.
    const qsizetype at = chosen.lastIndexOf(kExecutable, -1, Qt::CaseInsensitive);
    if (at < 0)
        return std::nullopt;
    return chosen.left(at);
}

QString folderOfTyped(const QString& typed, const QString& home)
{
    QString path = typed.trimmed();
    if (path.isEmpty())
        return {};
    if (path == u'~' || path.startsWith(QStringLiteral("~/")))
        path = home + path.mid(1);
    const qsizetype lastSlash = path.lastIndexOf(u'/');
    if (path.mid(lastSlash + 1).compare(QStringLiteral("anarchy.exe"), Qt::CaseInsensitive) == 0)
        return path.left(lastSlash + 1);
    return path.endsWith(u'/') ? path : path + u'/';
}

QPoint centredOn(const QRect& screen, const QSize& outer)
{
    return QPoint(screen.left() + (screen.width() - outer.width()) / 2,
                  screen.top() + (screen.height() - outer.height()) / 2);
}

}
