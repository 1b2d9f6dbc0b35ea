#pragma once

#include <QMdiSubWindow>

struct AppState;

// One script in a child window of the main window.
class frmWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit frmWindow(AppState& app, QWidget* parent = nullptr);

private:
    AppState& m_app;
};
