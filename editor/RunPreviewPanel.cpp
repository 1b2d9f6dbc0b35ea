#include "editor/RunPreviewPanel.h"

#include "editor/LineSelection.h"
#include "platform/RichTextControl.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace {
constexpr int kScriptRole = Qt::UserRole;
constexpr int kLineRole = Qt::UserRole + 1;

enum Column { TimeColumn, WhereColumn, SentColumn, LineColumn, NoteColumn };
}

RunPreviewPanel::RunPreviewPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("RunPreviewPanel"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QHBoxLayout;
    layout->addLayout(fields);
    m_target = addField(QStringLiteral("previewTarget"), QStringLiteral("%&t"), QStringLiteral("target"),
                        QStringLiteral("Your target's name"));
    m_fightingTarget = addField(QStringLiteral("previewFightingTarget"), QStringLiteral("%&f"),
                                QStringLiteral("fighting target"), QStringLiteral("The name of the enemy you fight"));
    m_ownName = addField(QStringLiteral("previewOwnName"), QStringLiteral("%&m"), QStringLiteral("your name"),
                         QStringLiteral("Your own name"));
    m_arguments = addField(QStringLiteral("previewArguments"), QStringLiteral("&Arguments"),
                           QStringLiteral("%1 %2 ..."),
                           QStringLiteral("The words typed after the script's name, for %1 to %9"));
    for (QLineEdit* field : {m_target, m_fightingTarget, m_ownName, m_arguments}) {
        fields->addWidget(findChild<QLabel*>(field->objectName() + QStringLiteral("Label")));
        fields->addWidget(field, field == m_arguments ? 2 : 1);
    }

    m_rows = new QTreeWidget(this);
    m_rows->setObjectName(QStringLiteral("previewRows"));
    m_rows->setHeaderLabels({QStringLiteral("Time"), QStringLiteral("Where"), QStringLiteral("Sent"),
                             QStringLiteral("Line"), QStringLiteral("Note")});
    m_rows->setUniformRowHeights(true);
    m_rows->setAllColumnsShowFocus(true);
    m_rows->setWordWrap(false);
    m_rows->header()->setStretchLastSection(true);
    layout->addWidget(m_rows, 1);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("previewSummary"));
    layout->addWidget(m_summary);
    // The platform decides what activates a row: a double-click, and Enter.
    connect(m_rows, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* row) { goToLine(row); });
}

QLineEdit* RunPreviewPanel::addField(const QString& name, const QString& label, const QString& hint,
                                     const QString& tip)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setToolTip(tip);
    field->setPlaceholderText(hint);
    field->setClearButtonEnabled(true);
    // The hint, or a name of a dozen letters, whole beside the clear button, in the
    // font's own units.
    const QFontMetrics metrics = field->fontMetrics();
    field->setMinimumWidth(std::max(metrics.horizontalAdvance(hint), 12 * metrics.averageCharWidth()) +
                           5 * metrics.averageCharWidth());
    auto* caption = new QLabel(label, this);
    caption->setObjectName(name + QStringLiteral("Label"));
    caption->setBuddy(field);
    connect(field, &QLineEdit::textEdited, this, &RunPreviewPanel::fieldsEdited);
    return field;
}

RunPreview::Names RunPreviewPanel::names() const
{
    return {m_target->text().trimmed(), m_fightingTarget->text().trimmed(), m_ownName->text().trimmed()};
}

QStringList RunPreviewPanel::arguments() const
{
    // As the game splits the words after a script's name: a quoted one may hold spaces.
    return QProcess::splitCommand(m_arguments->text());
}

QString RunPreviewPanel::argumentText() const
{
    return m_arguments->text();
}

void RunPreviewPanel::setFields(const RunPreview::Names& names, const QString& arguments)
{
    m_target->setText(names.target);
    m_fightingTarget->setText(names.fightingTarget);
    m_ownName->setText(names.own);
    m_arguments->setText(arguments);
}

QString RunPreviewPanel::summary() const
{
    return m_summary->text();
}

void RunPreviewPanel::showRun(const RunPreview::Run& run, RichTextControl* editor,
                              std::function<RichTextControl*(const QString& name)> openScript)
{
    // The same script again (an edit, a name typed): the player keeps his place in it.
    const bool sameScript = editor && editor == m_editor;
    const int scrolled = m_rows->verticalScrollBar()->value();
    int current = 0;  // the current row's place among all rows, nested ones too
    for (QTreeWidgetItemIterator it(m_rows); *it && *it != m_rows->currentItem(); ++it)
        ++current;
    m_editor = editor;
    m_openScript = std::move(openScript);
    m_rows->clear();
    const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    QList<QTreeWidgetItem*> lastOfDepth;  // a started script's rows go under its line
    QList<QTreeWidgetItem*> topRows;      // handed to the view at once: one layout, not one a row
    for (const RunPreview::Row& r : run.rows) {
        const QString line = r.script.isEmpty() ? QString::number(r.line)
                                                : r.script + u':' + QString::number(r.line);
        auto* row = new QTreeWidgetItem({RunPreview::seconds(r.timeMs), r.where, r.text, line, r.note});
        row->setData(0, kScriptRole, r.script);
        row->setData(0, kLineRole, r.line);
        row->setToolTip(SentColumn, r.text);
        if (r.mark != RunPreview::Row::Mark::None) {
            row->setIcon(NoteColumn, warning);
            row->setToolTip(NoteColumn, r.note);
        }
        lastOfDepth.resize(r.depth + 1);
        lastOfDepth[r.depth] = row;
        if (r.depth > 0 && lastOfDepth[r.depth - 1])
            lastOfDepth[r.depth - 1]->addChild(row);
        else
            topRows.append(row);
    }
    m_rows->addTopLevelItems(topRows);
    m_rows->expandAll();
    for (int column : {TimeColumn, WhereColumn, LineColumn})
        m_rows->resizeColumnToContents(column);
    // A long line would push the notes out of sight; its whole text is in its tip.
    m_rows->resizeColumnToContents(SentColumn);
    const int widest = fontMetrics().averageCharWidth() * 60;
    m_rows->setColumnWidth(SentColumn, std::min(m_rows->columnWidth(SentColumn), widest));
    m_summary->setText(run.rows.isEmpty() ? QStringLiteral("No line of this script acts.")
                                          : QStringLiteral("The script ") + run.summary() + u'.');
    QTreeWidgetItem* keep = nullptr;
    int i = 0;
    for (QTreeWidgetItemIterator it(m_rows); *it && (!keep || (sameScript && i <= current)); ++it, ++i)
        keep = *it;
    if (keep)
        m_rows->setCurrentItem(keep);
    if (sameScript)
        m_rows->verticalScrollBar()->setValue(scrolled);
}

void RunPreviewPanel::showNoScript()
{
    m_editor = nullptr;
    m_rows->clear();
    m_summary->setText(QStringLiteral("No script is open."));
}

bool RunPreviewPanel::goToLine(QTreeWidgetItem* row)
{
    if (!row)
        return false;
    // Read before another script opens: the panel may show that script's run then.
    const QString script = row->data(0, kScriptRole).toString();
    const int line = row->data(0, kLineRole).toInt();
    RichTextControl* editor = script.isEmpty() ? m_editor.data() : (m_openScript ? m_openScript(script) : nullptr);
    // The script is gone, or was cut short since the preview.
    return editor && LineSelection::showLine(*editor, line);
}
