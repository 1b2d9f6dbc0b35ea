#include "editor/CommandColouringJob.h"

#include "editor/CommandColouring.h"
#include "platform/RichTextControl.h"

#include <QTextBlock>
#include <QTextDocument>

#include <climits>

namespace {
// A slice short enough that keys and paints in between go unnoticed.
constexpr int kSliceMilliseconds = 8;
}

CommandColouringJob::CommandColouringJob(RichTextControl& control, const QTextBlock& block, int openAt)
    : QObject(&control), m_control(control), m_next(block), m_openAt(openAt)
{
    setObjectName(QStringLiteral("commandColouringJob"));
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, [this] { step(kSliceMilliseconds); });
    connect(&control, &RichTextControl::contentChanged, this, &CommandColouringJob::handOver);
    m_timer.start();
}

CommandColouringJob* CommandColouringJob::of(RichTextControl& control)
{
    return control.findChild<CommandColouringJob*>(QStringLiteral("commandColouringJob"), Qt::FindDirectChildrenOnly);
}

void CommandColouringJob::start(RichTextControl& control, const QTextBlock& block, int openAt)
{
    cancel(control);
    new CommandColouringJob(control, block, openAt);
}

void CommandColouringJob::finish(RichTextControl& control)
{
    if (CommandColouringJob* job = of(control))
        job->step(INT_MAX);
}

void CommandColouringJob::cancel(RichTextControl& control)
{
    if (CommandColouringJob* job = of(control))
        job->end();
}

void CommandColouringJob::step(int milliseconds)
{
    QTextDocument& doc = *m_control.document();
    // Something the player could undo came first: disabling undo for a slice would
    // throw it away.
    if (doc.isUndoAvailable() || doc.isRedoAvailable()) {
        handOver();
        return;
    }
    doc.setUndoRedoEnabled(false);
    const QTextBlock next =
        CommandColouring::colourOn(m_control, doc.findBlock(m_next.position()), m_openAt, milliseconds);
    doc.setUndoRedoEnabled(true);
    if (!next.isValid()) {
        end();
        return;
    }
    m_next.setPosition(next.position());
}

void CommandColouringJob::handOver()
{
    QTextDocument& doc = *m_control.document();
    // The walk of edits takes the state of the line before from its note.
    m_control.markEdited(doc.findBlock(m_next.position()).position(), doc.characterCount() - 1);
    end();
}

void CommandColouringJob::end()
{
    m_timer.stop();
    m_next = QTextCursor();
    // No longer found as the control's job, and gone once the event loop is back.
    setObjectName(QString());
    disconnect(&m_control, nullptr, this, nullptr);
    deleteLater();
}
