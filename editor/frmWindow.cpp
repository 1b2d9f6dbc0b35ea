#include "editor/frmWindow.h"

#include "app/AppState.h"

#include <QTextEdit>

frmWindow::frmWindow(AppState& app, QWidget* parent)
    : QMdiSubWindow(parent), m_app(app)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("New File"));
    auto* editor = new QTextEdit(this);
    editor->setStyleSheet(QStringLiteral("QTextEdit { background: black; color: white; }"));
    setWidget(editor);
}
