#pragma once

#include <QList>
#include <QString>

// Which rows of the command tree stay in view for a typed filter text. Works on the
// tree's rows alone (a group and the commands or script files under it), so the
// same decision serves the tree on screen and the tests.
namespace TreeFilter {

struct Row {
    QString text;         // the command word, the example line or the script's file name
    QString description;  // empty for script files
};

struct Group {
    QList<Row> rows;
    bool open = false;  // as the player left it
};

struct GroupView {
    bool shown = true;
    bool open = false;
    QList<bool> rowShown;  // one per row of the group
};

// A row stays when its text or its description holds the filter text (letter case
// ignored, blanks around the filter text ignored); a group stays, opened, when one
// of its rows stays. An empty filter text leaves every group and row in view and
// each group open or closed as it was.
QList<GroupView> apply(const QList<Group>& groups, const QString& filterText);

}
