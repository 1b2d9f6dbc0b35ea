#pragma once

#include "editor/RunPreview.h"

#include <QPointer>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;
class RichTextControl;

// A script as the game would run it, one row per line that acts: when, where it goes,
// the text as sent, the line it comes from; the scripts a line starts sit inside it.
// Above the rows the names the game puts in for %t, %f and %m and the words typed
// after the script's name; below them how long the script runs. Activating a row
// (double-click or Enter) puts the caret at the start of its line.
class RunPreviewPanel : public QWidget {
    Q_OBJECT
public:
    explicit RunPreviewPanel(QWidget* parent = nullptr);

    // The names and the words typed after the script's name, as the fields hold them.
    RunPreview::Names names() const;
    QStringList arguments() const;
    void setFields(const RunPreview::Names& names, const QString& arguments);
    QString argumentText() const;

    // Shows the run of `editor`'s script; `openScript` gives the editor of a script
    // it starts, opening it when it is not open yet (null when that fails).
    void showRun(const RunPreview::Run& run, RichTextControl* editor,
                 std::function<RichTextControl*(const QString& name)> openScript);

    // No script window is left to preview.
    void showNoScript();

    QTreeWidget* rows() const { return m_rows; }
    QString summary() const;

    // Puts the caret on the row's line, in the script the row comes from; false for a
    // row whose script cannot be reached or has no such line any more.
    bool goToLine(QTreeWidgetItem* row);

signals:
    // The player changed a name or the words after the script's name.
    void fieldsEdited();

private:
    QLineEdit* addField(const QString& name, const QString& label, const QString& hint, const QString& tip);

    QLineEdit* m_target = nullptr;
    QLineEdit* m_fightingTarget = nullptr;
    QLineEdit* m_ownName = nullptr;
    QLineEdit* m_arguments = nullptr;
    QTreeWidget* m_rows = nullptr;
    QLabel* m_summary = nullptr;
    QPointer<RichTextControl> m_editor;
    std::function<RichTextControl*(const QString& name)> m_openScript;
};
