#include "app/InserterMenu.h"

#include "state/AppState.h"
#include "editor/ScriptWindows.h"
#include "inserters/InsertTexts.h"
#include "platform/RichTextControl.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

InserterMenu::InserterMenu(AppState& state, ScriptWindows& windows, QMainWindow& main)
    : QObject(&main), m_windows(windows), m_main(main), m_draw(state.catalogue, m_generator)
{
    setObjectName(QStringLiteral("InserterMenu"));
    // Whole submenus are served rather than single items: the argument, breed and
    // profession items are only added after this object exists.
    connectMenu("mnuVariables", &InserterMenu::variablesTriggered);
    connectMenu("mnuBreed", &InserterMenu::breedsTriggered);
    connectMenu("mnuProfession", &InserterMenu::professionsTriggered);
    connectMenu("mnuPet", &InserterMenu::petTriggered);
}

void InserterMenu::connectMenu(const char* menuName, void (InserterMenu::*dispatch)(QAction*))
{
    if (auto* menu = m_main.findChild<QMenu*>(QLatin1String(menuName)))
        connect(menu, &QMenu::triggered, this, dispatch);
}

void InserterMenu::variablesTriggered(QAction* item)
{
    const QString name = item->objectName();
    if (name == QLatin1String("mnuCurrentF"))
        mnuCurrentF_Click();
    else if (name == QLatin1String("mnuSelectTarget"))
        mnuSelectTarget_Click();
    else if (name == QLatin1String("mnuMe"))
        mnuMe_Click();
    else if (const int index = InsertTexts::arrayIndex(name, QStringLiteral("mnuArgs")); index >= 1)
        mnuArgs_Click(index);
}

void InserterMenu::breedsTriggered(QAction* item)
{
    if (const int index = InsertTexts::arrayIndex(item->objectName(), QStringLiteral("mnuBreeds")); index >= 0)
        mnuBreeds_Click(index);
}

void InserterMenu::professionsTriggered(QAction* item)
{
    if (const int index = InsertTexts::arrayIndex(item->objectName(), QStringLiteral("mnuProfessions")); index >= 0)
        mnuProfessions_Click(index);
}

void InserterMenu::petTriggered(QAction* item)
{
    if (const int index = InsertTexts::arrayIndex(item->objectName(), QStringLiteral("mnuRename")); index >= 0)
        mnuRename_Click(index);
}

RichTextControl* InserterMenu::editor() const
{
    return m_windows.activeEditor();
}

void InserterMenu::appendToSelection(RichTextControl& editor, const QString& text)
{
    // Set first, so the new characters are white even right after a green command.
    editor.setSelColor(RichTextControl::white());
    editor.setSelText(editor.SelText() + text);
}

void InserterMenu::mnuCurrentF_Click()
{
    if (RichTextControl* e = editor())
        appendToSelection(*e, InsertTexts::currentFighting());
}

void InserterMenu::mnuSelectTarget_Click()
{
    if (RichTextControl* e = editor())
        appendToSelection(*e, InsertTexts::currentTarget());
}

void InserterMenu::mnuMe_Click()
{
    if (RichTextControl* e = editor())
        appendToSelection(*e, InsertTexts::me());
}

void InserterMenu::mnuArgs_Click(int index)
{
    if (index < 1 || index > 9)
        return;
    if (RichTextControl* e = editor())
        appendToSelection(*e, InsertTexts::argument(index));
}

void InserterMenu::mnuBreeds_Click(int index)
{
    listOrRandom(QStringLiteral("mnuBreeds"), QStringLiteral("Breed"), index);
}

void InserterMenu::mnuProfessions_Click(int index)
{
    listOrRandom(QStringLiteral("mnuProfessions"), QStringLiteral("Profession"), index);
}

void InserterMenu::listOrRandom(const QString& array, const QString& thing, int index)
{
    RichTextControl* e = editor();
    if (!e || index < 0)
        return;
    std::optional<QString> value;
    if (index == 0) {
        value = m_draw.RandomSomething(thing);
    } else if (auto* item = m_main.findChild<QAction*>(array + QLatin1Char('_') + QString::number(index))) {
        value = item->text();
    }
    // An empty table, an unreadable catalogue or an unknown item: nothing to write.
    if (!value)
        return;
    appendToSelection(*e, QLatin1Char(' ') + *value);
}

void InserterMenu::mnuRename_Click(int index)
{
    RichTextControl* e = editor();
    if (!e)
        return;
    const QList<InsertTexts::NameDraw> draws = InsertTexts::renameDraws(index);
    if (draws.isEmpty())
        return;
    QStringList names;
    for (const InsertTexts::NameDraw& d : draws) {
        const std::optional<QString> name = m_draw.RandomName(d.type, d.sex);
        // Half a name would make a wrong line; a missing one writes nothing at all.
        if (!name)
            return;
        names << *name;
    }
    e->setSelColor(RichTextControl::white());
    // The line takes the place of the selection, unlike the other items.
    e->setSelText(InsertTexts::petRenameLine(InsertTexts::joinNames(names)));
}
