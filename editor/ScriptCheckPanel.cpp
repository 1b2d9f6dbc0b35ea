#include "editor/ScriptCheckPanel.h"

#include "editor/LineSelection.h"
#include "platform/RichTextControl.h"

#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextBlock>
#include <QTextDocument>

ScriptCheckPanel::ScriptCheckPanel(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("ScriptCheckPanel"));
    setAccessibleName(QStringLiteral("Check Script findings"));
    setColumnCount(3);
    setHeaderLabels({QStringLiteral("Line"), QStringLiteral("Text"), QStringLiteral("Finding")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setWordWrap(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(true);
    // The platform decides what activates a row: a double-click, and Enter.
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* row) { goToLine(row); });
}

void ScriptCheckPanel::showFindings(const QList<ScriptCheck::Finding>& findings, RichTextControl* editor)
{
    m_editor = editor;
    clear();
    if (findings.isEmpty()) {
        auto* row = new QTreeWidgetItem(this);
        row->setFirstColumnSpanned(true);
        row->setText(0, QStringLiteral("No findings: the game should understand every line of this script."));
        return;
    }
    QList<QTreeWidgetItem*> rows;
    rows.reserve(findings.size());
    for (const ScriptCheck::Finding& f : findings) {
        auto* row = new QTreeWidgetItem({QString::number(f.line), f.text, f.message});
        row->setData(0, Qt::UserRole, f.line);
        row->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
        row->setToolTip(1, f.text);
        row->setToolTip(2, f.message);
        if (f.isNote())
            row->setForeground(2, palette().brush(QPalette::Disabled, QPalette::Text));
        rows.append(row);
    }
    addTopLevelItems(rows);
    // A long line would push the explanation out of sight; its whole text is one
    // double-click away.
    resizeColumnToContents(1);
    setColumnWidth(1, std::min(columnWidth(1), fontMetrics().averageCharWidth() * 24));
    setCurrentItem(rows.constFirst());
}

bool ScriptCheckPanel::goToLine(QTreeWidgetItem* row)
{
    const int line = row ? row->data(0, Qt::UserRole).toInt() : 0;
    if (line < 1 || !m_editor)
        return false;
    // The script may have been cut short since the check.
    return LineSelection::showLine(*m_editor, line);
}
