#include "app/MenuItems.h"

#include <QMenu>
#include <QMenuBar>
#include <QWidget>

QMenu* MenuItems::addMenu(QMenuBar& bar, const QString& name, const QString& caption)
{
    QMenu* menu = bar.addMenu(caption);
    menu->setObjectName(name);
    // Its items may come from the catalogue (breeds, professions): their keys are
    // given as the menu opens.
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { giveAccessKeys(*menu); });
    return menu;
}

QMenu* MenuItems::addSubMenu(QMenu& parent, const QString& name, const QString& caption)
{
    QMenu* menu = parent.addMenu(caption);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    QObject::connect(menu, &QMenu::aboutToShow, menu, [menu] { giveAccessKeys(*menu); });
    return menu;
}

QChar MenuItems::accessKey(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != u'&')
            continue;
        if (caption.at(i + 1) != u'&')
            return caption.at(i + 1).toLower();
        ++i;  // "&&" is a plain ampersand
    }
    return QChar();
}

QString MenuItems::withAccessKey(const QString& caption, const QString& taken)
{
    if (!accessKey(caption).isNull())
        return caption;
    auto freeLetter = [&](qsizetype i) { return caption.at(i).isLetterOrNumber() && !taken.contains(caption.at(i).toLower()); };
    for (const bool wordStartsOnly : {true, false}) {
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const bool wordStart = i == 0 || !caption.at(i - 1).isLetterOrNumber();
            if ((wordStart || !wordStartsOnly) && caption.at(i) != u'&' && freeLetter(i))
                return caption.left(i) + u'&' + caption.mid(i);
        }
    }
    return caption;
}

void MenuItems::giveAccessKeys(QMenu& menu)
{
    QString taken;
    const QList<QAction*> items = menu.actions();
    for (const QAction* item : items) {
        if (const QChar key = accessKey(item->text()); !key.isNull())
            taken += key;
    }
    for (QAction* item : items) {
        if (item->isSeparator() || !accessKey(item->text()).isNull())
            continue;
        item->setText(withAccessKey(item->text(), taken));
        if (const QChar key = accessKey(item->text()); !key.isNull())
            taken += key;
    }
}

QAction* MenuItems::addItem(QMenu& menu, const QString& name, const QString& caption, const QKeySequence& shortcut)
{
    QAction* action = menu.addAction(caption);
    action->setObjectName(name);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void MenuItems::addSeparator(QMenu& menu, const QString& name)
{
    menu.addSeparator()->setObjectName(name);
}

QString MenuItems::shownTitle(const QWidget& window)
{
    QString title = window.windowTitle();
    title.replace(QStringLiteral("[*]"), window.isWindowModified() ? QStringLiteral("*") : QString());
    return title;
}
