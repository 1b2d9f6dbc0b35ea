#pragma once

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class RichTextControl;
class AppState;

// Find, replace and replace all in one script's editor. Opens
// as find-only; the first Replace unfolds the replace row. A fixed-size tool window
// that starts afresh at every opening.
class frmFind : public QDialog {
    Q_OBJECT
public:
    // `target`: the editor searched; with none, the buttons do nothing.
    frmFind(AppState& state, RichTextControl* target, QWidget* owner = nullptr);

    // The find options from the two boxes: 2 whole word, 4 match case, 6 both.
    int FlagMe() const;
    // True once Replace has unfolded the replace row.
    bool replaceShown() const;

    QLabel* lbltxtFind = nullptr;
    QLineEdit* txtFind = nullptr;
    QPushButton* cmdFind = nullptr;
    QPushButton* cmdReplace = nullptr;
    QWidget* Picture1 = nullptr;
    QLabel* lbltxtreplace = nullptr;
    QLineEdit* txtReplace = nullptr;
    QPushButton* cmdRepAll = nullptr;
    QWidget* Picture2 = nullptr;
    QCheckBox* chkWholeWord = nullptr;
    QCheckBox* chkMatchCase = nullptr;
    QPushButton* cmdCancel = nullptr;

    // Outer height of the unfolded window, in twips: below the options panel, with
    // room for the title bar.
    static int unfoldedOuterHeightTwips();

public slots:
    void cmdFind_Click();
    void cmdReplace_Click();
    void cmdRepAll_Click();
    void cmdCancel_Click();
    void txtFind_Change();
    void txtReplace_Change();

private:
    void unfold();

    AppState& m_state;
    QPointer<RichTextControl> m_target;
};
