#include "support/Child.h"
#include "MainWindowFixture.h"

#include "app/MainWindow.h"
#include "dialogs/AboutDialog.h"
#include "dialogs/FindDialog.h"
#include "dialogs/OptionsDialog.h"
#include "dialogs/PropertiesDialog.h"
#include "editor/ScriptWindow.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QToolBar>
#include <QtTest>

namespace {

// Where in `w` its text is drawn at the size it asks for; null for widgets without text.
QRect neededRect(const QWidget* w)
{
    if (const auto* frame = qobject_cast<const QGroupBox*>(w))
        return QRect(QPoint(), frame->minimumSizeHint());
    const auto* label = qobject_cast<const QLabel*>(w);
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    if (label ? label->text().isEmpty() : !button || button->text().isEmpty())
        return {};
    QSize need = label ? label->sizeHint() : button->sizeHint();
    if (label && label->wordWrap())
        need = QSize(w->width(), label->heightForWidth(w->width()));
    Qt::Alignment align = label ? label->alignment() : Qt::AlignCenter;
    if (qobject_cast<const QCheckBox*>(w))
        align = Qt::AlignLeft | Qt::AlignVCenter;
    return QStyle::alignedRect(w->layoutDirection(), align, need, w->rect());
}

// Each visible text widget of `window` whose text does not fully show: smaller than
// it asks to be, cut by an edge of a widget it lies in, or covered by a widget on top;
// and each toolbar too narrow for its buttons, which hides the last behind its ».
QStringList cutOff(QWidget* window)
{
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QRect need = neededRect(w);
        if (need.isNull() || !w->isVisibleTo(window))
            continue;
        if (need.width() > w->width() || need.height() > w->height()) {
            out << QStringLiteral("%1 needs %2x%3, has %4x%5").arg(w->objectName()).arg(need.width())
                       .arg(need.height()).arg(w->width()).arg(w->height());
            continue;
        }
        for (QWidget* level = w; level != window; level = level->parentWidget()) {
            QWidget* parent = level->parentWidget();
            const QRect inParent(w->mapTo(parent, need.topLeft()), need.size());
            if (!parent->rect().contains(inParent))
                out << w->objectName() + QStringLiteral(" runs out of ") + parent->objectName();
            const QObjectList siblings = parent->children();
            for (qsizetype i = siblings.indexOf(level) + 1; i < siblings.size(); ++i) {
                auto* above = qobject_cast<QWidget*>(siblings.at(i));
                if (above && above->isVisibleTo(window) && !above->isWindow() && above->geometry().intersects(inParent))
                    out << w->objectName() + QStringLiteral(" is covered by ") + above->objectName();
            }
        }
    }
    for (QToolBar* bar : window->findChildren<QToolBar*>())
        if (bar->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button"))->isVisibleTo(window))
            out << bar->objectName() + QStringLiteral(" hides buttons");
    return out;
}

}

class tst_layoutfit : public QObject {
    Q_OBJECT
private slots:
    void everyTextShows_data();
    void everyTextShows();
};

void tst_layoutfit::everyTextShows_data()
{
    QTest::addColumn<QString>("window");
    for (const char* window : {"about", "options", "find", "find unfolded", "properties", "main window"})
        QTest::newRow(window) << QString::fromLatin1(window);
}

void tst_layoutfit::everyTextShows()
{
    QFETCH(QString, window);
    MainWindowFixture f;
    // As long a description as the shipped catalogue's longest, for the properties dialog.
    f.catalogue->addCommand(104, 1, QStringLiteral("bank"),
        QStringLiteral("Show the organisation bank, pay credits in, or (leader only) take them out."), 1);
    QVERIFY(f.startShown());
    AppState& state = f.main->state();
    child<QLabel>(*f.main, "statusLabel")->setText(QStringLiteral("Send a private message"));  // a command's description
    std::unique_ptr<QDialog> dialog;
    if (window == "about")
        dialog = std::make_unique<AboutDialog>(f.main.get());
    else if (window == "options")
        dialog = std::make_unique<OptionsDialog>(state, f.main.get());
    else if (window.startsWith("find"))
        dialog = std::make_unique<FindDialog>(state.prompt, f.main->activeScriptWindow()->editor(), f.main.get());
    else if (window == "properties")
        dialog = std::make_unique<PropertiesDialog>(state.catalogue, state.prompt, QStringLiteral("bank"), f.main->activeScriptWindow()->editor(),
                                                 PropertiesDialog::Origin::Tree, f.main.get());
    if (auto* find = qobject_cast<FindDialog*>(dialog.get()); find && window.endsWith("unfolded"))
        find->replace();
    if (auto* properties = qobject_cast<PropertiesDialog*>(dialog.get()))
        QVERIFY(properties->setUp());
    QWidget* shown = dialog ? static_cast<QWidget*>(dialog.get()) : f.main.get();
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    const QStringList cut = cutOff(shown);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

QTEST_MAIN(tst_layoutfit)
#include "tst_layoutfit.moc"
