#include "inserters/InsertTexts.h"

namespace InsertTexts {

QString currentFighting()
{
    return QStringLiteral(" %f");
}

QString currentTarget()
{
    return QStringLiteral(" %t");
}

QString me()
{
    return QStringLiteral(" %m");
}

QString argument(int number)
{
    return QStringLiteral(" %") + QString::number(number);
}

QList<NameDraw> renameDraws(int index)
{
    switch (index) {
    case 0: return {{0, QString()}};
    case 1: return {{0, QStringLiteral("M")}};
    case 2: return {{0, QStringLiteral("F")}};
    case 3: return {{0, QStringLiteral("U")}};
    case 4: return {{0, QString()}};
    case 5: return {{0, QString()}, {1, QString()}};
    default: return {};
    }
}

QString joinNames(const QStringList& names)
{
    return names.join(QStringLiteral(" the "));
}

QString petRenameLine(const QString& name)
{
    return QStringLiteral("/pet rename \"") + name + QStringLiteral("\"\r\n");
}

}
