#include "inserters/RandomDraw.h"

#include "catalogue/Catalogue.h"
#include "inserters/RandomRow.h"

std::optional<QString> RandomDraw::RandomName(int type, const QString& sex)
{
    if (!reconnect())
        return std::nullopt;
    return pick(m_catalogue.names(type, sex));
}

std::optional<QString> RandomDraw::RandomSomething(const QString& what)
{
    if (!reconnect())
        return std::nullopt;
    return pick(m_catalogue.wordList(what));
}

bool RandomDraw::reconnect()
{
    // A fresh connection for every draw; a catalogue that cannot be opened has
    // already been reported by the connection itself.
    return m_catalogue.OpenCatalogue() == Catalogue::OpenResult::Open;
}

std::optional<QString> RandomDraw::pick(const QStringList& values)
{
    const int row = RandomRow::index(m_generator.next(), static_cast<int>(values.size()));
    if (row < 0)
        return std::nullopt;
    return values.at(row);
}
