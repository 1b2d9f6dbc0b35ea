#include "dialogs/HelpWindow.h"

#include "catalogue/Catalogue.h"
#include "platform/RtfReader.h"
#include "platform/ScriptCodec.h"
#include "platform/Twips.h"
#include "platform/DesignScale.h"

#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

HelpWindow::HelpWindow(Catalogue& catalogue, std::optional<qint64> commandId, QWidget* owner) : QDialog(owner), m_catalogue(catalogue)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setModal(true);
    setWindowTitle(QStringLiteral("Help"));
    resize(DesignScale(font()).size(7200, 6000));

    pageView = new QTextEdit(this);
    pageView->setObjectName(QStringLiteral("pageView"));
    // A page to read and copy from, never to type into.
    pageView->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(pageView);

    showPage(commandId);
}

void HelpWindow::showPage(std::optional<qint64> commandId)
{
    if (!commandId)
        return;
    const std::optional<CataloguePage> page = m_catalogue.helpPage(*commandId);
    if (!page)
        return;

    setWindowTitle(QStringLiteral("Help - ") + page->command);
    pageView->clear();
    QTextCursor cursor(pageView->document());
    // The pages are Windows-1252 RTF.
    RtfReader::insert(cursor, ScriptCodec::encode(page->page));

    QTextCursor all(pageView->document());
    all.select(QTextCursor::Document);
    QTextCharFormat size;
    size.setFontPointSize(kPointSize);
    all.mergeCharFormat(size);
    all.setPosition(0);
    pageView->setTextCursor(all);
}
