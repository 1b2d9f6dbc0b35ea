#pragma once

#include "inserters/RandomGenerator.h"

#include <QString>
#include <QStringList>

#include <optional>

class Catalogue;

// Draws one random row from the catalogue. Every draw reconnects to the catalogue
// first and runs its own query; a draw that finds no row, or a catalogue that
// cannot be read, gives no value.
class RandomDraw {
public:
    RandomDraw(Catalogue& catalogue, RandomGenerator& generator) : m_catalogue(catalogue), m_generator(generator) {}

    // Field Names of a row of tblnames of the given type and, unless `sex` is empty,
    // that sex code.
    std::optional<QString> RandomName(int type, const QString& sex);
    // Field `what` of a row of the table "tbl" + `what` (Breed, Profession). `what`
    // names a table, so only a plain word is looked up.
    std::optional<QString> RandomSomething(const QString& what);

private:
    bool reconnect();
    std::optional<QString> pick(const QStringList& values);

    Catalogue& m_catalogue;
    RandomGenerator& m_generator;
};
