#include "editor/frmWindow.h"

#include "state/AppState.h"
#include "editor/CommandColouring.h"
#include "editor/ScriptNameQuestion.h"
#include "editor/ScriptToolbarActions.h"
#include "editor/TypingLock.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"
#include "platform/ScriptCodec.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
const QString kNewFileTitle = QStringLiteral("New File");
const QString kButtonClickHandler = QStringLiteral("tlbasxToolbar1_ButtonClick");
const QString kCloseHandler = QStringLiteral("Form_Unload");
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

QTimer* oneShot(QObject* owner, int ms)
{
    auto* t = new QTimer(owner);
    t->setInterval(ms);
    // A one-shot timer stops itself at its tick, and starting it again before the
    // tick only moves the tick: two requests within 100 ms run the action once.
    t->setSingleShot(true);
    return t;
}

struct ToolbarButton {
    const char* name;  // the action's object name and picture; nullptr: a separator
    ToolbarKey key;
    const char* caption;
    const char* tooltip;
};

constexpr ToolbarButton kSeparator{nullptr, ToolbarKey::New, nullptr, nullptr};

constexpr ToolbarButton kButtons[] = {
    {"New", ToolbarKey::New, nullptr, "Create a new file."},
    {"Open", ToolbarKey::Open, nullptr, "Open a file"},
    {"Save", ToolbarKey::Save, nullptr, "Save currently loaded file."},
    {"Print", ToolbarKey::Print, nullptr, "Print the contents to your printer."},
    kSeparator,
    {"Delete", ToolbarKey::Delete, nullptr, "Delete the current command."},
    kSeparator,
    {"Target", ToolbarKey::Target, "%t ", "Insert %t Target variable."},
    {"Fight", ToolbarKey::Fight, "%f ", "Insert %f the fighting target variable."},
    {"Me", ToolbarKey::Me, "%m ", "Insert the %m your name variable."},
    kSeparator,
    {"1", ToolbarKey::Argument1, nullptr, "Insert input variable number 1."},
    {"2", ToolbarKey::Argument2, nullptr, "Insert input variable number 2."},
    {"3", ToolbarKey::Argument3, nullptr, "Insert input variable number 3."},
    {"4", ToolbarKey::Argument4, nullptr, "Insert input variable number 4."},
};
}

frmWindow::frmWindow(AppState& app, Host host, QWidget* parent)
    : QMdiSubWindow(parent),
      rtfrypAO(new RichTextControl),
      tlbasxToolbar1(new QToolBar),
      tmOpen(oneShot(this, 100)),
      tmSave(oneShot(this, 100)),
      tmSaveAs(oneShot(this, 100)),
      tmprint(oneShot(this, 100)),
      tmChanged(oneShot(this, 100)),
      tmHighlight(new QTimer(this)),
      m_app(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setFileName(QString());
    rtfrypAO->setObjectName(QStringLiteral("rtfrypAO"));
    tlbasxToolbar1->setObjectName(QStringLiteral("tlbasxToolbar1"));
    tmOpen->setObjectName(QStringLiteral("tmOpen"));
    tmSave->setObjectName(QStringLiteral("tmSave"));
    tmSaveAs->setObjectName(QStringLiteral("tmSaveAs"));
    tmprint->setObjectName(QStringLiteral("tmprint"));
    tmChanged->setObjectName(QStringLiteral("tmChanged"));
    tmHighlight->setObjectName(QStringLiteral("tmHighlight"));

    // The toolbar along the top, the editor filling the rest: the layout keeps the
    // editor sized with the window and never asks for an impossible size.
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(tlbasxToolbar1);
    layout->addWidget(rtfrypAO, 1);
    setWidget(body);
    m_editActions = std::make_unique<ScriptToolbarActions>(
        m_app, *rtfrypAO, [this] { setChanged(true); }, std::move(host.dialogOwner));
    buildToolbar();
    // A child of the window: the lock lives as long as the editor it guards.
    new TypingLock(m_app, *rtfrypAO, [this] { tlbasxToolbar1_ButtonClick(ToolbarKey::Delete); },
                   std::move(host.requestCommandBook), this);

    connect(tmOpen, &QTimer::timeout, this, &frmWindow::tmOpen_Timer);
    connect(tmSave, &QTimer::timeout, this, &frmWindow::tmSave_Timer);
    connect(tmSaveAs, &QTimer::timeout, this, &frmWindow::tmSaveAs_Timer);
    connect(tmprint, &QTimer::timeout, this, &frmWindow::tmprint_Timer);
    connect(tmChanged, &QTimer::timeout, this, &frmWindow::tmChanged_Timer);
    connect(tmHighlight, &QTimer::timeout, this, &frmWindow::tmHighlight_Timer);
    connect(rtfrypAO, &RichTextControl::contentChanged, this, &frmWindow::rtfrypAO_Change);
    connect(rtfrypAO, &RichTextControl::doubleClicked, this, &frmWindow::rtfrypAO_DblClick);
    tmHighlight->setInterval(10000);
    tmHighlight->start();

    rtfrypAO->setSelColor(RichTextControl::white());
}

frmWindow::~frmWindow() = default;

QString frmWindow::fileFilter()
{
    return QStringLiteral("AO Script files|*|Text Files(*.txt)|*.txt");
}

void frmWindow::buildToolbar()
{
    for (const ToolbarButton& b : kButtons) {
        if (!b.name) {
            tlbasxToolbar1->addSeparator();
            continue;
        }
        const QString name = QString::fromLatin1(b.name);
        auto* action = tlbasxToolbar1->addAction(ScriptToolbarActions::buttonIcon(name),
                                                 b.caption ? QString::fromLatin1(b.caption) : name);
        action->setObjectName(name);
        action->setData(static_cast<int>(b.key));
        action->setToolTip(QString::fromLatin1(b.tooltip));
        // "%t " and "%f " show their captions beside the picture at all times.
        if (b.caption && b.key != ToolbarKey::Me) {
            if (auto* button = qobject_cast<QToolButton*>(tlbasxToolbar1->widgetForAction(action)))
                button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }
        const ToolbarKey key = b.key;
        connect(action, &QAction::triggered, this, [this, key] { tlbasxToolbar1_ButtonClick(key); });
    }
}

QAction* frmWindow::toolbarAction(ToolbarKey key) const
{
    for (QAction* a : tlbasxToolbar1->actions()) {
        if (!a->isSeparator() && a->data().toInt() == static_cast<int>(key))
            return a;
    }
    return nullptr;
}

void frmWindow::tlbasxToolbar1_ButtonClick(ToolbarKey key)
{
    // The keys that write text whiten what they write themselves, inside their undo
    // step: whitening a selection here would be a step of its own that changes only
    // colours, one the player would have to undo in vain.
    IoResult result;
    switch (key) {
    case ToolbarKey::New:
        newScript();
        break;
    case ToolbarKey::Open:
        result = openScript();
        break;
    case ToolbarKey::Save:
        saveScript();
        break;
    case ToolbarKey::SaveAs:
        saveScriptAs();
        break;
    case ToolbarKey::Print:
        result = m_printer.print(*rtfrypAO);
        break;
    default:
        m_editActions->ButtonClick(key);
        break;
    }
    if (!result.ok())
        m_app.prompt.showError(kButtonClickHandler, result.number, result.description);
}

void frmWindow::runOnce(QTimer& timer, ToolbarKey key)
{
    // Switched off before the action, so arming it twice runs the action once.
    timer.stop();
    tlbasxToolbar1_ButtonClick(key);
}

void frmWindow::tmOpen_Timer()
{
    runOnce(*tmOpen, ToolbarKey::Open);
}

void frmWindow::tmSave_Timer()
{
    runOnce(*tmSave, ToolbarKey::Save);
}

void frmWindow::tmSaveAs_Timer()
{
    runOnce(*tmSaveAs, ToolbarKey::SaveAs);
}

void frmWindow::tmprint_Timer()
{
    runOnce(*tmprint, ToolbarKey::Print);
}

void frmWindow::setChanged(bool changed)
{
    m_changed = changed;
    setWindowModified(changed);
}

void frmWindow::setFileName(const QString& path)
{
    m_fileName = path;
    // The title names the file the next Save writes to; "[*]" shows the desktop's
    // mark for unsaved changes while the window is marked modified.
    setWindowTitle((path.isEmpty() ? kNewFileTitle : path) + QStringLiteral("[*]"));
}

void frmWindow::tmChanged_Timer()
{
    tmChanged->stop();
    setChanged(true);
}

void frmWindow::tmHighlight_Timer()
{
    // The length is the only guard: a pass runs once an edit has both marked the
    // window and changed how long the text is. The pass colours what the edits since
    // the last one touched; one that had to wait is tried again at the next tick.
    const int length = rtfrypAO->textLength();
    if (!m_changed || length == m_highlightedLength)
        return;
    if (CommandColouring::colourEdits(*rtfrypAO))
        m_highlightedLength = length;
}

void frmWindow::rtfrypAO_DblClick()
{
    m_editActions->rtfrypAO_DblClick();
}

void frmWindow::rtfrypAO_Change()
{
    setChanged(true);
}

QString frmWindow::chooseSaveFile(const QString& startFolder)
{
    // A name the game's own command would take over is asked about once; No opens the
    // dialog again.
    for (;;) {
        const QString path = m_app.prompt.chooseFile(
            {FileDialogKind::Save, QStringLiteral("Save a Script File"), fileFilter(), startFolder});
        if (path.isEmpty() || ScriptNameQuestion::keepName(m_app, path))
            return path;
    }
}

bool frmWindow::saveTo(const QString& path, const QString& handler)
{
    const QString text = rtfrypAO->Text();
    if (const ScriptCodec::Losses lost = ScriptCodec::losses(text);
        lost.count > 0 && m_app.prompt.ask(kLossTitle, lossQuestion(lost), PromptIcon::Warning) != PromptAnswer::Yes)
        return false;
    // A chosen name is kept even when the write fails, so the next Save tries it again.
    setFileName(path);
    if (const IoResult r = m_scriptFile.save(path, text); !r.ok()) {
        m_app.prompt.showError(handler, r.number, r.description);
        return false;
    }
    setChanged(false);
    if (m_app.scriptFileUsed)
        m_app.scriptFileUsed(path);
    return true;
}

bool frmWindow::offerToSave(const QString& handler)
{
    if (!m_changed)
        return true;
    if (!m_fileName.isEmpty()) {
        if (m_app.prompt.ask(QStringLiteral("Save Changes"), QStringLiteral("Save changes to '") + m_fileName + QStringLiteral("'?"),
                             PromptIcon::Information)
            != PromptAnswer::Yes)
            return true;
        return saveTo(m_fileName, handler);
    }
    if (m_app.prompt.ask(QStringLiteral("Save Changes"), QStringLiteral("Save to a new file?"), PromptIcon::Information)
        != PromptAnswer::Yes)
        return true;
    // The player wanted the text kept: leaving the dialog without a name stops the
    // action rather than dropping the text.
    const QString path = chooseSaveFile(QString());
    return !path.isEmpty() && saveTo(path, handler);
}

void frmWindow::newScript()
{
    // A changed script without a file is offered a save here too, as Open and
    // closing do: New would otherwise drop it without a word.
    if (!offerToSave(kButtonClickHandler))
        return;
    rtfrypAO->setText(QString());
    rtfrypAO->setSelColor(RichTextControl::white());
    setChanged(false);
    // The new script is tied to no file: keeping the old name would let a plain
    // Save write the new script over the previous one without any dialog.
    setFileName(QString());
}

IoResult frmWindow::openScript()
{
    if (!offerToSave(kButtonClickHandler))
        return {};
    const QString path = m_app.prompt.chooseFile(
        {FileDialogKind::Open, QStringLiteral("Open a Script File"), fileFilter(), m_app.gamePath});
    if (path.isEmpty())
        return {};
    return loadScript(path);
}

bool frmWindow::openFile(const QString& path)
{
    rtfrypAO->setSelColor(RichTextControl::white());
    if (!offerToSave(kButtonClickHandler))
        return false;
    const IoResult result = loadScript(path);
    if (!result.ok())
        m_app.prompt.showError(kButtonClickHandler, result.number, result.description);
    return result.ok();
}

IoResult frmWindow::loadScript(const QString& path)
{
    // The name is taken only once the file has loaded: a file that failed to load
    // must not become the target of the next Save, which would write the old text
    // over it.
    QString loaded;
    if (IoResult r = rtfrypAO->loadFile(path, &loaded); !r.ok())
        return r;
    setFileName(path);
    rtfrypAO->setSelStart(0);
    rtfrypAO->setSelColor(RichTextControl::white());
    // The load started the undo history afresh, so the colouring is no step to undo.
    CommandColouring::apply(*rtfrypAO, CommandColouring::spans(loaded));
    loaded.clear();
    setChanged(false);
    if (m_app.scriptFileUsed)
        m_app.scriptFileUsed(path);
    return {};
}

void frmWindow::saveScript()
{
    if (!m_changed)
        return;
    const QString path = m_fileName.isEmpty() ? chooseSaveFile(QString()) : m_fileName;
    if (!path.isEmpty())
        saveTo(path, kButtonClickHandler);
}

void frmWindow::saveScriptAs()
{
    const QString path = chooseSaveFile(m_app.gamePath);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path)
        && m_app.prompt.ask(QStringLiteral("Overwrite File"),
                            QStringLiteral("Overwrite existing file '") + path + QStringLiteral("'?"), PromptIcon::Question)
               != PromptAnswer::Yes)
        return;
    saveTo(path, kButtonClickHandler);
}

void frmWindow::closeEvent(QCloseEvent* event)
{
    if (!offerToSave(kCloseHandler)) {
        event->ignore();
        return;
    }
    setChanged(false);
    QMdiSubWindow::closeEvent(event);
}
