#include "catalogue/CatalogueSchema.h"

QStringList CatalogueSchema::createStatements()
{
    return {
        QStringLiteral("CREATE TABLE tblCommandGroup ("
                       "CommandGroupID INTEGER PRIMARY KEY, "
                       "CommandGroupText TEXT COLLATE NOCASE, "
                       "Prefix TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE tblCommand ("
                       "CommandID INTEGER PRIMARY KEY, "
                       "CommandGroupID INTEGER, "
                       "CommandText TEXT COLLATE NOCASE, "
                       "CommandDescription TEXT COLLATE NOCASE, "
                       "CommandType INTEGER, "
                       "\"Add\" TEXT, "
                       "CommandBook TEXT, "
                       "CommandValues TEXT)"),
        QStringLiteral("CREATE TABLE tblBreed (Breed TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE tblProfession (Profession TEXT COLLATE NOCASE)"),
        QStringLiteral("CREATE TABLE tblnames ("
                       "Names TEXT COLLATE NOCASE, "
                       "Type INTEGER, "
                       "Sex TEXT COLLATE NOCASE)"),
    };
}
