#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QString>

// Helpers for dialogs laid out at fixed design positions.
namespace DesignedControls {

// Grows a control that shows text to the size its text needs: a wrapped label to
// the height its width asks for, anything else to its size hint. Never shrinks it.
inline void growToText(QWidget* control)
{
    QSize need = control->sizeHint();
    if (auto* label = qobject_cast<QLabel*>(control); label && label->wordWrap())
        need = QSize(label->width(), label->heightForWidth(label->width()));
    control->resize(control->size().expandedTo(need));
}

// The designed size of a panel or window, grown where a grown control would stick out
// of it, with `margin` kept to the right and bottom edges of what sticks out.
inline QSize grownAround(const QWidget* container, const QSize& designed, const QSize& margin = {})
{
    QRect used;
    for (const QWidget* child : container->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            used |= child->geometry();
    }
    if (used.isEmpty())
        return designed;
    return designed.expandedTo(QSize(used.right() + 1 + margin.width(), used.bottom() + 1 + margin.height()));
}

template <typename T>
T* named(T* widget, const char* name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// A button at a fixed place that is never the dialog's default: Enter in a field
// must not press it.
inline QPushButton* button(const QString& caption, const char* name, QWidget* parent, const QRect& at)
{
    auto* b = named(new QPushButton(caption, parent), name);
    b->setGeometry(at);
    b->setAutoDefault(false);
    b->setDefault(false);
    growToText(b);
    return b;
}

// A modal, fixed-size tool window: a narrow title bar with only a close button.
inline void makeFixedToolWindow(QDialog& dialog, const QString& title, const QSize& clientSize)
{
    dialog.setWindowTitle(title);
    dialog.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    dialog.setModal(true);
    dialog.setFixedSize(clientSize);
}

}
