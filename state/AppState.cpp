#include "state/AppState.h"

#include "editor/frmWindow.h"

#include <QMdiArea>

frmWindow* AppState::activeScriptWindow() const
{
    if (!mdiArea)
        return nullptr;
    // currentSubWindow() still answers while a modal dialog has the focus, where
    // activeSubWindow() would report none.
    return qobject_cast<frmWindow*>(mdiArea->currentSubWindow());
}
