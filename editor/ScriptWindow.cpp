#include "editor/ScriptWindow.h"

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

namespace {
const QString kLossTitle = QStringLiteral("Characters That Cannot Be Saved");

// Asked before a save that would turn characters into "?".
QString lossQuestion(const ScriptCodec::Losses& lost)
{
    const QString why = QStringLiteral(" that a script file cannot hold: the game reads only the letters and signs "
                                       "of Windows-1252 (Western European).");
    const QString what =
        lost.count == 1
            ? QStringLiteral("This script has 1 character") + why
                  + QStringLiteral(" It is on line %1 and would be saved as \"?\".").arg(lost.firstLine)
            : QStringLiteral("This script has %1 characters").arg(lost.count) + why
                  + QStringLiteral(" The first is on line %1; each would be saved as \"?\".").arg(lost.firstLine);
    return what + QStringLiteral("\n\nSave anyway?");
}

struct ToolbarButton {
    const char* name;  // the action's object name and picture; nullptr: a separator
    ToolbarKey key;
    const char* caption;
    const char* tooltip;
    const char* spoken;  // the accessible name: what a screen reader says for it
};

constexpr ToolbarButton kSeparator{nullptr, ToolbarKey::New, nullptr, nullptr, nullptr};

constexpr ToolbarButton kButtons[] = {
    {"New", ToolbarKey::New, nullptr, "Empty this window for a new script.", "New script in this window"},
    {"Open", ToolbarKey::Open, nullptr, "Open a file", "Open a script"},
    {"Save", ToolbarKey::Save, nullptr, "Save currently loaded file.", "Save the script"},
    {"Print", ToolbarKey::Print, nullptr, "Print the script or save it as a PDF file.", "Print the script"},
    kSeparator,
    {"Delete", ToolbarKey::Delete, nullptr, "Delete the current command.", "Delete the current line"},
    kSeparator,
    {"Target", ToolbarKey::Target, "%t ", "Insert %t Target variable.", "Insert target (%t)"},
    {"Fight", ToolbarKey::Fight, "%f ", "Insert %f the fighting target variable.", "Insert fighting target (%f)"},
    {"Me", ToolbarKey::Me, "%m ", "Insert the %m your name variable.", "Insert your name (%m)"},
    kSeparator,
    {"1", ToolbarKey::Argument1, nullptr, "Insert input variable number 1.", "Insert argument 1 (%1)"},
    {"2", ToolbarKey::Argument2, nullptr, "Insert input variable number 2.", "Insert argument 2 (%2)"},
    {"3", ToolbarKey::Argument3, nullptr, "Insert input variable number 3.", "Insert argument 3 (%3)"},
    {"4", ToolbarKey::Argument4, nullptr, "Insert input variable number 4.", "Insert argument 4 (%4)"},
};
}

ScriptWindow::ScriptWindow(AppState& app, QWidget* parent)
    : QMdiSubWindow(parent),
      m_app(app),
      m_editor(new RichTextControl),
      m_toolbar(new QToolBar),
      m_colouringTimer(new QTimer(this)),
      m_diskWatch(new DiskWatch(this)),
      m_recovery(new RecoveryKeeper([this] { return RecoveryKeeper::Snapshot{m_fileName, m_editor->Text()}; }, this))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFileName(QString());
    m_editor->setObjectName(QStringLiteral("editor"));
    m_editor->setAccessibleName(QStringLiteral("Script editor"));
    m_toolbar->setObjectName(QStringLiteral("toolbar"));
    m_toolbar->setAccessibleName(QStringLiteral("Script toolbar"));

    // The toolbar along the top, the editor filling the rest: the layout keeps the
    // editor sized with the window and never asks for an impossible size.
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_editor, 1);
    setWidget(body);
    // The properties dialog belongs to the main window around this one.
    m_editActions = std::make_unique<ScriptToolbarActions>(m_app, *m_editor, [this] { setChanged(true); },
                                                           [this] { return window(); });
    buildToolbar();
    // A child of the window: the lock lives as long as the editor it guards.
    new TypingLock(m_app, *m_editor, [this] { runToolbarKey(ToolbarKey::Delete); },
                   [this] { emit commandBookRequested(); }, this);
    // After the lock: the completion list sees each key first and hands it on.
    new CommandCompleter(m_app, *m_editor, this);

    // Each change is coloured as soon as the edit that made it is over (once the
    // key, the insert or the Undo has returned), so its colouring joins that very
    // step of Undo; the edits of one go are coloured together.
    m_colouringTimer->setSingleShot(true);
    m_colouringTimer->setInterval(0);
    connect(m_colouringTimer, &QTimer::timeout, this, &ScriptWindow::colourEdits);
    connect(m_diskWatch, &DiskWatch::changedOnDisk, this, &ScriptWindow::followDiskChange);
    connect(m_diskWatch, &DiskWatch::goneFromDisk, this, &ScriptWindow::noteGoneFromDisk);
    connect(m_editor, &RichTextControl::contentChanged, this, &ScriptWindow::markChanged);
    connect(m_editor, &RichTextControl::contentChanged, this, [this] {
        if (!m_colouringOff)
            m_colouringTimer->start();
    });
    connect(m_editor, &RichTextControl::doubleClicked, this, &ScriptWindow::editLineInDialog);

    m_editor->setSelColor(RichTextControl::white());
    m_editor->setPasteFilter([this](const QString& pasted) { return takePaste(pasted); });
}

ScriptWindow::~ScriptWindow() = default;

QString ScriptWindow::takePaste(const QString& pasted)
{
    const ScriptLimits::Paste paste = ScriptLimits::checkPaste(pasted, m_editor->textLength());
    if (!paste.refusal.isEmpty())
        m_app.prompt.notify(QStringLiteral("Text Not Pasted"), paste.refusal, PromptIcon::Information);
    else if (paste.removed > 0)
        m_app.prompt.notify(QStringLiteral("Characters Left Out"),
                            QStringLiteral("The pasted text held %1 control character(s), such as NUL, that a script "
                                           "cannot hold. They were left out; the rest was pasted.")
                                .arg(paste.removed),
                            PromptIcon::Information);
    return paste.text;
}

QString ScriptWindow::fileFilter()
{
    return QStringLiteral("AO Script files|*|Text Files(*.txt)|*.txt");
}

void ScriptWindow::buildToolbar()
{
    for (const ToolbarButton& b : kButtons) {
        if (!b.name) {
            m_toolbar->addSeparator();
            continue;
        }
        const QString name = QString::fromLatin1(b.name);
        auto* action = m_toolbar->addAction(ScriptToolbarActions::buttonIcon(name),
                                                 b.caption ? QString::fromLatin1(b.caption) : name);
        action->setObjectName(name);
        action->setData(static_cast<int>(b.key));
        action->setToolTip(QString::fromLatin1(b.tooltip));
        auto* button = qobject_cast<QToolButton*>(m_toolbar->widgetForAction(action));
        if (button)
            button->setAccessibleName(QString::fromUtf8(b.spoken));
        // "%t " and "%f " show their captions beside the picture at all times.
        if (button && b.caption && b.key != ToolbarKey::Me)
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        const ToolbarKey key = b.key;
        connect(action, &QAction::triggered, this, [this, key] { runToolbarKey(key); });
    }
}

QAction* ScriptWindow::toolbarAction(ToolbarKey key) const
{
    for (QAction* a : m_toolbar->actions()) {
        if (!a->isSeparator() && a->data().toInt() == static_cast<int>(key))
            return a;
    }
    return nullptr;
}

void ScriptWindow::runToolbarKey(ToolbarKey key)
{
    // The keys that write text whiten what they write themselves, inside their undo
    // step: whitening a selection here would be a step of its own that changes only
    // colours, one the player would have to undo in vain.
    switch (key) {
    case ToolbarKey::New:
        newScript();
        break;
    case ToolbarKey::Open:
        open();
        break;
    case ToolbarKey::Save:
        save();
        break;
    case ToolbarKey::SaveAs:
        saveAs();
        break;
    case ToolbarKey::Print:
        print();
        break;
    default:
        m_editActions->runKey(key);
        break;
    }
}

void ScriptWindow::setChanged(bool changed)
{
    // The book is read, never saved: nothing in it is a change to keep.
    changed = changed && !m_book;
    const bool flips = changed != m_changed;
    m_changed = changed;
    setWindowModified(changed);
    if (changed)
        m_recovery->noteChange();
    else
        m_recovery->forget();
    if (flips)
        emit titleChanged();
}

void ScriptWindow::setReadOnlyBook(const QString& title)
{
    m_book = true;
    stopColouring();
    // The typing lock would make the book editable again once free typing is on.
    delete findChild<TypingLock*>();
    m_editor->setBook();
    // Read with the keyboard too: the caret moves through the book, Enter follows a link.
    m_editor->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Its file buttons and variables would act on a text that is not a script.
    m_toolbar->hide();
    setWindowTitle(title);
    setChanged(false);
    emit titleChanged();
}

void ScriptWindow::colourEdits()
{
    // A pass that must wait (the player can still redo, and a new step would drop
    // that) is tried again after the next edit; Undo and Redo bring back the colours
    // of the steps they replay, as each step carries its own.
    if (!m_colouringOff && CommandColouring::colourEdits(*m_editor))
        m_colouredLength = m_editor->textLength();
}

void ScriptWindow::stopColouring()
{
    m_colouringTimer->stop();
    m_colouringOff = true;
}

bool ScriptWindow::colours() const
{
    return !m_colouringOff;
}

void ScriptWindow::editLineInDialog()
{
    m_editActions->editLineInDialog();
}

QString ScriptWindow::chooseSaveFile(const QString& startFolder)
{
    // A name the game's own command would take over is asked about once; No opens the
    // dialog again.
    for (;;) {
        const QString path = m_app.prompt.chooseFile(
            {FileDialogKind::Save, QStringLiteral("Save a Script File"), fileFilter(),
             startFolder.isEmpty() ? scriptsFolder() : startFolder, false});
        if (path.isEmpty())
            return path;
        if (heldElsewhere(path)) {
            m_app.prompt.notify(QStringLiteral("Script Open Elsewhere"),
                                QStringLiteral("'%1' is open in another window, which is now in front. Save it "
                                               "there, or close that window before saving this script over it.")
                                    .arg(QFileInfo(path).fileName()),
                                PromptIcon::Information);
            return {};
        }
        if (ScriptNameQuestion::keepName(m_app, path))
            return path;
    }
}

QString ScriptWindow::scriptsFolder() const
{
    // The game reads scripts from there; without a game folder the player's home is
    // a better start than wherever the program was started from.
    if (m_app.gamePath().isEmpty())
        return QDir::homePath();
    const QString scripts = PathLookup::findDirectory(m_app.gamePath(), QStringLiteral("scripts"));
    return scripts.isEmpty() ? m_app.gamePath() : scripts;
}

bool ScriptWindow::heldElsewhere(const QString& path)
{
    return m_holderFinder && m_holderFinder(path, this);
}

bool ScriptWindow::saveTo(const QString& path)
{
    const QString text = m_editor->Text();
    if (const ScriptCodec::Losses lost = ScriptCodec::losses(text);
        lost.count > 0 && m_app.prompt.ask(kLossTitle, lossQuestion(lost), PromptIcon::Warning) != PromptAnswer::Yes)
        return false;
    if (const QString problem = ScriptLimits::saveProblem(text);
        !problem.isEmpty() && m_app.prompt.ask(QStringLiteral("Script Would Not Open Again"),
                                               problem + QStringLiteral("\n\nSave anyway?"), PromptIcon::Warning)
                                  != PromptAnswer::Yes)
        return false;
    // A chosen name is kept even when the write fails, so the next Save tries it again.
    setFileName(path);
    if (const IoResult r = m_scriptFile.save(path, text, m_lineBreak); !r.ok()) {
        // The file may be writable while its folder is not: the way out is another
        // folder, so that is offered rather than only reported.
        if (r.number == ErrorNumbers::FolderNotWritable)
            return m_app.prompt.ask(QStringLiteral("Folder Cannot Be Written"),
                                    r.description + QStringLiteral("\n\nSave the script somewhere else with Save As?"),
                                    PromptIcon::Warning) == PromptAnswer::Yes &&
                   saveAs();
        m_app.prompt.showError(ErrorReports::forScript(FileOperation::Save, path, r));
        return false;
    }
    m_diskWatch->follow(path);
    m_goneFromDisk = false;
    showTitle();
    setChanged(false);
    if (m_app.scriptFileUsed)
        m_app.scriptFileUsed(path);
    return true;
}

QString ScriptWindow::scriptName() const
{
    return shownName();
}

bool ScriptWindow::offerToSave()
{
    if (!m_changed)
        return true;
    // Escape, the close box and Cancel keep the window and its text as they are:
    // only Discard drops the changes.
    switch (m_app.prompt.askToSave(QStringLiteral("Save Changes"),
                                   QStringLiteral("Save changes to '%1'?").arg(scriptName()))) {
    case PromptAnswer::Save:
        break;
    case PromptAnswer::Discard:
        return true;
    default:
        return false;
    }
    if (!m_fileName.isEmpty())
        return saveTo(m_fileName);
    // The player wanted the text kept: leaving the dialog without a name stops the
    // action rather than dropping the text.
    const QString path = chooseSaveFile(QString());
    return !path.isEmpty() && saveTo(path);
}

bool ScriptWindow::newScript()
{
    // A changed script without a file is offered a save here too, as Open and
    // closing do: New would otherwise drop it without a word.
    if (!offerToSave())
        return false;
    m_editor->setText(QString());
    m_editor->setSelColor(RichTextControl::white());
    setChanged(false);
    // The new script is tied to no file: keeping the old name would let a plain
    // Save write the new script over the previous one without any dialog.
    setFileName(QString());
    m_lineBreak = QByteArrayLiteral("\r\n");
    m_diskWatch->follow(QString());
    return true;
}

bool ScriptWindow::open()
{
    if (!offerToSave())
        return false;
    const QString path = m_app.prompt.chooseFile(
        {FileDialogKind::Open, QStringLiteral("Open a Script File"), fileFilter(), scriptsFolder(), false});
    if (path.isEmpty() || heldElsewhere(path))
        return false;
    const IoResult result = loadScript(path);
    if (!result.ok())
        m_app.prompt.showError(ErrorReports::forScript(FileOperation::Open, path, result));
    return result.ok();
}

bool ScriptWindow::openFile(const QString& path)
{
    m_editor->setSelColor(RichTextControl::white());
    if (!offerToSave())
        return false;
    const IoResult result = loadScript(path);
    if (!result.ok())
        m_app.prompt.showError(ErrorReports::forScript(FileOperation::Open, path, result));
    return result.ok();
}

IoResult ScriptWindow::loadScript(const QString& path)
{
    // The name is taken only once the file has loaded: a file that failed to load
    // must not become the target of the next Save, which would write the old text
    // over it.
    ScriptFile::ReadResult read = ScriptFile::read(path);
    if (!read.result.ok())
        return read.result;
    m_editor->setLoadedText(read.text);
    m_lineBreak = read.lineBreak;
    setFileName(path);
    m_editor->setSelStart(0);
    m_editor->setSelColor(RichTextControl::white());
    // The load started the undo history afresh, so the colouring is no step to undo.
    CommandColouring::apply(*m_editor, CommandColouring::spans(read.text));
    read.text.clear();
    m_diskWatch->follow(path);
    setChanged(false);
    if (m_app.scriptFileUsed)
        m_app.scriptFileUsed(path);
    return {};
}

bool ScriptWindow::save()
{
    if (!m_changed)
        return true;
    const QString path = m_fileName.isEmpty() ? chooseSaveFile(QString()) : m_fileName;
    return !path.isEmpty() && saveTo(path);
}

bool ScriptWindow::saveAs()
{
    const QString path = chooseSaveFile(m_fileName.isEmpty() ? QString() : QFileInfo(m_fileName).absolutePath());
    if (path.isEmpty())
        return false;
    if (QFileInfo::exists(path)
        && m_app.prompt.ask(QStringLiteral("Overwrite File"),
                            QStringLiteral("Overwrite existing file '") + path + QStringLiteral("'?"), PromptIcon::Question)
               != PromptAnswer::Yes)
        return false;
    return saveTo(path);
}

bool ScriptWindow::print()
{
    const std::optional<IoResult> result = m_printer.print(*m_editor, window());
    if (result && !result->ok())
        m_app.prompt.showError(ErrorReports::forScript(FileOperation::Print, m_fileName, *result));
    return result && result->ok();
}

void ScriptWindow::printPreview()
{
    if (const std::optional<IoResult> failure = m_printer.preview(*m_editor, window()))
        m_app.prompt.showError(ErrorReports::forScript(FileOperation::Print, m_fileName, *failure));
}

void ScriptWindow::closeEvent(QCloseEvent* event)
{
    if (!offerToSave()) {
        event->ignore();
        return;
    }
    setChanged(false);
    QMdiSubWindow::closeEvent(event);
}
