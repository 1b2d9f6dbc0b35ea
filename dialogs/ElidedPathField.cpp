#include "dialogs/ElidedPathField.h"

#include <QStyle>
#include <QStyleOptionFrame>

ElidedPathField::ElidedPathField(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_path = text;
        setToolTip(m_path);
        emit pathEdited(m_path);
    });
}

void ElidedPathField::setPath(const QString& path)
{
    m_path = path;
    setToolTip(path);
    showPath();
}

void ElidedPathField::showPath()
{
    if (hasFocus()) {
        if (text() != m_path)
            setText(m_path);
        return;
    }
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect room = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    // A few pixels for the text margins the line edit keeps inside its contents.
    setText(fontMetrics().elidedText(m_path, Qt::ElideMiddle, std::max(0, room.width() - 4)));
    setCursorPosition(0);
}

void ElidedPathField::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    showPath();
}

void ElidedPathField::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    showPath();
}

void ElidedPathField::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    showPath();
}
