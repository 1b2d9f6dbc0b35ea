#include "app/InserterMenu.h"

#include "app/MenuItems.h"
#include "editor/LineSelection.h"
#include "editor/ScriptWorkspace.h"
#include "inserters/InsertTexts.h"
#include "platform/RichTextControl.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

InserterMenu::InserterMenu(Catalogue& catalogue, ScriptWorkspace& windows, QObject* parent)
    : QObject(parent), m_windows(windows), m_draw(catalogue, m_generator)
{
    setObjectName(QStringLiteral("InserterMenu"));
}

void InserterMenu::addSpecialMenu(QMenuBar& bar)
{
    QMenu& special = *MenuItems::addMenu(bar, QStringLiteral("mnuSpecial"), QStringLiteral("&Special"));
    m_breedMenu = MenuItems::addSubMenu(special, QStringLiteral("mnuBreed"), QStringLiteral("&Breed"));
    addArrayItem(*m_breedMenu, breedItems, QStringLiteral("mnuBreeds"), QStringLiteral("Random"),
                 &InserterMenu::insertBreed);
    m_professionMenu = MenuItems::addSubMenu(special, QStringLiteral("mnuProfession"), QStringLiteral("&Profession"));
    addArrayItem(*m_professionMenu, professionItems, QStringLiteral("mnuProfessions"), QStringLiteral("Random"),
                 &InserterMenu::insertProfession);

    m_variablesMenu = MenuItems::addSubMenu(special, QStringLiteral("mnuVariables"), QStringLiteral("&Variables"));
    connect(MenuItems::addItem(*m_variablesMenu, QStringLiteral("mnuCurrentF"), QStringLiteral("Current &Fighting")),
            &QAction::triggered, this, &InserterMenu::insertFightingTarget);
    connect(MenuItems::addItem(*m_variablesMenu, QStringLiteral("mnuSelectTarget"), QStringLiteral("Current &Target")),
            &QAction::triggered, this, &InserterMenu::insertTarget);
    connect(MenuItems::addItem(*m_variablesMenu, QStringLiteral("mnuMe"), QStringLiteral("&Me")), &QAction::triggered,
            this, &InserterMenu::insertMe);
    MenuItems::addSeparator(*m_variablesMenu, QStringLiteral("mnuDivvies"));
    argumentItems.append(nullptr);
    addArrayItem(*m_variablesMenu, argumentItems, QStringLiteral("mnuArgs"), QStringLiteral("Argument"),
                 &InserterMenu::insertArgument);

    QMenu& pet = *MenuItems::addSubMenu(special, QStringLiteral("mnuPet"), QStringLiteral("P&et"));
    for (const char* caption : {"Rename (random)", "Rename (male)", "Rename (female)", "Rename (unisex)",
                                "Rename (surname)", "Rename (fantasy)"})
        addArrayItem(pet, renameItems, QStringLiteral("mnuRename"), QString::fromLatin1(caption),
                     &InserterMenu::insertPetRename);
}

void InserterMenu::addArgumentItems()
{
    argumentItems[1]->setText(QStringLiteral("Argument &1"));
    for (int i = 2; i <= 9; ++i) {
        QAction* item = addArrayItem(*m_variablesMenu, argumentItems, QStringLiteral("mnuArgs"),
                                     QStringLiteral("Argument &") + QString::number(i), &InserterMenu::insertArgument);
        item->setVisible(true);
    }
}

void InserterMenu::addBreed(const QString& breed)
{
    addArrayItem(*m_breedMenu, breedItems, QStringLiteral("mnuBreeds"), breed, &InserterMenu::insertBreed);
}

void InserterMenu::addProfession(const QString& profession)
{
    addArrayItem(*m_professionMenu, professionItems, QStringLiteral("mnuProfessions"), profession,
                 &InserterMenu::insertProfession);
}

QAction* InserterMenu::addArrayItem(QMenu& menu, QList<QAction*>& items, const QString& array, const QString& caption,
                                    void (InserterMenu::*click)(int))
{
    const int index = static_cast<int>(items.size());
    QAction* item = MenuItems::addItem(menu, array + QLatin1Char('_') + QString::number(index), caption);
    connect(item, &QAction::triggered, this, [this, click, index] { (this->*click)(index); });
    items.append(item);
    return item;
}

RichTextControl* InserterMenu::editor() const
{
    // A book to read (the command book) takes no inserts.
    RichTextControl* active = m_windows.activeEditor();
    return active && !active->isBook() ? active : nullptr;
}

void InserterMenu::appendToSelection(RichTextControl& editor, const QString& text)
{
    RichTextControl::UndoStep step(editor);
    // Set first, so the new characters are white even right after a green command.
    editor.setSelColor(RichTextControl::white());
    editor.setSelText(editor.SelText() + text);
}

void InserterMenu::insertFightingTarget()
{
    if (RichTextControl* e = editor())
        appendToSelection(*e, InsertTexts::currentFighting());
}

void InserterMenu::insertTarget()
{
    if (RichTextControl* e = editor())
        appendToSelection(*e, InsertTexts::currentTarget());
}

void InserterMenu::insertMe()
{
    if (RichTextControl* e = editor())
        appendToSelection(*e, InsertTexts::me());
}

void InserterMenu::insertArgument(int index)
{
    if (index < 1 || index > 9)
        return;
    if (RichTextControl* e = editor())
        appendToSelection(*e, InsertTexts::argument(index));
}

void InserterMenu::insertBreed(int index)
{
    listOrRandom(breedItems, QStringLiteral("Breed"), index);
}

void InserterMenu::insertProfession(int index)
{
    listOrRandom(professionItems, QStringLiteral("Profession"), index);
}

void InserterMenu::listOrRandom(const QList<QAction*>& items, const QString& thing, int index)
{
    RichTextControl* e = editor();
    if (!e || index < 0)
        return;
    std::optional<QString> value;
    if (index == 0) {
        value = m_draw.RandomSomething(thing);
    } else if (QAction* item = items.value(index)) {
        value = item->text();
    }
    // An empty table, an unreadable catalogue or an unknown item: nothing to write.
    if (!value)
        return;
    appendToSelection(*e, QLatin1Char(' ') + *value);
}

void InserterMenu::insertPetRename(int index)
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
    LineSelection::writeWholeLines(*e, InsertTexts::petRenameLine(InsertTexts::joinNames(names)));
}
