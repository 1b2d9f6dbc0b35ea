#include "app/frmMain.h"
#include "platform/QtPrompt.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zandrel"));
    QApplication::setOrganizationName(QStringLiteral("Zandrel"));
    QApplication::setDesktopFileName(QStringLiteral("zandrel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/icons/zandrel-48.png")));

    QtPrompt prompt;
    frmMain window(prompt, frmMain::defaultCatalogueFile());
    prompt.setOwner(&window);
    // Shown before start-up, so that its questions appear over the window they
    // belong to rather than alone in a corner of the screen.
    window.show();
    if (!window.Form_Load())
        return 1;
    return application.exec();
}
