#include "app/frmMain.h"
#include "platform/QtPrompt.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zandrel"));
    QApplication::setOrganizationName(QStringLiteral("Zandrel"));

    QtPrompt prompt;
    frmMain window(prompt, frmMain::defaultCatalogueFile());
    prompt.setOwner(&window);
    if (!window.Form_Load())
        return 1;
    window.show();
    return application.exec();
}
