#include "inserters/SpecialMenu.h"

#include "app/AppState.h"
#include "editor/frmWindow.h"
#include "inserters/SpecialTexts.h"
#include "platform/RichTextControl.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

SpecialMenu::SpecialMenu(AppState& state, QMainWindow& main)
    : QObject(&main), m_state(state), m_main(main), m_draw(state.catalogue, m_generator)
{
    setObjectName(QStringLiteral("SpecialMenu"));
    // Whole submenus are served rather than single items: the argument, breed and
    // profession items are only added after this object exists.
    connectMenu("mnuVariables", &SpecialMenu::variablesTriggered);
    connectMenu("mnuBreed", &SpecialMenu::breedsTriggered);
    connectMenu("mnuProfession", &SpecialMenu::professionsTriggered);
    connectMenu("mnuPet", &SpecialMenu::petTriggered);
}

void SpecialMenu::connectMenu(const char* menuName, void (SpecialMenu::*dispatch)(QAction*))
{
    if (auto* menu = m_main.findChild<QMenu*>(QLatin1String(menuName)))
        connect(menu, &QMenu::triggered, this, dispatch);
}

void SpecialMenu::variablesTriggered(QAction* item)
{
    const QString name = item->objectName();
    if (name == QLatin1String("mnuCurrentF"))
        mnuCurrentF_Click();
    else if (name == QLatin1String("mnuSelectTarget"))
        mnuSelectTarget_Click();
    else if (name == QLatin1String("mnuMe"))
        mnuMe_Click();
    else if (const int index = SpecialTexts::arrayIndex(name, QStringLiteral("mnuArgs")); index >= 1)
        mnuArgs_Click(index);
}

void SpecialMenu::breedsTriggered(QAction* item)
{
    if (const int index = SpecialTexts::arrayIndex(item->objectName(), QStringLiteral("mnuBreeds")); index >= 0)
        mnuBreeds_Click(index);
}

void SpecialMenu::professionsTriggered(QAction* item)
{
    if (const int index = SpecialTexts::arrayIndex(item->objectName(), QStringLiteral("mnuProfessions")); index >= 0)
        mnuProfessions_Click(index);
}

void SpecialMenu::petTriggered(QAction* item)
{
    if (const int index = SpecialTexts::arrayIndex(item->objectName(), QStringLiteral("mnuRename")); index >= 0)
        mnuRename_Click(index);
}

RichTextControl* SpecialMenu::editor() const
{
    frmWindow* window = m_state.activeScriptWindow();
    return window ? window->rtfrypAO : nullptr;
}

void SpecialMenu::appendToSelection(RichTextControl& editor, const QString& text)
{
    // Set first, so the new characters are white even right after a green command.
    editor.setSelColor(RichTextControl::white());
    editor.setSelText(editor.SelText() + text);
}

void SpecialMenu::mnuCurrentF_Click()
{
    if (RichTextControl* e = editor())
        appendToSelection(*e, SpecialTexts::currentFighting());
}

void SpecialMenu::mnuSelectTarget_Click()
{
    if (RichTextControl* e = editor())
        appendToSelection(*e, SpecialTexts::currentTarget());
}

void SpecialMenu::mnuMe_Click()
{
    if (RichTextControl* e = editor())
        appendToSelection(*e, SpecialTexts::me());
}

void SpecialMenu::mnuArgs_Click(int index)
{
    if (index < 1 || index > 9)
        return;
    if (RichTextControl* e = editor())
        appendToSelection(*e, SpecialTexts::argument(index));
}

void SpecialMenu::mnuBreeds_Click(int index)
{
    listOrRandom(QStringLiteral("mnuBreeds"), QStringLiteral("Breed"), index);
}

void SpecialMenu::mnuProfessions_Click(int index)
{
    listOrRandom(QStringLiteral("mnuProfessions"), QStringLiteral("Profession"), index);
}

void SpecialMenu::listOrRandom(const QString& array, const QString& thing, int index)
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

void SpecialMenu::mnuRename_Click(int index)
{
    RichTextControl* e = editor();
    if (!e)
        return;
    const QList<SpecialTexts::NameDraw> draws = SpecialTexts::renameDraws(index);
    if (draws.isEmpty())
        return;
    QStringList names;
    for (const SpecialTexts::NameDraw& d : draws) {
        const std::optional<QString> name = m_draw.RandomName(d.type, d.sex);
        // Half a name would make a wrong line; a missing one writes nothing at all.
        if (!name)
            return;
        names << *name;
    }
    e->setSelColor(RichTextControl::white());
    // The line takes the place of the selection, unlike the other items.
    e->setSelText(SpecialTexts::petRenameLine(SpecialTexts::joinNames(names)));
}
