#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QValidator;
class RichTextControl;
class AppState;

// "Chat Command Properties": builds one command line from the catalogue's command
// list and a value, and writes it into a script's editor at its selection.
//
// The caller hands the command (from the tree) or the whole line (from a script)
// over in AppState::CurrentLine and says which of the two it is: a line from a
// script is replaced in place, a command from the tree becomes a new line.
class frmProperties : public QDialog {
    Q_OBJECT
public:
    enum class Origin { Tree, ScriptLine };

    // `target` receives the line; null makes OK report that no script is open.
    frmProperties(AppState& app, RichTextControl* target, Origin origin, QWidget* parent = nullptr);
    ~frmProperties() override;

    // The line of a command from the tree starts with a line break of its own (the
    // caret stands at the end of the script's last line).
    void writeAfterLineBreak() { m_breakFirst = true; }

    // Opens the dialog modally. A command that takes no value writes its line at
    // once and the dialog never shows. Returns the dialog's result.
    int showModal();

    // Parses CurrentLine, fills the command list and sets the dialog up for the
    // command found. False when the dialog already closed (a command without value).
    bool Form_Load();

    // Sets the dialog up for a command type; 0 when the command takes no value (and,
    // unless blIgnore, the line has then been written), 1 otherwise.
    // `values` are the words a type 1 value is picked from, if any.
    int HandleCommand(int lngtype, const QString& strdesc, bool blIgnore = false, const QStringList& values = {});

    QString LineValue() const { return m_lineValue; }
    QString ValueQuote() const { return m_valueQuote; }
    bool ListFilled() const { return m_listFilled; }
    // Closed by OK, Cancel or a command without value (also while still opening).
    bool isClosed() const { return m_closed; }

    QGroupBox* const Frame1;
    QLabel* const lblCommand;
    QComboBox* const cboCommand;
    QLabel* const lblDescription;
    QLabel* const lblEdit;
    QPlainTextEdit* const txtEdit;
    QListWidget* const lstEdit;
    QComboBox* const cboEdit;
    QPushButton* const cmdOk;
    QPushButton* const cmdCommand1;

public slots:
    void cboCommand_Click();
    void cboCommand_Edited(const QString& typed);
    void cmdOk_Click();
    void cmdCommand1_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void keepValueOnOneLine();
    // The value as an editable list: the player picks an entry or types, within
    // `validator` when one is given.
    void showValueChoices(const QStringList& entries, const QString& value, QValidator* validator);

    AppState& m_app;
    QPointer<RichTextControl> m_target;
    Origin m_origin;
    QString m_key;
    QString m_lineValue;
    QString m_valueQuote;
    bool m_separated = false;
    bool m_listFilled = false;
    bool m_closed = false;
    bool m_joiningLines = false;
    bool m_breakFirst = false;
    QValidator* m_wholeNumber = nullptr;
};
