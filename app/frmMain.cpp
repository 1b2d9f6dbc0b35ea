#include "app/frmMain.h"

#include "editor/frmWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>

frmMain::frmMain(Prompt& prompt, const QString& catalogueFile, QWidget* parent)
    : QMainWindow(parent), m_catalogue(prompt, catalogueFile), m_state{prompt, m_catalogue, m_settings}
{
    setWindowTitle(QStringLiteral("Zandrel"));
    m_mdi = new QMdiArea(this);
    setCentralWidget(m_mdi);
    m_state.mainWindow = this;
    m_state.mdiArea = m_mdi;
}

frmMain::~frmMain() = default;

QString frmMain::defaultCatalogueFile()
{
    const QDir dir(QCoreApplication::applicationDirPath());
    const QString beside = dir.filePath(QStringLiteral("zandrel.db"));
    if (QFileInfo::exists(beside))
        return beside;
    return QDir::cleanPath(dir.filePath(QStringLiteral("../share/zandrel/zandrel.db")));
}

bool frmMain::Form_Load()
{
    if (m_catalogue.OpenCatalogue() == Catalogue::OpenResult::DriverMissing)
        return false;
    auto* window = new frmWindow(m_state);
    m_mdi->addSubWindow(window);
    window->show();
    return true;
}
