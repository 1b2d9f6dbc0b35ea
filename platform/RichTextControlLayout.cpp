#include "platform/RichTextControlLayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
// The width of lines that do not wrap (well inside what QTextLine can hold).
constexpr qreal kUnlimited = 1e7;
// Everything below a point, for repaint requests.
constexpr qreal kEverything = qreal(INT_MAX);
// An edit that reaches more blocks than this leaves them all to be laid out when shown.
constexpr int kLayOutAtOnce = 64;
}

RichTextControlLayout::RichTextControlLayout(QTextDocument* document)
    : QAbstractTextDocumentLayout(document), m_font(document->defaultFont())
{
    m_blockCount = document->blockCount();
    m_lineCount = document->lineCount();
}

qreal RichTextControlLayout::lineHeight() const
{
    if (m_lineHeight <= 0)
        m_lineHeight = std::ceil(QFontMetricsF(document()->defaultFont()).lineSpacing());
    return m_lineHeight;
}

qreal RichTextControlLayout::wrapWidth() const
{
    const QTextDocument* doc = document();
    const qreal page = doc->pageSize().width();
    if (doc->defaultTextOption().wrapMode() == QTextOption::NoWrap || page <= 0)
        return kUnlimited;
    return std::max<qreal>(1, page - 2 * doc->documentMargin());
}

qreal RichTextControlLayout::top(const QTextBlock& block) const
{
    return document()->documentMargin() + block.firstLineNumber() * lineHeight();
}

bool RichTextControlLayout::ensureLaidOut(const QTextBlock& block) const
{
    QTextLayout* layout = block.layout();
    const qreal width = wrapWidth();
    if (layout->lineCount() > 0 && layout->lineAt(0).width() == width)
        return false;
    QTextOption option = document()->defaultTextOption();
    if (block.length() > kWrapAnywhereFrom && option.wrapMode() != QTextOption::NoWrap)
        option.setWrapMode(QTextOption::WrapAnywhere);
    layout->setTextOption(option);
    const qreal height = lineHeight();
    int lines = 0;
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
        line.setLeadingIncluded(true);
        line.setLineWidth(width);
        line.setPosition(QPointF(0, lines * height));
        m_widest = std::max(m_widest, line.naturalTextWidth());
        ++lines;
    }
    layout->endLayout();
    const int count = block.isVisible() ? std::max(lines, 1) : 0;
    if (block.lineCount() == count)
        return false;
    QTextBlock(block).setLineCount(count);
    return true;
}

void RichTextControlLayout::reportSizeLater() const
{
    if (m_sizeReportPending)
        return;
    m_sizeReportPending = true;
    auto* self = const_cast<RichTextControlLayout*>(this);
    QMetaObject::invokeMethod(
        self,
        [self] {
            self->m_sizeReportPending = false;
            self->m_lineCount = self->document()->lineCount();
            emit self->documentSizeChanged(self->documentSize());
            emit self->update(QRectF(0, 0, kEverything, kEverything));
        },
        Qt::QueuedConnection);
}

void RichTextControlLayout::draw(QPainter* painter, const PaintContext& context)
{
    const QTextDocument* doc = document();
    const qreal margin = doc->documentMargin();
    const qreal height = lineHeight();
    const QRectF clip = context.clip.isValid() ? context.clip : QRectF(0, 0, kEverything, kEverything);
    const int total = doc->lineCount();
    if (total <= 0)
        return;
    const int firstLine = std::clamp(int(std::floor((clip.top() - margin) / height)), 0, total - 1);
    bool cursorWidthOk = false;
    int cursorWidth = property("cursorWidth").toInt(&cursorWidthOk);
    if (!cursorWidthOk)
        cursorWidth = 1;

    painter->save();
    m_paintedFrom = firstLine;
    for (QTextBlock block = doc->findBlockByLineNumber(firstLine); block.isValid(); block = block.next()) {
        if (!block.isVisible())
            continue;
        if (ensureLaidOut(block))
            reportSizeLater();
        const qreal blockTop = top(block);
        if (blockTop > clip.bottom())
            break;
        m_paintedTo = block.firstLineNumber() + block.lineCount() - 1;
        QTextLayout* layout = block.layout();
        const int position = block.position();
        const int length = block.length();

        QList<QTextLayout::FormatRange> selections;
        for (const Selection& range : context.selections) {
            const int from = range.cursor.selectionStart() - position;
            const int to = range.cursor.selectionEnd() - position;
            if (from < length && to > 0 && to > from) {
                selections.append({std::max(from, 0), std::min(to, length) - std::max(from, 0), range.format});
            } else if (!range.cursor.hasSelection() && range.format.hasProperty(QTextFormat::FullWidthSelection)
                       && block.contains(range.cursor.position())) {
                // A line marker without a selection: the whole line of that position.
                const QTextLine line = layout->lineForTextPosition(range.cursor.position() - position);
                int lineLength = line.textLength();
                if (line.textStart() + lineLength == length - 1)
                    ++lineLength;
                selections.append({line.textStart(), lineLength, range.format});
            }
        }

        const QPointF offset(margin, blockTop);
        painter->setPen(context.palette.color(QPalette::Text));
        layout->draw(painter, offset, selections, clip);
        const int cursor = context.cursorPosition;
        if (cursor >= position && cursor < position + length) {
            painter->setPen(context.palette.color(QPalette::Text));
            layout->drawCursor(painter, offset, cursor - position, cursorWidth);
        } else if (cursor < -1 && !layout->preeditAreaText().isEmpty()) {
            painter->setPen(context.palette.color(QPalette::Text));
            layout->drawCursor(painter, offset, layout->preeditAreaPosition() - (cursor + 2), cursorWidth);
        }
    }
    painter->restore();
}

int RichTextControlLayout::hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const
{
    const QTextDocument* doc = document();
    const qreal margin = doc->documentMargin();
    const int total = doc->lineCount();
    if (total <= 0)
        return -1;
    const int wanted = int(std::floor((point.y() - margin) / lineHeight()));
    if (accuracy == Qt::ExactHit && (wanted < 0 || wanted >= total))
        return -1;
    const int line = std::clamp(wanted, 0, total - 1);
    QTextBlock block = doc->findBlockByLineNumber(line);
    // Laying the block out can leave it fewer lines than it was counted with: the line
    // is then in a later block.
    for (;;) {
        if (ensureLaidOut(block))
            reportSizeLater();
        if (line < block.firstLineNumber() + block.lineCount() || !block.next().isValid())
            break;
        block = block.next();
    }
    const QTextLayout* layout = block.layout();
    if (layout->lineCount() == 0)
        return block.position();
    const QTextLine textLine =
        layout->lineAt(std::clamp(line - block.firstLineNumber(), 0, layout->lineCount() - 1));
    const qreal x = point.x() - margin;
    if (accuracy == Qt::ExactHit && (x < textLine.x() || x > textLine.x() + textLine.naturalTextWidth()))
        return -1;
    return block.position() + textLine.xToCursor(x);
}

int RichTextControlLayout::pageCount() const
{
    return 1;
}

QSizeF RichTextControlLayout::documentSize() const
{
    const QTextDocument* doc = document();
    const qreal margin = doc->documentMargin();
    const qreal width = wrapWidth() >= kUnlimited ? m_widest + 2 * margin : doc->pageSize().width();
    return QSizeF(width, doc->lineCount() * lineHeight() + 2 * margin);
}

QRectF RichTextControlLayout::frameBoundingRect(QTextFrame* frame) const
{
    return frame == document()->rootFrame() ? QRectF(QPointF(0, 0), documentSize()) : QRectF();
}

QRectF RichTextControlLayout::blockBoundingRect(const QTextBlock& block) const
{
    if (!block.isValid())
        return QRectF();
    if (ensureLaidOut(block))
        reportSizeLater();
    const qreal width = wrapWidth() >= kUnlimited ? block.layout()->boundingRect().width() : wrapWidth();
    return QRectF(document()->documentMargin(), top(block), width, block.lineCount() * lineHeight());
}

void RichTextControlLayout::documentChanged(int from, int /*charsRemoved*/, int charsAdded)
{
    QTextDocument* doc = document();
    const bool fontChanged = doc->defaultFont() != m_font;
    if (fontChanged) {
        // Every line changes height: lay everything out again as it is shown.
        m_font = doc->defaultFont();
        m_lineHeight = 0;
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
            block.clearLayout();
    }
    const QTextBlock first = doc->findBlock(from);
    const QTextBlock last = doc->findBlock(from + charsAdded);
    const int firstNumber = first.blockNumber();
    const int lastNumber = last.isValid() ? last.blockNumber() : doc->blockCount() - 1;
    const bool manyBlocks = lastNumber - firstNumber > kLayOutAtOnce;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        block.clearLayout();
        // What the editor shows is laid out again now, so that the editor knows what
        // to repaint; the rest waits until it is shown.
        if (!manyBlocks && block.firstLineNumber() <= m_paintedTo
            && block.firstLineNumber() + block.lineCount() > m_paintedFrom)
            ensureLaidOut(block);
        if (block == last)
            break;
    }

    const int blockCount = doc->blockCount();
    const int lineCount = doc->lineCount();
    const bool moved = fontChanged || manyBlocks || blockCount != m_blockCount || lineCount != m_lineCount;
    m_blockCount = blockCount;
    m_lineCount = lineCount;
    const qreal from_y = first.isValid() ? top(first) : 0;
    if (moved) {
        emit documentSizeChanged(documentSize());
        emit update(QRectF(0, from_y, kEverything, kEverything));
        return;
    }
    const qreal to_y = last.isValid() ? top(last) + last.lineCount() * lineHeight() : kEverything;
    emit update(QRectF(0, from_y, kEverything, to_y - from_y));
}
