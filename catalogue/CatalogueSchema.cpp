#include "catalogue/CatalogueSchema.h"

namespace {
struct Column {
    const char* name;
    const char* definition;
};

constexpr Column kCommandColumns[] = {
    {"CommandID", "INTEGER PRIMARY KEY"}, {"CommandGroupID", "INTEGER"},  {"CommandText", "TEXT COLLATE NOCASE"},
    {"CommandDescription", "TEXT COLLATE NOCASE"}, {"CommandType", "INTEGER"}, {"Add", "TEXT"},
    {"CommandBook", "TEXT"},     {"CommandValues", "TEXT"},
};

QString bracketed(const char* name)
{
    return QLatin1Char('[') + QLatin1String(name) + QLatin1Char(']');
}
}

QString CatalogueSchema::commandColumns()
{
    QStringList names;
    for (const Column& column : kCommandColumns)
        names << bracketed(column.name);
    return names.join(QStringLiteral(", "));
}

QString CatalogueSchema::insertCommandSql()
{
    QStringList marks;
    for (qsizetype i = 0; i < qsizetype(std::size(kCommandColumns)); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("INSERT INTO tblCommand (%1) VALUES (%2)").arg(commandColumns(), marks.join(QStringLiteral(", ")));
}

QVariantList CatalogueSchema::commandRow(const CatalogueCommand& command, const QString& helpPage)
{
    return {command.id,         command.group, command.text, command.description, int(command.type),
            command.add, helpPage, command.values.join(QLatin1Char('|'))};
}

QStringList CatalogueSchema::createStatements()
{
    QStringList commandColumns;
    for (const Column& column : kCommandColumns)
        commandColumns << bracketed(column.name) + QLatin1Char(' ') + QLatin1String(column.definition);
    return {
        QStringLiteral("CREATE TABLE tblCommandGroup ("
                       "CommandGroupID INTEGER PRIMARY KEY, "
                       "CommandGroupText TEXT COLLATE NOCASE, "
                       "Prefix TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE tblCommand (%1)").arg(commandColumns.join(QStringLiteral(", "))),
        QStringLiteral("CREATE TABLE tblBreed (Breed TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE tblProfession (Profession TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE tblnames ("
                       "Names TEXT COLLATE NOCASE, "
                       "Type INTEGER, "
                       "Sex TEXT COLLATE NOCASE)"),
    };
}
