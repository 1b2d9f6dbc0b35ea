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
