#pragma once

#include "platform/IoResult.h"

#include <QColor>
#include <QTextCursor>
#include <QTextEdit>

#include <functional>
#include <memory>
#include <vector>

class QKeyEvent;
class QPagedPaintDevice;
class QTextDocument;

// The editing control of a script window (editor): a QTextEdit that answers in the
// terms the windows work with -- the whole text, a selection given as start and
// length, the selected text, the current colour.
//
// Positions are zero-based and a line break counts as ONE character, as in Qt's own
// model: Text() holds "\n" between lines, never CR LF. Text handed in with CR LF or
// lone CR (setText, setSelText) is taken as line breaks, one per CR LF pair.
//
// Black background, white default text, a proportional sans-serif font of 9.75 pt.
//
// A script is laid out by RichTextControlLayout, which takes a key in the same time at
// line ten as at line a million. Text that needs Qt's full rich-text layout -- indents,
// lists, tables, fonts of its own, as the command book has -- switches the control to
// that layout as it arrives; loading a script file switches back.
class RichTextControl : public QTextEdit {
    Q_OBJECT
public:
    // The find options of the search: 0 neither, 2 whole word, 4 match case, 6 both.
    enum FindOption { FindWholeWord = 2, FindMatchCase = 4 };

    explicit RichTextControl(QWidget* parent = nullptr);
    ~RichTextControl() override;

    // The whole text, lines separated by "\n".
    QString Text() const;
    // Replaces the whole text (undoable); the caret ends at the start, formatting is
    // the current colour.
    void setText(const QString& text);
    // Length of Text() without building it.
    int textLength() const;

    // Start of the selection, or the caret when nothing is selected.
    int SelStart() const;
    // Moves the caret to pos (clamped to the text) and clears the selection.
    void setSelStart(int pos);
    int SelLength() const;
    // Selects length characters from SelStart (clamped to the text; negative is 0).
    void setSelLength(int length);
    // Both at once; the caret ends at the end of the selection.
    void select(int start, int length);

    // The selected text ("\n" for line breaks).
    QString SelText() const;
    // Replaces the selection (or inserts at the caret) with text in the current
    // colour; the caret ends after the new text.
    void setSelText(const QString& text);

    // Colours the selected text, and makes c the colour of the next typed or
    // inserted text. Colouring alone is no change of the text: contentChanged
    // is not emitted for it.
    void setSelColor(const QColor& c);
    // The colour at the caret (of the selection's first character), white when the
    // text there carries no colour of its own.
    QColor SelColor() const;
    // Font size of the selection and of the next typed or inserted text.
    void setSelFontSize(qreal points);

    // Searches from start (clamped to 0) to the end of the text for text with the
    // options above; never wraps. On a match selects it and returns its position;
    // otherwise returns -1 and leaves the selection alone. Empty text finds nothing.
    int find(const QString& text, int start = 0, int options = 0);

    // Replaces the text by the text of a script file just read: the caret ends at 0,
    // the undo history and the record of edits start afresh.
    void setLoadedText(const QString& text);

    // The selection, or the whole text when nothing is selected, with its formatting
    // but with white text printed black (white on paper would not show).
    std::unique_ptr<QTextDocument> printableDocument() const;
    IoResult print(QPagedPaintDevice* device) const;

    // Called for every key press before the editor sees it; returning true swallows
    // the key (it then has no effect on the text). Empty: every key goes through.
    using KeyDownHook = std::function<bool(QKeyEvent*)>;
    void setKeyDownHook(KeyDownHook hook) { m_keyDownHook = std::move(hook); }

    // A stretch of text, from..to in today's positions.
    struct Stretch {
        int from = 0;
        int to = 0;
    };
    // The stretches edited since the last call (or the last load), first to last, each
    // apart from the next; changes of colour or font made through this class are left
    // out. An edit that only recolours text counts.
    QList<Stretch> takeEdits();
    // Forgets the edits so far.
    void clearEdits();
    // Counts from..to as edited, for work on it that was left undone.
    void markEdited(int from, int to);

    // The control holds a book to read (the command book): read-only whatever the
    // typing lock says, and nothing is written into it through the program either.
    void setBook() { m_book = true; setReadOnly(true); }
    bool isBook() const { return m_book; }

    // True while the text is laid out by Qt's full rich-text layout.
    bool richLayout() const { return m_richLayout; }

    // One step back or forward in the history, with the caret left where the step
    // changed the text: at the start of what Undo took away or brought back, after
    // what Redo wrote again. The next insert then goes where the work was.
    void undoStep() { replayStep(true); }
    void redoStep() { replayStep(false); }

    // The colours of the script windows.
    static QColor white() { return QColor(0xFF, 0xFF, 0xFF); }
    static QColor green() { return QColor(0x00, 0xFF, 0x00); }

    // Marks a stretch of code that only formats the text (a colouring pass), so the
    // control does not report it as a change of the text. Nestable.
    class FormattingScope {
    public:
        explicit FormattingScope(RichTextControl& control) : m_control(control) { ++m_control.m_formattingOnly; }
        ~FormattingScope() { --m_control.m_formattingOnly; }
        FormattingScope(const FormattingScope&) = delete;
        FormattingScope& operator=(const FormattingScope&) = delete;

    private:
        RichTextControl& m_control;
    };

    // Everything written and formatted while it lives is one step of Undo, however
    // many writes it takes (a colour set on the selection, then the new text).
    class UndoStep {
    public:
        explicit UndoStep(RichTextControl& control);
        ~UndoStep();
        UndoStep(const UndoStep&) = delete;
        UndoStep& operator=(const UndoStep&) = delete;

    private:
        QTextCursor m_cursor;
    };

signals:
    // The text itself changed: typing, deletion, insertion, loading, emptying. Not
    // emitted for colour or font changes made through this class.
    void contentChanged();
    // A double-click in the text, after the editor's own word selection.
    void doubleClicked();

public:
    // Asked about text pasted or dropped in: gives the text to insert, which may be
    // empty to refuse it. Unset, text goes in as it comes.
    using PasteFilter = std::function<QString(const QString& pasted)>;
    void setPasteFilter(PasteFilter filter) { m_pasteFilter = std::move(filter); }

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void onContentsChange(int position, int removed, int added);
    void replayStep(bool back);
    void useRichLayout();
    void useScriptLayout();

    KeyDownHook m_keyDownHook;
    PasteFilter m_pasteFilter;
    // Set while this class changes only formatting, so that it is not taken for an
    // edit of the text.
    int m_formattingOnly = 0;
    // The colour set by setSelColor, kept for the next setSelText until the caret is
    // moved elsewhere (Qt forgets it when a selection is reversed).
    bool m_colourArmed = false;
    QColor m_armedColour;
    bool m_movingOurselves = false;
    bool m_richLayout = false;
    bool m_book = false;
    // Set while the control itself swaps layouts or loads plain text: no edit, nothing
    // rich to look for.
    bool m_quiet = false;
    // Set while a script file's plain text goes in: nothing rich to look for.
    bool m_plainArriving = false;
    // Each edited stretch as two cursors, which the document moves along with later
    // edits; the first one stays put when text is inserted right at it.
    struct EditMark {
        QTextCursor from;
        QTextCursor to;
    };
    std::vector<EditMark> m_edits;
};
