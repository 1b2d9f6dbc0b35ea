#pragma once

#include <QHash>
#include <QObject>
#include <QString>

class RichTextControl;

// The contents list at the top of the command book: each entry links to its command's
// heading, and a click on it, or Enter with the caret on its line, moves there.
class BookContents : public QObject {
    Q_OBJECT
public:
    // Lives as long as `book`, whose links are "#" + a heading's name.
    explicit BookContents(RichTextControl& book);

    // Names the heading at `position`, for the links "#" + `name`.
    void addHeading(const QString& name, int position);

    // Moves the caret to the heading `href` ("#name") links to and shows it at the top;
    // false for a link to no heading of the book.
    bool follow(const QString& href);

    // The link of the caret's line, if it is a contents entry; empty otherwise.
    QString linkOfCaretLine() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RichTextControl& m_book;
    // Kept from the start: while the book is destroyed its viewport still sends events,
    // and asking the half-destroyed book for it then is no longer allowed.
    QObject* const m_viewport;
    QHash<QString, int> m_headings;
};
