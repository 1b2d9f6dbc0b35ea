#include "app/CommandBook.h"

#include "catalogue/Catalogue.h"
#include "catalogue/HelpMarkup.h"
#include "editor/ScriptWorkspace.h"
#include "editor/ScriptWindow.h"
#include "platform/RichTextControl.h"
#include "platform/RtfReader.h"
#include "platform/ScriptCodec.h"

#include <QTextCursor>
#include <QTimer>
#include <QWidget>

CommandBook::CommandBook(Catalogue& catalogue, ScriptWorkspace& windows, QWidget& mainWindow)
    : m_catalogue(catalogue), m_windows(windows), m_mainWindow(mainWindow)
{
}

QString CommandBook::properCase(const QString& text)
{
    QString out = text;
    bool wordStart = true;
    for (QChar& c : out) {
        if (c.isSpace()) {
            wordStart = true;
            continue;
        }
        c = wordStart ? c.toUpper() : c.toLower();
        wordStart = false;
    }
    return out;
}

QByteArray CommandBook::headingPiece(const QString& commandWord)
{
    // The word goes in escaped: a brace or backslash in it would otherwise end the
    // piece early or start a control word, and the rest of the book would go astray.
    const QString heading = HelpMarkup::escape(properCase(commandWord));
    return QByteArrayLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}}\r\n"
                             "\\viewkind4\\uc1\\pard\\par\\b\\f0\\fs28 ")
        + heading.toLatin1() + QByteArrayLiteral(" command\\par\r\n\\b0\\fs20\\par\r\n}\r\n");
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
    RichTextControl& editor = *window->editor();

    const std::vector<CataloguePage> pages = m_catalogue.bookPages();
    if (pages.empty())
        return window;
    m_mainWindow.setWindowTitle(caption());

    // One edit for the whole book: the editor lays the text out once at the end, not
    // after every page, which halves the time the book takes.
    QTextCursor book(editor.document());
    book.beginEditBlock();
    for (const CataloguePage& page : pages) {
        if (page.page.isEmpty())
            continue;
        insertRtf(editor, headingPiece(page.command));
        editor.setSelStart(editor.textLength());
        // The pages are Windows-1252 RTF.
        insertRtf(editor, ScriptCodec::encode(page.page));
        editor.setSelStart(editor.textLength());
    }
    book.endEditBlock();

    // The book is prose: the colouring pass would paint every word that looks like a
    // command green.
    window->stopColouring();
    editor.select(0, editor.textLength());
    editor.setSelColor(RichTextControl::white());
    editor.select(0, 0);
    return window;
}
