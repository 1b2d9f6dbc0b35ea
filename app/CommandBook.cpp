#include "app/CommandBook.h"

#include "app/BookContents.h"
#include "catalogue/Catalogue.h"
#include "catalogue/HelpMarkup.h"
#include "editor/ScriptWorkspace.h"
#include "editor/ScriptWindow.h"
#include "platform/RichTextControl.h"
#include "platform/RtfReader.h"
#include "platform/ScriptCodec.h"

#include <QTextCursor>
#include <QTextBlock>

CommandBook::CommandBook(Catalogue& catalogue, ScriptWorkspace& windows) : m_catalogue(catalogue), m_windows(windows) {}

QString CommandBook::typedCommand(const QString& prefix, const QString& word)
{
    return QLatin1Char('/') + (prefix.isEmpty() ? word : prefix + QLatin1Char(' ') + word);
}

QByteArray CommandBook::headingPiece(const QString& text)
{
    // The text goes in escaped: a brace or backslash in it would otherwise end the
    // piece early or start a control word, and the rest of the book would go astray.
    const QString heading = HelpMarkup::escape(text);
    return QByteArrayLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
                             "\\viewkind4\\uc1\\pard\\par\\b\\f0\\fs28 ")
        + heading.toLatin1() + QByteArrayLiteral("\\par\r\n\\b0\\fs20\\par\r\n}\r\n");
}

void CommandBook::insertRtf(RichTextControl& editor, const QByteArray& rtf)
{
    QTextCursor cursor = editor.textCursor();
    RtfReader::insert(cursor, rtf);
    editor.setTextCursor(cursor);
}

ScriptWindow* CommandBook::build()
{
    ScriptWindow* window = m_windows.newScriptWindow();
    if (!window)
        return nullptr;
    window->setReadOnlyBook(caption());
    RichTextControl& editor = *window->editor();
    // Nothing of the book is a step to undo: Undo would take the whole book away.
    editor.document()->setUndoRedoEnabled(false);

    std::vector<CataloguePage> pages = m_catalogue.bookPages();
    std::erase_if(pages, [](const CataloguePage& page) { return page.page.isEmpty(); });
    if (pages.empty())
        return window;

    // One edit for the whole book: the editor lays the text out once at the end, not
    // after every page, which halves the time the book takes.
    QTextCursor book(editor.document());
    book.beginEditBlock();
    insertRtf(editor, headingPiece(QStringLiteral("Contents")));
    QTextCharFormat entry;
    entry.setAnchor(true);
    entry.setFontUnderline(true);
    for (size_t i = 0; i < pages.size(); ++i) {
        entry.setAnchorHref(QStringLiteral("#command%1").arg(i));
        QTextCursor at = editor.textCursor();
        at.insertText(typedCommand(pages[i].prefix, pages[i].command), entry);
        at.insertBlock(QTextBlockFormat(), QTextCharFormat());
        editor.setTextCursor(at);
    }
    auto* contents = new BookContents(editor);
    for (size_t i = 0; i < pages.size(); ++i) {
        const int start = editor.textLength();
        insertRtf(editor, headingPiece(typedCommand(pages[i].prefix, pages[i].command)));
        // The heading's own line: the piece opens with an empty one.
        contents->addHeading(QStringLiteral("command%1").arg(i), editor.document()->findBlock(start).next().position());
        editor.setSelStart(editor.textLength());
        // The pages are Windows-1252 RTF.
        insertRtf(editor, ScriptCodec::encode(pages[i].page));
        editor.setSelStart(editor.textLength());
    }
    book.endEditBlock();

    editor.select(0, editor.textLength());
    editor.setSelColor(RichTextControl::white());
    editor.select(0, 0);
    return window;
}
