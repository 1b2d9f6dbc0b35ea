#include "MainWindowFixture.h"

#include "app/frmMain.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmFind.h"
#include "dialogs/frmHelp.h"
#include "dialogs/frmOptions.h"
#include "dialogs/frmProperties.h"
#include "editor/frmWindow.h"
#include "platform/RichTextControl.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {

// The size a text widget asks for and where in its rectangle that text is drawn;
// an empty size for widgets that show no text.
QRect neededRect(const QWidget* w)
{
    QSize need;
    Qt::Alignment align = Qt::AlignCenter;
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        if (label->text().isEmpty())
            return {};
        need = label->wordWrap() ? QSize(w->width(), label->heightForWidth(w->width())) : label->sizeHint();
        align = label->alignment();
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(w)) {
        if (button->text().isEmpty())
            return {};
        need = button->sizeHint();
        if (qobject_cast<const QCheckBox*>(w))
            align = Qt::AlignLeft | Qt::AlignVCenter;
    } else if (const auto* frame = qobject_cast<const QGroupBox*>(w)) {
        need = frame->minimumSizeHint();
        align = Qt::AlignLeft | Qt::AlignTop;
    } else {
        return {};
    }
    return QStyle::alignedRect(w->layoutDirection(), align, need, w->rect());
}

// Each visible text widget of `window` whose text does not fully show: smaller than
// it asks to be, cut by an edge of a widget it lies in, or covered by a widget on top.
QStringList cutOff(QWidget* window)
{
    QStringList out;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        const QRect need = neededRect(w);
        if (need.isNull() || !w->isVisibleTo(window))
            continue;
        const QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                                        : w->objectName();
        if (need.width() > w->width() || need.height() > w->height()) {
            out << QStringLiteral("%1 needs %2x%3, has %4x%5")
                       .arg(name).arg(need.width()).arg(need.height()).arg(w->width()).arg(w->height());
            continue;
        }
        for (QWidget* level = w; level != window; level = level->parentWidget()) {
            QWidget* parent = level->parentWidget();
            const QRect inParent(w->mapTo(parent, need.topLeft()), need.size());
            if (!parent->rect().contains(inParent))
                out << name + QStringLiteral(" runs out of ") + parent->objectName();
            const QObjectList siblings = parent->children();
            for (qsizetype i = siblings.indexOf(level) + 1; i < siblings.size(); ++i) {
                auto* above = qobject_cast<QWidget*>(siblings.at(i));
                if (above && above->isVisibleTo(window) && !above->isWindow() && above->geometry().intersects(inParent))
                    out << name + QStringLiteral(" is covered by ") + above->objectName();
            }
        }
    }
    // A toolbar too narrow for its buttons hides the last ones behind its » button.
    for (QToolBar* bar : window->findChildren<QToolBar*>()) {
        auto* more = bar->findChild<QWidget*>(QStringLiteral("qt_toolbar_ext_button"));
        if (bar->isVisibleTo(window) && more && more->isVisibleTo(window))
            out << bar->objectName() + QStringLiteral(" hides buttons");
    }
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
    for (const char* window :
         {"about", "options", "find", "find unfolded", "properties", "help", "script window", "main window"})
        QTest::newRow(window) << QString::fromLatin1(window);
}

void tst_layoutfit::everyTextShows()
{
    QFETCH(QString, window);
    MainWindowFixture f;
    // As long a description as the shipped catalogue has, for the properties dialog.
    f.catalogue->addCommand(
        104, 1, QStringLiteral("bank"),
        QStringLiteral("Show the organisation bank, pay credits in, or (leader only) take them out, all at once."), 1);
    QVERIFY(f.startShown());
    AppState& state = f.main->state();
    frmWindow* script = state.activeScriptWindow();
    QVERIFY(script);
    const QList<QTreeWidgetItem*> tell =
        f.main->tvwTreeView1->findItems(QStringLiteral("tell"), Qt::MatchExactly | Qt::MatchRecursive);
    QVERIFY(!tell.isEmpty());
    std::unique_ptr<QWidget> dialog;
    if (window == QLatin1String("about")) {
        dialog = std::make_unique<frmAbout>(f.main.get());
    } else if (window == QLatin1String("options")) {
        dialog = std::make_unique<frmOptions>(state, f.main.get());
    } else if (window.startsWith(QLatin1String("find"))) {
        auto find = std::make_unique<frmFind>(state, f.main.get());
        if (window.endsWith(QLatin1String("unfolded")))
            find->cmdReplace_Click();
        dialog = std::move(find);
    } else if (window == QLatin1String("properties")) {
        state.CurrentLine = QStringLiteral("bank");
        auto properties = std::make_unique<frmProperties>(state, script->rtfrypAO, frmProperties::Origin::Tree,
                                                          f.main.get());
        QVERIFY(properties->Form_Load());
        dialog = std::move(properties);
    } else if (window == QLatin1String("help")) {
        dialog = std::make_unique<frmHelp>(state, tell.constFirst(), f.main.get());
    } else if (window == QLatin1String("main window")) {
        f.main->tvwTreeView1_NodeClick(tell.constFirst());  // a description in the status bar
    }
    QWidget* shown = script;
    if (dialog)
        shown = dialog.get();
    else if (window == QLatin1String("main window"))
        shown = f.main.get();
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown->window()));
    const QStringList cut = cutOff(shown);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

QTEST_MAIN(tst_layoutfit)
#include "tst_layoutfit.moc"
