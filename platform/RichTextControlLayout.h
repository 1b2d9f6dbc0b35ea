#pragma once

#include <QAbstractTextDocumentLayout>
#include <QFont>

class QTextBlock;

// How a script editor lays out its text: lines of one font, one under the other, each
// block laid out only once it is shown, hit or reached by the caret.
//
// Qt's own rich-text layout places every block of the document again after every edit,
// so a key typed into a script of 100,000 lines takes tens of milliseconds. Here the
// place of a block comes from the line counts the document keeps for its blocks in its
// own tree (QTextBlock::setLineCount, QTextDocument::findBlockByLineNumber), so finding
// the block at a height, or the height of a block, costs the same at line ten as at line
// a million. A block not laid out yet counts as one line.
//
// All lines are one line of the document's default font apart. That holds for scripts,
// whose text only ever changes colour; text with fonts, indents, lists or tables of its
// own needs Qt's full layout (RichTextControl switches to it).
//
// A block longer than kWrapAnywhereFrom characters wraps anywhere: Qt's search for a
// word boundary on a long line without spaces grows with the square of its length.
class RichTextControlLayout : public QAbstractTextDocumentLayout {
    Q_OBJECT
public:
    static constexpr int kWrapAnywhereFrom = 2048;

    explicit RichTextControlLayout(QTextDocument* document);

    void draw(QPainter* painter, const PaintContext& context) override;
    int hitTest(const QPointF& point, Qt::HitTestAccuracy accuracy) const override;
    int pageCount() const override;
    QSizeF documentSize() const override;
    QRectF frameBoundingRect(QTextFrame* frame) const override;
    QRectF blockBoundingRect(const QTextBlock& block) const override;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    qreal lineHeight() const;
    // The width lines are broken at; very large when the text does not wrap.
    qreal wrapWidth() const;
    qreal top(const QTextBlock& block) const;
    // Lays the block out unless it already is, for today's width; keeps its line count.
    // True when its line count changed.
    bool ensureLaidOut(const QTextBlock& block) const;
    // The size changed while painting or answering a question: tell the editor once
    // the event loop is back.
    void reportSizeLater() const;

    QFont m_font;
    mutable qreal m_lineHeight = 0;
    mutable qreal m_widest = 0;
    mutable bool m_sizeReportPending = false;
    int m_blockCount = 1;
    int m_lineCount = 1;
    // The lines the editor painted last: blocks there are laid out at once after an edit,
    // so the editor can repaint just them; other blocks wait until they are shown.
    mutable int m_paintedFrom = 0;
    mutable int m_paintedTo = -1;
};
