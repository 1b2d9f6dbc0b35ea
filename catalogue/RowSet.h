#pragma once

#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <vector>

// The rows of one catalogue query, read whole when the query runs (the catalogue
// is small and read-only). A cursor walks them; a missing field or a NULL value
// reads as the empty text, or 0 as a number.
class RowSet {
public:
    RowSet() = default;
    explicit RowSet(std::vector<QSqlRecord> rows) : m_rows(std::move(rows)) {}

    bool isEmpty() const { return m_rows.empty(); }
    bool atEnd() const { return m_pos >= count(); }
    bool atStart() const { return m_pos <= 0; }
    int count() const { return static_cast<int>(m_rows.size()); }
    int position() const { return m_pos; }

    void moveNext() { ++m_pos; }
    // Moves forward by a count, never beyond the end.
    void move(int rows);

    QString text(const QString& field) const;
    int integer(const QString& field) const;

private:
    std::vector<QSqlRecord> m_rows;
    int m_pos = 0;
};
