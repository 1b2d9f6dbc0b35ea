#include "state/AppState.h"

void AppState::setFreeType(bool on)
{
    if (m_freeType == on)
        return;
    m_freeType = on;
    emit freeTypeChanged(on);
}

void AppState::setGamePath(const QString& path)
{
    if (m_gamePath == path)
        return;
    m_gamePath = path;
    emit gamePathChanged(path);
}
