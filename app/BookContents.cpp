#include "app/BookContents.h"

#include "platform/RichTextControl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>

BookContents::BookContents(RichTextControl& book) : QObject(&book), m_book(book), m_viewport(book.viewport())
{
    book.installEventFilter(this);
    book.viewport()->installEventFilter(this);
    // The pointer over an entry shows that it can be clicked.
    book.viewport()->setMouseTracking(true);
}

void BookContents::addHeading(const QString& name, int position)
{
    m_headings.insert(name, position);
}

bool BookContents::follow(const QString& href)
{
    if (!href.startsWith(QLatin1Char('#')))
        return false;
    const auto heading = m_headings.constFind(href.mid(1));
    if (heading == m_headings.constEnd())
        return false;
    m_book.setSelStart(*heading);
    // The heading at the top of the view, its page below it.
    QScrollBar* bar = m_book.verticalScrollBar();
    bar->setValue(bar->value() + m_book.cursorRect().top());
    return true;
}

QString BookContents::linkOfCaretLine() const
{
    const QTextBlock line = m_book.textCursor().block();
    for (QTextBlock::iterator it = line.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (format.isAnchor() && !format.anchorHref().isEmpty())
            return format.anchorHref();
    }
    return QString();
}

bool BookContents::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_book && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && follow(linkOfCaretLine()))
            return true;
    } else if (watched == m_viewport) {
        if (event->type() == QEvent::MouseMove) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            m_book.viewport()->setCursor(m_book.anchorAt(at).isEmpty() ? Qt::IBeamCursor : Qt::PointingHandCursor);
        } else if (event->type() == QEvent::MouseButtonRelease
                   && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && !m_book.textCursor().hasSelection()) {
            if (follow(m_book.anchorAt(static_cast<QMouseEvent*>(event)->position().toPoint())))
                return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
