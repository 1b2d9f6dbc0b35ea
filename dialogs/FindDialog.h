#pragma once

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RichTextControl;
class Prompt;

// Find, replace and replace all in one script's editor. Opens
// as find-only; the first Replace unfolds the replace row. A fixed-size tool window
// that starts afresh at every opening.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    // `target`: the editor searched; with none, the buttons do nothing.
    FindDialog(Prompt& prompt, RichTextControl* target, QWidget* owner = nullptr);

    // The find options from the two boxes: 2 whole word, 4 match case, 6 both.
    int findFlags() const;
    // True once Replace has unfolded the replace row.
    bool replaceShown() const;
    QString findText() const;
    // Starts with the search of the last opening, so Find Next (F3) and the dialog
    // go on with the same one.
    void setSearch(const QString& findText, int options);

    enum class FindResult { Found, Wrapped, None };
    // Find Next on `target`: selects the next match after the selection, going on
    // from the top once past the end. With no match anywhere the selection stays.
    static FindResult findNextIn(RichTextControl& target, const QString& findText, int options);
    // What the status bar says after a Find Next.
    static QString statusFor(FindResult result);


    // Outer height of the unfolded window, in twips: below the options panel, with
    // room for the title bar.
    static int unfoldedOuterHeightTwips();

public slots:
    void findNext();
    void replace();
    void replaceAll();
    void cancel();
    void findTextChanged();
    void replaceTextChanged();

signals:
    // A line for the status bar: a search that went past the end, a count of
    // replacements. Empty clears it.
    void statusMessage(const QString& text);

private:
    QLabel* findLabel = nullptr;
    QLineEdit* findField = nullptr;
    QPushButton* findButton = nullptr;
    QPushButton* replaceButton = nullptr;
    QWidget* replacePanel = nullptr;
    QLabel* replaceLabel = nullptr;
    QLineEdit* replaceField = nullptr;
    QPushButton* replaceAllButton = nullptr;
    QWidget* optionsPanel = nullptr;
    QCheckBox* wholeWordBox = nullptr;
    QCheckBox* matchCaseBox = nullptr;
    QPushButton* cancelButton = nullptr;
    void unfold();

    Prompt& m_prompt;
    QPointer<RichTextControl> m_target;
};
