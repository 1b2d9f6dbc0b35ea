#pragma once

#include <QAccessibleWidget>

class QTextEdit;

// What assistive technology reads of a script editor: its text, caret, selections,
// and where each character is on the screen.
//
// Qt's own interface for a text edit places a character by the position of its
// block's text layout; the editor's line-by-line layout places blocks itself and
// leaves that position at the top, so every character would read as lying on the
// first line. Here a character's box comes from the editor's caret rectangle, which
// asks the layout in use where the block really is.
class RichTextControlAccessible : public QAccessibleWidget,
                                  public QAccessibleTextInterface,
                                  public QAccessibleEditableTextInterface {
public:
    explicit RichTextControlAccessible(QTextEdit* control);

    // Makes every RichTextControl answer through this interface; once per program.
    // (Known by class name: the control itself installs the factory.)
    static void install();

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    // QAccessibleEditableTextInterface: refused while typing is locked, as keys are.
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

private:
    QTextEdit* control() const;
    bool editable() const;
};
