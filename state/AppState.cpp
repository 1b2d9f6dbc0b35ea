#include "state/AppState.h"

void AppState::setFreeType(bool on)
{
    if (m_freeType == on)
        return;
    m_freeType = on;
    emit freeTypeChanged(on);
}
