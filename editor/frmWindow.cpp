#include "editor/frmWindow.h"

#include "app/AppState.h"
#include "editor/CommandColouring.h"
#include "editor/ScriptToolbarActions.h"
#include "editor/TypingLock.h"
#include "platform/Prompt.h"
#include "platform/RichTextControl.h"

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
    const char* key;  // nullptr: a separator
    const char* caption;
    const char* tooltip;
};

constexpr ToolbarButton kButtons[] = {
    {"New", nullptr, "Create a new file."},
    {"Open", nullptr, "Open a file"},
    {"Save", nullptr, "Save currently loaded file."},
    {"Print", nullptr, "Print the contents to your printer."},
    {nullptr, nullptr, nullptr},
    {"Delete", nullptr, "Delete the current command."},
    {nullptr, nullptr, nullptr},
    {"Target", "%t ", "Insert %t Target variable."},
    {"Fight", "%f ", "Insert %f the fighting target variable."},
    {"Me", "%m ", "Insert the %m your name variable."},
    {nullptr, nullptr, nullptr},
    {"1", nullptr, "Insert input variable number 1."},
    {"2", nullptr, "Insert input variable number 2."},
    {"3", nullptr, "Insert input variable number 3."},
    {"4", nullptr, "Insert input variable number 4."},
};
}

frmWindow::frmWindow(AppState& app, QWidget* parent)
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
    setWindowTitle(kNewFileTitle);
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
    m_editActions = std::make_unique<ScriptToolbarActions>(m_app, *this);
    buildToolbar();
    // A child of the window: the lock lives as long as the editor it guards.
    new TypingLock(m_app, *rtfrypAO, [this] { tlbasxToolbar1_ButtonClick(QStringLiteral("Delete")); }, this);

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
        if (!b.key) {
            tlbasxToolbar1->addSeparator();
            continue;
        }
        const QString key = QString::fromLatin1(b.key);
        auto* action = tlbasxToolbar1->addAction(ScriptToolbarActions::buttonIcon(key),
                                                 b.caption ? QString::fromLatin1(b.caption) : key);
        action->setObjectName(key);
        action->setData(key);
        action->setToolTip(QString::fromLatin1(b.tooltip));
        // "%t " and "%f " show their captions beside the picture at all times.
        if (b.caption && key != QLatin1String("Me")) {
            if (auto* button = qobject_cast<QToolButton*>(tlbasxToolbar1->widgetForAction(action)))
                button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }
        connect(action, &QAction::triggered, this, [this, key] { tlbasxToolbar1_ButtonClick(key); });
    }
}

QAction* frmWindow::toolbarAction(const QString& key) const
{
    for (QAction* a : tlbasxToolbar1->actions()) {
        if (!a->isSeparator() && a->data().toString() == key)
            return a;
    }
    return nullptr;
}

void frmWindow::tlbasxToolbar1_ButtonClick(const QString& key)
{
    rtfrypAO->setSelColor(RichTextControl::white());
    IoResult result;
    if (key == QLatin1String("New"))
        result = newScript();
    else if (key == QLatin1String("Open"))
        result = openScript();
    else if (key == QLatin1String("Save"))
        result = saveScript();
    else if (key == QLatin1String("SaveAs"))
        result = saveScriptAs();
    else if (key == QLatin1String("Print"))
        result = m_printer.print(*rtfrypAO);
    else
        m_editActions->ButtonClick(key);
    if (!result.ok())
        m_app.prompt.showError(kButtonClickHandler, result.number, result.description);
}

void frmWindow::runOnce(QTimer& timer, const QString& key)
{
    // Switched off before the action, so arming it twice runs the action once.
    timer.stop();
    tlbasxToolbar1_ButtonClick(key);
}

void frmWindow::tmOpen_Timer()
{
    runOnce(*tmOpen, QStringLiteral("Open"));
}

void frmWindow::tmSave_Timer()
{
    runOnce(*tmSave, QStringLiteral("Save"));
}

void frmWindow::tmSaveAs_Timer()
{
    runOnce(*tmSaveAs, QStringLiteral("SaveAs"));
}

void frmWindow::tmprint_Timer()
{
    runOnce(*tmprint, QStringLiteral("Print"));
}

void frmWindow::tmChanged_Timer()
{
    tmChanged->stop();
    m_changed = true;
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
    m_changed = true;
}

IoResult frmWindow::writeTo(const QString& path)
{
    return rtfrypAO->saveFile(path);
}

QString frmWindow::chooseSaveFile(const QString& startFolder)
{
    return m_app.prompt.chooseFile(
        {FileDialogKind::Save, QStringLiteral("Save a Script File"), fileFilter(), startFolder});
}

IoResult frmWindow::offerToSave()
{
    if (!m_changed)
        return {};
    if (!m_fileName.isEmpty()) {
        if (m_app.prompt.ask(QStringLiteral("Save Changes"), QStringLiteral("Save changes to '") + m_fileName + QStringLiteral("'?"),
                             PromptIcon::Information)
            != PromptAnswer::Yes)
            return {};
        if (IoResult r = writeTo(m_fileName); !r.ok())
            return r;
        m_changed = false;
        return {};
    }
    if (m_app.prompt.ask(QStringLiteral("Save Changes"), QStringLiteral("Save to a new file?"), PromptIcon::Information)
        != PromptAnswer::Yes)
        return {};
    const QString path = chooseSaveFile(QString());
    if (path.isEmpty())
        return {};
    m_fileName = path;
    if (IoResult r = writeTo(path); !r.ok())
        return r;
    m_changed = false;
    return {};
}

IoResult frmWindow::newScript()
{
    // A changed script without a file is offered a save here too, as Open and
    // closing do: New would otherwise drop it without a word.
    if (IoResult r = offerToSave(); !r.ok())
        return r;
    rtfrypAO->setText(QString());
    rtfrypAO->setSelColor(RichTextControl::white());
    m_changed = false;
    // The new script is tied to no file: keeping the old name would let a plain
    // Save write the new script over the previous one without any dialog.
    m_fileName.clear();
    setWindowTitle(kNewFileTitle);
    return {};
}

IoResult frmWindow::openScript()
{
    if (IoResult r = offerToSave(); !r.ok())
        return r;
    const QString path = m_app.prompt.chooseFile(
        {FileDialogKind::Open, QStringLiteral("Open a Script File"), fileFilter(), m_app.gamePath});
    if (path.isEmpty())
        return {};
    // The name is taken only once the file has loaded: a file that failed to load
    // must not become the target of the next Save, which would write the old text
    // over it.
    QString loaded;
    if (IoResult r = rtfrypAO->loadFile(path, &loaded); !r.ok())
        return r;
    m_fileName = path;
    rtfrypAO->setSelStart(0);
    rtfrypAO->setSelColor(RichTextControl::white());
    // The load started the undo history afresh; the first colouring belongs to the
    // loaded file, not to anything the player could want to undo.
    rtfrypAO->document()->setUndoRedoEnabled(false);
    CommandColouring::apply(*rtfrypAO, CommandColouring::spans(loaded));
    loaded.clear();
    rtfrypAO->document()->setUndoRedoEnabled(true);
    m_changed = false;
    setWindowTitle(m_fileName);
    return {};
}

IoResult frmWindow::saveScript()
{
    if (!m_changed)
        return {};
    if (!m_fileName.isEmpty()) {
        if (IoResult r = writeTo(m_fileName); !r.ok())
            return r;
        m_changed = false;
        return {};
    }
    const QString path = chooseSaveFile(QString());
    if (path.isEmpty())
        return {};
    m_fileName = path;
    if (IoResult r = writeTo(path); !r.ok())
        return r;
    m_changed = false;
    return {};
}

IoResult frmWindow::saveScriptAs()
{
    const QString path = chooseSaveFile(m_app.gamePath);
    if (path.isEmpty())
        return {};
    if (QFileInfo::exists(path)
        && m_app.prompt.ask(QStringLiteral("Overwrite File"),
                            QStringLiteral("Overwrite existing file '") + path + QStringLiteral("'?"), PromptIcon::Question)
               != PromptAnswer::Yes)
        return {};
    m_fileName = path;
    if (IoResult r = writeTo(path); !r.ok())
        return r;
    m_changed = false;
    return {};
}

void frmWindow::closeEvent(QCloseEvent* event)
{
    if (IoResult r = offerToSave(); !r.ok()) {
        m_app.prompt.showError(kCloseHandler, r.number, r.description);
        event->ignore();
        return;
    }
    m_changed = false;
    QMdiSubWindow::closeEvent(event);
}
