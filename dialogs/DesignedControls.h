#pragma once

#include <QDialog>
#include <QPushButton>
#include <QRect>
#include <QString>

// Helpers for dialogs laid out at fixed design positions.
namespace DesignedControls {

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
