#pragma once

#include <QList>
#include <QString>

// Turns the light markup of a help page into the RTF document the catalogue stores.
//
// The markup: a blank line separates paragraphs, and the lines of one paragraph run
// together; "**bold**" inside a line; a line starting with "> " is an example script
// line, kept exactly and shown on its own line in a fixed-pitch font; a line starting
// with "- " is a bullet item (a plain line right after it continues the item); a line
// starting with "## " is a small heading. Authors write plain text: "\", "{", "}" and
// every character beyond ASCII are escaped here.
class HelpMarkup {
public:
    struct Problem {
        int line = 0; // 0-based line of the markup
        QString message;
    };

    // The complete RTF document for `markup` (pure ASCII). Faults of the markup
    // itself, such as an unclosed "**", land in `problems` when given; the document
    // is still produced.
    static QString toRtf(const QString& markup, QList<Problem>* problems = nullptr);

    // `text` as RTF body text: "\", "{" and "}" escaped, a tab as \tab, characters of
    // Latin-1 as \'hh (the same bytes in Windows-1252) and all others as \uN?.
    static QString escape(const QString& text);

    // The document's opening, up to the first paragraph.
    static QString documentStart();
};
