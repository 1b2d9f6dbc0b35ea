#include "editor/ScriptWindow.h"

// The file behind a script window: its name in the title, changes another program
// makes to it on disk, and the recovery file that keeps unsaved text.

#include "state/AppState.h"
#include "editor/CommandColouring.h"
#include "editor/CommandCompleter.h"
#include "editor/DiskWatch.h"
#include "editor/RecoveryKeeper.h"
#include "editor/ScriptLimits.h"
#include "editor/ScriptNameQuestion.h"
#include "editor/ScriptTitle.h"
#include "editor/ScriptToolbarActions.h"
#include "editor/TypingLock.h"
#include "platform/ErrorReport.h"
#include "platform/PathLookup.h"
#include "platform/ErrorNumbers.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"
#include "platform/ScriptCodec.h"
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMdiArea>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

QString ScriptWindow::shownName() const
{
    if (m_book)
        return windowTitle();
    return ScriptTitle::shownName(m_fileName, m_untitledNumber);
}

void ScriptWindow::takeUntitledNumber()
{
    QList<int> taken;
    if (const QMdiArea* area = mdiArea()) {
        for (QMdiSubWindow* child : area->subWindowList()) {
            const auto* other = qobject_cast<ScriptWindow*>(child);
            if (other && other != this && other->fileName().isEmpty())
                taken.append(other->untitledNumber());
        }
    }
    m_untitledNumber = ScriptTitle::firstFreeNumber(taken);
    setFileName(m_fileName);
}

void ScriptWindow::setFileName(const QString& path)
{
    if (path != m_fileName)
        m_goneFromDisk = false;
    if (path.isEmpty() && !m_fileName.isEmpty()) {
        m_fileName.clear();
        takeUntitledNumber();
        return;
    }
    m_fileName = path;
    showTitle();
}

void ScriptWindow::showTitle()
{
    // The book keeps the title it was given.
    if (m_book)
        return;
    // The title is the name alone, so tiled and minimised windows stay told apart;
    // "[*]" shows the desktop's mark for unsaved changes while the window is marked
    // modified.
    const QString gone = m_goneFromDisk ? QStringLiteral(" (deleted on disk)") : QString();
    setWindowTitle(shownName() + gone + QStringLiteral("[*]"));
    emit titleChanged();
}

void ScriptWindow::keepForRecovery()
{
    m_recovery->writeNow();
}

QString ScriptWindow::recoveryFile() const
{
    return m_recovery->recoveryFile();
}

void ScriptWindow::restore(const QString& recoveryFile, const QString& scriptFile, const QString& text)
{
    m_editor->setLoadedText(text);
    setFileName(scriptFile);
    m_editor->setSelStart(0);
    m_editor->setSelColor(RichTextControl::white());
    CommandColouring::apply(*m_editor, CommandColouring::spans(text));
    m_diskWatch->follow(scriptFile);
    m_goneFromDisk = !scriptFile.isEmpty() && !QFileInfo::exists(scriptFile);
    showTitle();
    setChanged(true);
    m_recovery->adopt(recoveryFile);
}

void ScriptWindow::followDiskChange()
{
    const QString name = scriptName();
    m_goneFromDisk = false;
    showTitle();
    if (m_changed &&
        m_app.prompt.message({QStringLiteral("Script Changed on Disk"),
                              QStringLiteral("Another program has changed '%1' on disk, and this window has changes "
                                             "not yet saved.\n\nReload the file (your changes here are lost), or keep "
                                             "yours (the next Save writes them over the file)?")
                                  .arg(name),
                              PromptIcon::Question, PromptButtons::ReloadKeepMine, {}}) != PromptAnswer::Reload)
        return;
    if (const IoResult r = loadScript(m_fileName); !r.ok()) {
        m_app.prompt.showError(ErrorReports::forScript(FileOperation::Open, m_fileName, r));
        return;
    }
    emit statusNote(QStringLiteral("'%1' was changed by another program and has been read again.").arg(name));
}

void ScriptWindow::noteGoneFromDisk()
{
    m_goneFromDisk = true;
    showTitle();
    // Exit now asks, and Save writes the file again where it was.
    setChanged(true);
}

bool ScriptWindow::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && widget()) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (help->pos().y() < widget()->geometry().top())
            QToolTip::showText(help->globalPos(), ScriptTitle::statusText(m_fileName), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QMdiSubWindow::event(event);
}
