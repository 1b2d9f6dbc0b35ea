#include "editor/CommandCompleter.h"

#include "platform/RichTextControl.h"
#include "state/AppState.h"

#include <QCompleter>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTextBlock>
#include <QTreeView>

namespace {
constexpr int kWordRole = Qt::UserRole;
constexpr int kShownRows = 12;
}

CommandCompleter::CommandCompleter(AppState& app, RichTextControl& editor, QObject* parent)
    : QObject(parent), m_app(app), m_editor(editor), m_completer(new QCompleter(this)), m_list(new QTreeView),
      m_model(new QStandardItemModel(this))
{
    m_list->setObjectName(QStringLiteral("completionList"));
    m_list->setHeaderHidden(true);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_completer->setObjectName(QStringLiteral("commandCompleter"));
    m_completer->setModel(m_model);
    m_completer->setPopup(m_list);  // the completer owns the list from here on
    m_completer->setWidget(&m_editor);
    m_completer->setCompletionRole(kWordRole);
    m_completer->setCaseSensitivity(Qt::CaseInsensitive);
    m_completer->setMaxVisibleItems(kShownRows);
    m_completer->setCompletionMode(QCompleter::PopupCompletion);
    // After the completer's own filter on the list, so Tab and Enter are answered
    // here before the list would hand them to the editor.
    m_list->installEventFilter(this);
    m_editor.installEventFilter(this);
    connect(m_completer, qOverload<const QString&>(&QCompleter::activated), this, &CommandCompleter::write);
    // Keys typed while the list is open reach the editor through the completer.
    connect(&m_editor, &QTextEdit::cursorPositionChanged, this, [this] {
        if (listShown() && !m_forwarding)
            refresh(m_asked, false);
    });
    connect(&m_app, &AppState::freeTypeChanged, this, [this](bool on) {
        if (!on)
            close();
    });
}

bool CommandCompleter::listShown() const
{
    return m_list->isVisible();
}

const CommandCompletion& CommandCompleter::completion()
{
    if (!m_completion)
        m_completion = CommandCompletion::fromCatalogue(m_app.catalogue);
    return *m_completion;
}

bool CommandCompleter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !m_app.freeType())
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_list) {
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab: {
            const QString word = m_list->currentIndex().data(kWordRole).toString();
            close();
            if (!word.isEmpty())
                write(word);
            return true;
        }
        case Qt::Key_Escape:
        case Qt::Key_Backtab:
            close();
            return true;
        default:
            return false;
        }
    }
    if (watched != &m_editor || m_forwarding)
        return false;
    if (key->key() == Qt::Key_Space && key->modifiers() == Qt::ControlModifier) {
        refresh(true, true);
        return true;
    }
    // The editor (and the typing lock before it) takes the key first; the list then
    // follows the line as the key left it.
    m_forwarding = true;
    QCoreApplication::sendEvent(&m_editor, event);
    m_forwarding = false;
    const QString typed = key->text();
    refresh(m_asked && listShown(), !typed.isEmpty() && typed.at(0).isPrint());
    return true;
}

void CommandCompleter::refresh(bool asked, bool mayOpen)
{
    const QTextCursor caret = m_editor.textCursor();
    if (!m_app.freeType() || caret.hasSelection() || (!listShown() && !mayOpen)) {
        close();
        return;
    }
    const QString line = caret.block().text().left(caret.positionInBlock());
    const std::optional<CommandCompletion::Offer> offer = completion().offer(line, asked);
    if (!offer) {
        close();
        return;
    }
    m_asked = asked;
    m_wordStart = caret.block().position() + offer->start;
    if (line.left(offer->start) != m_filledFor) {
        m_filledFor = line.left(offer->start);
        fill(*offer);
    }
    m_completer->setCompletionPrefix(offer->typed);
    if (m_completer->completionCount() == 0) {
        close();
        return;
    }
    QRect under = m_editor.cursorRect(caret);
    under.setWidth(m_list->columnWidth(0) + m_list->columnWidth(1) + m_list->verticalScrollBar()->sizeHint().width() +
                   2 * m_list->frameWidth());
    m_completer->complete(under);
    m_list->setCurrentIndex(m_completer->completionModel()->index(0, 0));
}

void CommandCompleter::fill(const CommandCompletion::Offer& offer)
{
    m_model->clear();
    m_model->setColumnCount(2);
    // A command word is shown with its slash, a value as it is written.
    const QString shownBefore = offer.start == 1 ? QStringLiteral("/") : QString();
    const QFontMetrics metrics(m_list->font());
    int wordWidth = 0;
    int descriptionWidth = 0;
    for (const CommandCompletion::Choice& choice : offer.choices) {
        auto* word = new QStandardItem(shownBefore + choice.word);
        word->setData(choice.word, kWordRole);
        auto* description = new QStandardItem(choice.description);
        description->setData(choice.word, kWordRole);
        m_model->appendRow({word, description});
        wordWidth = std::max(wordWidth, metrics.horizontalAdvance(word->text()));
        descriptionWidth = std::max(descriptionWidth, metrics.horizontalAdvance(choice.description));
    }
    // Room for the text and the view's own margins around it, in the font's own units.
    const int margins = 2 * metrics.averageCharWidth();
    m_list->setColumnWidth(0, wordWidth + margins);
    m_list->setColumnWidth(1, descriptionWidth == 0 ? 0 : descriptionWidth + margins);
}

void CommandCompleter::write(const QString& word)
{
    QTextCursor caret = m_editor.textCursor();
    if (caret.position() < m_wordStart)
        return;
    m_forwarding = true;  // the list stays closed while the word goes in
    RichTextControl::UndoStep step(m_editor);
    m_editor.select(m_wordStart, caret.position() - m_wordStart);
    m_editor.setSelColor(RichTextControl::white());
    m_editor.setSelText(word);
    m_forwarding = false;
}

void CommandCompleter::close()
{
    if (listShown())
        m_list->hide();
    m_filledFor.clear();
    m_asked = false;
}
