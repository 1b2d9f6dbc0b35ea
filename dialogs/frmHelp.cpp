#include "dialogs/frmHelp.h"

#include "app/AppState.h"
#include "catalogue/Catalogue.h"
#include "catalogue/TreeNode.h"
#include "dialogs/CommandBook.h"
#include "platform/RtfReader.h"
#include "platform/DesignScale.h"

#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

frmHelp::frmHelp(AppState& state, const QTreeWidgetItem* selected, QWidget* owner) : QDialog(owner), m_state(state)
{
    setObjectName(QStringLiteral("frmHelp"));
    setModal(true);
    setWindowTitle(QStringLiteral("Help"));
    resize(DesignScale(font()).size(7200, 6000));

    rtfHelp = new QTextEdit(this);
    rtfHelp->setObjectName(QStringLiteral("rtfHelp"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rtfHelp);

    Form_Load(selected);
}

void frmHelp::Form_Load(const QTreeWidgetItem* selected)
{
    if (!selected)
        return;
    const QString key = TreeNode::key(selected);
    if (!key.startsWith(QLatin1Char('C')))
        return;

    // The id goes to the catalogue as a bound value; a key whose tail is not a number
    // (no command was built that way) is still bound, and simply finds no row.
    const QString idText = key.mid(1);
    bool numeric = false;
    const qlonglong id = idText.toLongLong(&numeric);
    RowSet rows = m_state.catalogue.query(QStringLiteral("SELECT * FROM tblCommand WHERE CommandID = ?"),
                                          {numeric ? QVariant(id) : QVariant(idText)});
    if (rows.atEnd())
        return;

    setWindowTitle(QStringLiteral("Help - ") + rows.text(QStringLiteral("CommandText")));
    rtfHelp->clear();
    QTextCursor cursor(rtfHelp->document());
    RtfReader::insert(cursor, CommandBook::pageBytes(rows.text(QStringLiteral("CommandBook"))));

    QTextCursor all(rtfHelp->document());
    all.select(QTextCursor::Document);
    QTextCharFormat size;
    size.setFontPointSize(kPointSize);
    all.mergeCharFormat(size);
    all.setPosition(0);
    rtfHelp->setTextCursor(all);
}
