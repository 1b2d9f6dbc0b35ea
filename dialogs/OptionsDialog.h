#pragma once

#include <QDialog>

class QLabel;
class ElidedPathField;
class QPushButton;
class QToolButton;
class AppState;

// The game folder: typed or pasted (the folder or the path of anarchy.exe), or
// chosen by browsing to anarchy.exe, and checked as it changes. Apply or OK store it
// and make it the program's game folder at once: the tree, the file dialogs and
// Check Script follow it. Cancel leaves everything as it was.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(AppState& state, QWidget* owner = nullptr);


    // Writes the game folder of the path field to the setting "AOPath" and makes it
    // the program's game folder.
    void saveSettings();
    // The game folder the field names ("" for none); empty too while it names none.
    QString chosenFolder() const;
    // Whether the field names a folder that holds anarchy.exe, or is empty.
    bool accepted() const;

public slots:
    void loadSettings();
    void browse();
    void apply();
    void confirm();
    void cancel();

private:
    // Says whether the field's path leads to the game; OK and Apply wait for one that does.
    void checkPath();

    QLabel* descriptionLabel = nullptr;
    QLabel* pathLabel = nullptr;
    ElidedPathField* pathField = nullptr;
    QLabel* pathCheckLabel = nullptr;
    QToolButton* browseButton = nullptr;
    QPushButton* okButton = nullptr;
    QPushButton* applyButton = nullptr;
    QPushButton* cancelButton = nullptr;
    AppState& m_state;
};
