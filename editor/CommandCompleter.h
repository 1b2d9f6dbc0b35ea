#pragma once

#include "editor/CommandCompletion.h"

#include <QObject>

#include <optional>

class AppState;
class QCompleter;
class QStandardItemModel;
class QTreeView;
class RichTextControl;

// The completion list of a script's editor while free typing is on: a slash at the
// start of a line lists the command words with their descriptions, narrowing as the
// player types; Ctrl+Space lists the values of the command before the caret. Tab or
// Enter writes the chosen word, Escape closes the list; nothing else is written.
class CommandCompleter : public QObject {
    Q_OBJECT
public:
    CommandCompleter(AppState& app, RichTextControl& editor, QObject* parent = nullptr);

    QCompleter* completer() const { return m_completer; }
    // Whether the list is on screen.
    bool listShown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shows, narrows or closes the list for the caret's line; `mayOpen` when a key
    // that wrote a character may open a closed list.
    void refresh(bool asked, bool mayOpen);
    void fill(const CommandCompletion::Offer& offer);
    void write(const QString& word);
    void close();
    const CommandCompletion& completion();

    AppState& m_app;
    RichTextControl& m_editor;
    QCompleter* m_completer;
    QTreeView* m_list;
    QStandardItemModel* m_model;
    std::optional<CommandCompletion> m_completion;  // read from the catalogue at first use
    QString m_filledFor;  // the line up to the word the list holds the choices for
    int m_wordStart = 0;  // where the word being completed starts in the text
    bool m_asked = false;
    bool m_forwarding = false;
};
