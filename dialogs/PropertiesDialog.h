#pragma once

#include "catalogue/CatalogueRecords.h"

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
class Catalogue;
class Prompt;

// "Chat Command Properties": builds one command line from the catalogue's command
// list and a value, and writes it into a script's editor at its selection.
//
// The caller hands over the command (from the tree, with its group's prefix) or the
// whole line (from a script) and says which of the two it is: a line from a script
// is replaced in place, a command from the tree becomes a new line.
class PropertiesDialog : public QDialog {
    Q_OBJECT
public:
    enum class Origin { Tree, ScriptLine };

    // `line` is the command or the script line to edit; `target` receives the line
    // built; null makes OK report that no script is open.
    PropertiesDialog(Catalogue& catalogue, Prompt& prompt, const QString& line, RichTextControl* target, Origin origin,
                     QWidget* parent = nullptr);
    ~PropertiesDialog() override;

    // The line of a command from the tree starts with a line break of its own (the
    // caret stands at the end of the script's last line).
    void writeAfterLineBreak() { m_breakFirst = true; }

    // Opens the dialog modally. A command that takes no value writes its line at
    // once and the dialog never shows. Returns the dialog's result.
    int showModal();

    // Parses the line handed over, fills the command list and sets the dialog up for the
    // command found. False when the dialog already closed (a command without value).
    bool setUp();

    // Sets the dialog up for a command type; 0 when the command takes no value (and,
    // unless `keepOpen`, the line has then been written), 1 otherwise. Only the
    // first set-up (not `keepOpen`) takes the focus to the value.
    // `values` are the words a type 1 value is picked from, if any.
    int setUpValueEditor(CommandType type, const QString& description, bool keepOpen = false,
                         const QStringList& values = {});

    QString lineValue() const { return m_lineValue; }
    QString valueQuote() const { return m_valueQuote; }
    bool listFilled() const { return m_listFilled; }
    // The line OK wrote, without its line break; empty until then.
    QString builtLine() const { return m_builtLine; }
    // Closed by OK, Cancel or a command without value (also while still opening).
    bool isClosed() const { return m_closed; }


public slots:
    void commandChosen();
    void commandTyped(const QString& typed);
    void confirm();
    void cancel();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    QGroupBox* const frame;
    QLabel* const commandLabel;
    QComboBox* const commandBox;
    QLabel* const descriptionLabel;
    QLabel* const valueLabel;
    QPlainTextEdit* const valueText;
    QListWidget* const valueList;
    QComboBox* const valueCombo;
    // Why OK is disabled: a value the command needs and lacks.
    QLabel* const reasonLabel;
    QPushButton* const okButton;
    QPushButton* const cancelButton;
    void keepValueOnOneLine();
    // The value as an editable list: the player picks an entry or types, within
    // `validator` when one is given.
    void showValueChoices(const QStringList& entries, const QString& value, QValidator* validator, bool takeFocus);
    void showValueChoices(const QStringList& entries, int selected, QValidator* validator, bool takeFocus);
    // Why OK may not write the line yet; empty when it may.
    QString missingValue() const;
    void showWhatOkNeeds();

    Catalogue& m_catalogue;
    Prompt& m_prompt;
    QString m_line;
    QString m_builtLine;
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
    // The value editor is the number list, which the line cannot do without.
    bool m_needsNumber = false;
    QValidator* m_wholeNumber = nullptr;
};
