#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

// Files dragged from a file manager onto the main window -- the window area, the
// side panel, a script window, locked or not -- are opened as scripts; their names
// never land in a script as text. Other drags (text within a script) are left to
// the widgets.
class ScriptDrops : public QObject {
    Q_OBJECT
public:
    // Watches every drag over `main` (through the application's event filter, as
    // each script editor takes drops of its own). `open` gets the dropped files.
    ScriptDrops(QWidget& main, std::function<void(const QStringList&)> open);

    // The local files a drag carries, in order; empty for anything else.
    static QStringList localFiles(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_main;
    std::function<void(const QStringList&)> m_open;
};
