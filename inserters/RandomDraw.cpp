#include "inserters/RandomDraw.h"

#include "catalogue/Catalogue.h"
#include "inserters/RandomRow.h"

std::optional<QString> RandomDraw::RandomName(int type, const QString& sex)
{
    QString sql = QStringLiteral("SELECT * FROM tblnames WHERE Type = ?");
    QVariantList binds{type};
    if (!sex.isEmpty()) {
        sql += QStringLiteral(" and Sex = ?");
        binds << sex;
    }
    return draw(sql, binds, QStringLiteral("Names"));
}

std::optional<QString> RandomDraw::RandomSomething(const QString& what)
{
    if (!isPlainName(what))
        return std::nullopt;
    return draw(QStringLiteral("SELECT * FROM tbl") + what, {}, what);
}

bool RandomDraw::isPlainName(const QString& what)
{
    if (what.isEmpty())
        return false;
    for (const QChar c : what) {
        const bool ascii = c.unicode() < 128;
        if (!ascii || !(c.isLetterOrNumber() || c == u'_'))
            return false;
    }
    return true;
}

std::optional<QString> RandomDraw::draw(const QString& sql, const QVariantList& binds, const QString& field)
{
    // A fresh connection for every draw; a catalogue that cannot be opened has
    // already been reported by the connection itself and then yields no rows.
    if (m_catalogue.OpenCatalogue() != Catalogue::OpenResult::Open)
        return std::nullopt;
    RowSet rows = m_catalogue.query(sql, binds);
    const int row = RandomRow::index(m_generator.next(), rows.count());
    if (row < 0)
        return std::nullopt;
    rows.move(row);
    return rows.text(field);
}
