#pragma once

#include <QList>
#include <QString>

// The texts the Special menu writes into a script, apart from any window.
namespace InsertTexts {

// The chat variables, each with its leading space: " %f", " %t", " %m".
QString currentFighting();
QString currentTarget();
QString me();
// " %" and the argument number (1 to 9).
QString argument(int number);

// One name draw of a pet-rename item: a name type and a sex code ("" for any).
struct NameDraw {
    int type;
    QString sex;
    friend bool operator==(const NameDraw&, const NameDraw&) = default;
};

// The draws of pet-rename item 0 to 5, in the order they are made; empty for an
// index outside the menu.
QList<NameDraw> renameDraws(int index);
// The drawn names joined into one name: a single name as it is, a first name and
// an epithet as "<first> the <epithet>".
QString joinNames(const QStringList& names);
// The whole line: /pet rename "<name>" and CR LF.
QString petRenameLine(const QString& name);

}
