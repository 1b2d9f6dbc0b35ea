#pragma once

#include "inserters/RandomDraw.h"
#include "inserters/RandomGenerator.h"

#include <QObject>
#include <QString>

#include <optional>

class QAction;
class QMainWindow;
class RichTextControl;
class AppState;
class ScriptWindows;

// The Special menu: chat variables, listed or random breeds and professions, and
// pet-rename lines with random names, written into the active script window.
//
// Finds its menus on the main window by objectName (mnuBreed, mnuProfession,
// mnuVariables, mnuPet) and serves every item they hold, including the items the
// start-up adds later (mnuArgs_2.., mnuBreeds_1.., mnuProfessions_1..). With no
// script window open every item does nothing and asks nothing of the catalogue.
class InserterMenu : public QObject {
    Q_OBJECT
public:
    // A child of `main`; lives as long as the main window, and so does its generator.
    InserterMenu(AppState& state, ScriptWindows& windows, QMainWindow& main);

    std::optional<QString> RandomName(int type, const QString& sex) { return m_draw.RandomName(type, sex); }
    std::optional<QString> RandomSomething(const QString& what) { return m_draw.RandomSomething(what); }

public slots:
    void mnuCurrentF_Click();
    void mnuSelectTarget_Click();
    void mnuMe_Click();
    void mnuArgs_Click(int index);
    void mnuBreeds_Click(int index);
    void mnuProfessions_Click(int index);
    void mnuRename_Click(int index);

private:
    void connectMenu(const char* menuName, void (InserterMenu::*dispatch)(QAction*));
    void variablesTriggered(QAction* item);
    void breedsTriggered(QAction* item);
    void professionsTriggered(QAction* item);
    void petTriggered(QAction* item);

    // The active script's editor, or null with no script window open.
    RichTextControl* editor() const;
    // Keeps the selection and writes `text` after it, in white.
    void appendToSelection(RichTextControl& editor, const QString& text);
    void listOrRandom(const QString& array, const QString& thing, int index);

    ScriptWindows& m_windows;
    QMainWindow& m_main;
    RandomGenerator m_generator;
    RandomDraw m_draw;
};
