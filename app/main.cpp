#include "app/CommandLine.h"
#include "app/MainWindow.h"
#include "platform/QtPrompt.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

#include <cstdio>

namespace {

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

}

int main(int argc, char* argv[])
{
    // --help and --version are answered before any window exists, so they work on
    // a terminal without a display.
    const CommandLine question = CommandLine::parse(argumentsOf(argc, argv));
    if (question.request == CommandLine::Request::Help || question.request == CommandLine::Request::Version) {
        std::fputs(question.output.toLocal8Bit().constData(), stdout);
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zandrel"));
    QApplication::setOrganizationName(QStringLiteral("Zandrel"));
    QApplication::setDesktopFileName(QStringLiteral("zandrel"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/resources/icons/zandrel-48.png")));

    // Read again now that the toolkit has taken its own options (-platform, -style...).
    const CommandLine line = CommandLine::parse(QCoreApplication::arguments());
    if (line.request == CommandLine::Request::Error) {
        std::fputs(line.output.toLocal8Bit().constData(), stderr);
        return 2;
    }

    QtPrompt prompt;
    MainWindow window(prompt, MainWindow::defaultCatalogueFile());
    prompt.setOwner(&window);
    // Shown before start-up, so that its questions appear over the window they
    // belong to rather than alone in a corner of the screen.
    window.show();
    if (!window.start())
        return 1;
    // Once start-up is over and the window shows, as if each file had been chosen
    // in File > Open.
    QTimer::singleShot(0, &window, [&window, files = line.files] { window.openScripts(files); });
    return application.exec();
}
