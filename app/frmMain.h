#pragma once

#include "app/AppState.h"
#include "app/Settings.h"
#include "catalogue/Catalogue.h"

#include <QMainWindow>

class QMdiArea;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(Prompt& prompt, const QString& catalogueFile, QWidget* parent = nullptr);
    ~frmMain() override;

    // The catalogue beside the executable, or else the installed data folder.
    static QString defaultCatalogueFile();

    // Start-up. False when the program must end at once (no database driver).
    bool Form_Load();

    AppState& state() { return m_state; }

private:
    Settings m_settings;
    Catalogue m_catalogue;
    AppState m_state;
    QMdiArea* m_mdi = nullptr;
};
