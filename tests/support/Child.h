#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

// A window's widget by its object name, as a test reaches the parts a window keeps
// to itself; a missing one ends the test at once with its name.
template <typename T>
T* child(const QObject& parent, const char* name)
{
    T* found = parent.findChild<T*>(QLatin1String(name));
    if (!found)
        qFatal("no child named %s", name);
    return found;
}
