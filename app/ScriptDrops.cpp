#include "app/ScriptDrops.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

ScriptDrops::ScriptDrops(QWidget& main, std::function<void(const QStringList&)> open)
    : QObject(&main), m_main(main), m_open(std::move(open))
{
    // The frame itself must take drops, or a drag over the window area (which takes
    // none) would find no target at all.
    m_main.setAcceptDrops(true);
    qApp->installEventFilter(this);
}

QStringList ScriptDrops::localFiles(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files << url.toLocalFile();
    }
    return files;
}

bool ScriptDrops::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_main)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = localFiles(drop->mimeData());
    if (files.isEmpty())
        return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        // Opened once the drop has ended: an error box inside the drop would hold
        // the file manager until it is answered.
        QTimer::singleShot(0, this, [this, files] { m_open(files); });
    }
    return true;
}
