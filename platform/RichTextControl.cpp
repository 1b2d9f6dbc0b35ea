#include "platform/RichTextControl.h"

#include <QMimeData>

#include "platform/ErrorNumbers.h"
#include "platform/RichTextControlAccessible.h"
#include "platform/RichTextControlLayout.h"
#include "platform/ScriptCodec.h"

#include <QKeyEvent>
#include <QPrinter>
#include <QTextBlock>
#include <QTextFrame>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <utility>
#include <vector>

namespace {
// Qt keeps paragraph breaks as U+2029 and Shift+Enter's soft breaks as U+2028; to the
// rest of the program both are one line break.
QString withPlainBreaks(QString text)
{
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    }
    return text;
}

QColor foregroundOf(const QTextCharFormat& format)
{
    return format.hasProperty(QTextFormat::ForegroundBrush) ? format.foreground().color() : RichTextControl::white();
}

// Keeps the armed colour alive while the control itself moves the selection: only
// the player moving the caret makes it stale.
class OwnMove {
public:
    explicit OwnMove(bool& flag) : m_flag(flag), m_old(std::exchange(flag, true)) {}
    ~OwnMove() { m_flag = m_old; }
    OwnMove(const OwnMove&) = delete;
    OwnMove& operator=(const OwnMove&) = delete;

private:
    bool& m_flag;
    bool m_old;
};

// Whether the text from..to holds what only Qt's full layout shows: paragraph formats
// (indents, margins, alignment, lists), tables and other frames, or characters with a
// font, size or weight of their own. The text of a script only ever changes colour.
bool holdsRichText(const QTextDocument& doc, int from, int to)
{
    if (!doc.rootFrame()->childFrames().isEmpty())
        return true;
    const QTextBlock last = doc.findBlock(to);
    for (QTextBlock block = doc.findBlock(from); block.isValid(); block = block.next()) {
        if (block.textList() || !block.blockFormat().properties().isEmpty())
            return true;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QMap<int, QVariant> properties = it.fragment().charFormat().properties();
            for (auto p = properties.keyBegin(); p != properties.keyEnd(); ++p) {
                if (*p != QTextFormat::ForegroundBrush)
                    return true;
            }
        }
        if (block == last)
            break;
    }
    return false;
}

// How many stretches of edits the control keeps apart before it folds them together.
constexpr std::size_t kMostEditMarks = 32;
}

RichTextControl::RichTextControl(QWidget* parent) : QTextEdit(parent)
{
    RichTextControlAccessible::install();
    // A paste brings the words, not another program's colours and fonts.
    setAcceptRichText(false);

    QPalette pal = palette();
    pal.setColor(QPalette::Base, Qt::black);
    pal.setColor(QPalette::Text, white());
    setPalette(pal);

    QFont f(QStringLiteral("Sans Serif"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(9.75);
    setFont(f);
    document()->setDefaultFont(f);
    useScriptLayout();

    connect(document(), &QTextDocument::contentsChange, this, &RichTextControl::onContentsChange);
    connect(this, &QTextEdit::cursorPositionChanged, this, [this] {
        if (!m_movingOurselves)
            m_colourArmed = false;
    });
}

RichTextControl::~RichTextControl() = default;

void RichTextControl::onContentsChange(int position, int removed, int added)
{
    if (m_quiet)
        return;
    if (m_formattingOnly > 0 || (removed == 0 && added == 0))
        return;
    if (!m_richLayout && !m_plainArriving && holdsRichText(*document(), position, position + added))
        useRichLayout();
    markEdited(position, position + added);
    emit contentChanged();
}

void RichTextControl::useScriptLayout()
{
    const bool wasQuiet = std::exchange(m_quiet, true);
    auto* layout = new RichTextControlLayout(document());
    layout->setPaintDevice(viewport());
    document()->setDocumentLayout(layout);
    m_richLayout = false;
    m_quiet = wasQuiet;
}

void RichTextControl::useRichLayout()
{
    const bool wasQuiet = std::exchange(m_quiet, true);
    // Qt's own layout comes back when there is none.
    document()->setDocumentLayout(nullptr);
    document()->documentLayout()->setPaintDevice(viewport());
    m_richLayout = true;
    m_quiet = wasQuiet;
}

void RichTextControl::markEdited(int from, int to)
{
    // A change reported for the whole document counts its last line break too.
    to = std::min(to, textLength());
    for (EditMark& mark : m_edits) {
        if (mark.from.position() <= to && mark.to.position() >= from) {
            if (from < mark.from.position())
                mark.from.setPosition(from);
            if (to > mark.to.position())
                mark.to.setPosition(to);
            return;
        }
    }
    if (m_edits.size() >= kMostEditMarks) {
        // Too many places at once (a replace over the whole script): the nearest mark
        // takes this one in, the stretch between them included.
        auto distance = [&](const EditMark& m) {
            return std::max({m.from.position() - to, from - m.to.position(), 0});
        };
        EditMark& nearest = *std::min_element(m_edits.begin(), m_edits.end(), [&](const EditMark& a, const EditMark& b) {
            return distance(a) < distance(b);
        });
        nearest.from.setPosition(std::min(from, nearest.from.position()));
        nearest.to.setPosition(std::max(to, nearest.to.position()));
        return;
    }
    EditMark mark{QTextCursor(document()), QTextCursor(document())};
    mark.from.setPosition(from);
    mark.from.setKeepPositionOnInsert(true);
    mark.to.setPosition(to);
    m_edits.push_back(mark);
}

QList<RichTextControl::Stretch> RichTextControl::takeEdits()
{
    QList<Stretch> stretches;
    for (const EditMark& mark : m_edits)
        stretches.append({std::min(mark.from.position(), mark.to.position()),
                          std::max(mark.from.position(), mark.to.position())});
    m_edits.clear();
    std::sort(stretches.begin(), stretches.end(), [](const Stretch& a, const Stretch& b) { return a.from < b.from; });
    QList<Stretch> merged;
    for (const Stretch& s : stretches) {
        if (!merged.isEmpty() && s.from <= merged.last().to)
            merged.last().to = std::max(merged.last().to, s.to);
        else
            merged.append(s);
    }
    return merged;
}

void RichTextControl::clearEdits()
{
    m_edits.clear();
}

RichTextControl::UndoStep::UndoStep(RichTextControl& control) : m_cursor(control.textCursor())
{
    // An edit block belongs to the document, not to the cursor that opened it: the
    // control's own cursor writes into it too. Undo puts the caret back where the
    // cursor that opened the block stood, so it opens at the caret, where the work is.
    m_cursor.beginEditBlock();
}

RichTextControl::UndoStep::~UndoStep()
{
    m_cursor.endEditBlock();
}

QString RichTextControl::Text() const
{
    return withPlainBreaks(document()->toRawText());
}

int RichTextControl::textLength() const
{
    return document()->characterCount() - 1;
}

void RichTextControl::setText(const QString& text)
{
    OwnMove own(m_movingOurselves);
    QTextCursor c = textCursor();
    QTextCharFormat format = c.charFormat();
    if (m_colourArmed)
        format.setForeground(m_armedColour);
    c.beginEditBlock();
    c.select(QTextCursor::Document);
    c.insertText(ScriptCodec::normaliseLineBreaks(text), format);
    c.endEditBlock();
    c.setPosition(0);
    setTextCursor(c);
}

int RichTextControl::SelStart() const
{
    return textCursor().selectionStart();
}

int RichTextControl::SelLength() const
{
    const QTextCursor c = textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void RichTextControl::select(int start, int length)
{
    OwnMove own(m_movingOurselves);
    const int len = textLength();
    const int from = std::clamp(start, 0, len);
    const int to = std::clamp(from + std::max(length, 0), from, len);
    QTextCursor c = textCursor();
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void RichTextControl::setSelStart(int pos)
{
    select(pos, 0);
}

void RichTextControl::setSelLength(int length)
{
    select(SelStart(), length);
}

QString RichTextControl::SelText() const
{
    return withPlainBreaks(textCursor().selectedText());
}

void RichTextControl::setSelText(const QString& text)
{
    OwnMove own(m_movingOurselves);
    QTextCursor c = textCursor();
    QTextCharFormat format = c.charFormat();
    if (m_colourArmed)
        format.setForeground(m_armedColour);
    c.insertText(ScriptCodec::normaliseLineBreaks(text), format);
    setTextCursor(c);
}

void RichTextControl::setSelColor(const QColor& c)
{
    FormattingScope formatting(*this);
    QTextCharFormat format;
    format.setForeground(c);
    mergeCurrentCharFormat(format);
    m_colourArmed = true;
    m_armedColour = c;
}

QColor RichTextControl::SelColor() const
{
    if (m_colourArmed)
        return m_armedColour;
    return foregroundOf(currentCharFormat());
}

void RichTextControl::setSelFontSize(qreal points)
{
    // Lines of another height: only the full layout places them.
    if (!m_richLayout)
        useRichLayout();
    FormattingScope formatting(*this);
    QTextCharFormat format;
    format.setFontPointSize(points);
    mergeCurrentCharFormat(format);
}

int RichTextControl::find(const QString& text, int start, int options)
{
    if (text.isEmpty())
        return -1;
    const int from = std::max(start, 0);
    if (from > textLength())
        return -1;
    QTextDocument::FindFlags flags;
    if (options & FindWholeWord)
        flags |= QTextDocument::FindWholeWords;
    if (options & FindMatchCase)
        flags |= QTextDocument::FindCaseSensitively;
    const QTextCursor match = document()->find(text, from, flags);
    if (match.isNull())
        return -1;
    const int at = match.selectionStart();
    select(at, match.selectionEnd() - at);
    return at;
}

void RichTextControl::setLoadedText(const QString& text)
{
    OwnMove own(m_movingOurselves);
    // The script layout first, so that only it ever sees the new text.
    if (m_richLayout)
        useScriptLayout();
    // The marks of edits are cursors the document would move at every line it takes.
    clearEdits();
    // Straight into the document: QTextEdit::setPlainText would also stamp the
    // caret's format over the whole text, a second pass over a large script.
    m_plainArriving = true;
    document()->setPlainText(text);
    m_plainArriving = false;
    clearEdits();
    setCurrentCharFormat(QTextCharFormat());
    m_colourArmed = false;
    QTextCursor c = textCursor();
    c.setPosition(0);
    setTextCursor(c);
}

std::unique_ptr<QTextDocument> RichTextControl::printableDocument() const
{
    auto doc = std::make_unique<QTextDocument>();
    doc->setDefaultFont(document()->defaultFont());
    const QTextCursor source = textCursor();
    QTextCursor target(doc.get());
    target.insertFragment(source.hasSelection() ? source.selection() : QTextDocumentFragment(document()));

    // The screen is black, the paper white: text coloured white would vanish.
    std::vector<std::pair<int, int>> whiteRuns;
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && foregroundOf(fragment.charFormat()) == white())
                whiteRuns.emplace_back(fragment.position(), fragment.length());
        }
    }
    QTextCharFormat black;
    black.setForeground(QColor(Qt::black));
    QTextCursor recolour(doc.get());
    for (const auto& [position, length] : whiteRuns) {
        recolour.setPosition(position);
        recolour.setPosition(position + length, QTextCursor::KeepAnchor);
        recolour.mergeCharFormat(black);
    }
    return doc;
}

IoResult RichTextControl::print(QPagedPaintDevice* device) const
{
    if (!device)
        return IoResult::failure(ErrorNumbers::PrintFailed, tr("There is no printer to print to."));
    const std::unique_ptr<QTextDocument> doc = printableDocument();
    doc->print(device);
    if (auto* printer = dynamic_cast<QPrinter*>(device); printer && printer->printerState() == QPrinter::Error)
        return IoResult::failure(ErrorNumbers::PrintFailed, tr("The printer refused the script."));
    return IoResult::success();
}

void RichTextControl::insertFromMimeData(const QMimeData* source)
{
    if (!m_pasteFilter || !source || !source->hasText()) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    const QString text = m_pasteFilter(source->text());
    if (!text.isEmpty())
        textCursor().insertText(text);
}

void RichTextControl::keyPressEvent(QKeyEvent* event)
{
    if (m_keyDownHook && m_keyDownHook(event)) {
        event->accept();
        return;
    }
    // The editor's own Undo and Redo keys take the same way as the Edit menu's.
    if (!m_book && (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo))) {
        event->matches(QKeySequence::Undo) ? undoStep() : redoStep();
        event->accept();
        return;
    }
    QTextEdit::keyPressEvent(event);
}

namespace {
// Where two texts start to differ, and where the second stops differing from the
// first, counted in the second: the stretch a step of Undo or Redo changed.
std::pair<int, int> changedStretch(const QString& before, const QString& after)
{
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype start = 0;
    while (start < shorter && before.at(start) == after.at(start))
        ++start;
    qsizetype tail = 0;
    while (tail < shorter - start && before.at(before.size() - 1 - tail) == after.at(after.size() - 1 - tail))
        ++tail;
    return {int(start), int(after.size() - tail)};
}
}

void RichTextControl::replayStep(bool back)
{
    const QString before = Text();
    back ? undo() : redo();
    const QString after = Text();
    if (after != before) {
        const auto [start, end] = changedStretch(before, after);
        setSelStart(back ? start : end);
    }
}

void RichTextControl::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTextEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}
