#pragma once

#include "inserters/RandomDraw.h"
#include "inserters/RandomGenerator.h"

#include <QList>
#include <QObject>
#include <QString>

class Catalogue;
class QAction;
class QMenu;
class QMenuBar;
class RichTextControl;
class ScriptWorkspace;

// The Special menu: chat variables, listed or random breeds and professions, and
// pet-rename lines with random names, written into the active script window. Builds
// the menu and connects every item as it adds it, including the items the start-up
// adds later. With no script window open every item does nothing and asks nothing
// of the catalogue.
class InserterMenu : public QObject {
    Q_OBJECT
public:
    // Lives as long as `parent` (the main window), and so does its generator.
    InserterMenu(Catalogue& catalogue, ScriptWorkspace& windows, QObject* parent = nullptr);

    // The Special menu as designed: a random breed, a random profession, the
    // variables with one argument item, and the pet-rename items.
    void addSpecialMenu(QMenuBar& bar);
    // The start-up's part: "Argument 1" to "Argument 9", and an item per breed and
    // per profession of the catalogue, each captioned with its value.
    void addArgumentItems();
    void addBreed(const QString& breed);
    void addProfession(const QString& profession);

    // Menu item arrays; argumentItems is indexed 1 to 9 (index 0 stays empty).
    QList<QAction*> breedItems;
    QList<QAction*> professionItems;
    QList<QAction*> argumentItems;
    QList<QAction*> renameItems;

public slots:
    void insertFightingTarget();
    void insertTarget();
    void insertMe();
    void insertArgument(int index);
    void insertBreed(int index);
    void insertProfession(int index);
    void insertPetRename(int index);

private:
    // Adds item `array`_n to `menu` as the next of `items`, connected to `click`(n).
    QAction* addArrayItem(QMenu& menu, QList<QAction*>& items, const QString& array, const QString& caption,
                          void (InserterMenu::*click)(int));
    // The active script's editor, or null with no script window open.
    RichTextControl* editor() const;
    // Keeps the selection and writes `text` after it, in white.
    void appendToSelection(RichTextControl& editor, const QString& text);
    void listOrRandom(const QList<QAction*>& items, const QString& thing, int index);

    ScriptWorkspace& m_windows;
    QMenu* m_breedMenu = nullptr;
    QMenu* m_professionMenu = nullptr;
    QMenu* m_variablesMenu = nullptr;
    RandomGenerator m_generator;
    RandomDraw m_draw;
};
