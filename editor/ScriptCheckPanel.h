#pragma once

#include "editor/ScriptCheck.h"

#include <QPointer>
#include <QTreeWidget>

class RichTextControl;

// The findings of a script check, one row each: line number, the line, what is
// wrong. Activating a row (double-click or Enter) puts the caret at the start of
// that line in the checked script; nothing in the script changes.
class ScriptCheckPanel : public QTreeWidget {
    Q_OBJECT
public:
    explicit ScriptCheckPanel(QWidget* parent = nullptr);

    // Shows the findings of a check of `editor`'s text; a clean script gets one row
    // that says so.
    void showFindings(const QList<ScriptCheck::Finding>& findings, RichTextControl* editor);

    // Puts the caret of the checked script on the row's line; false for a row
    // without a line or when that script is gone.
    bool goToLine(QTreeWidgetItem* row);

private:
    QPointer<RichTextControl> m_editor;
};
