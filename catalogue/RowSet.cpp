#include "catalogue/RowSet.h"

#include <algorithm>

void RowSet::move(int rows)
{
    m_pos = std::clamp(m_pos + rows, 0, count());
}

QString RowSet::text(const QString& field) const
{
    if (atEnd())
        return {};
    const QVariant v = m_rows[static_cast<size_t>(m_pos)].value(field);
    return v.isNull() ? QString() : v.toString();
}

int RowSet::integer(const QString& field) const
{
    if (atEnd())
        return 0;
    return m_rows[static_cast<size_t>(m_pos)].value(field).toInt();
}
