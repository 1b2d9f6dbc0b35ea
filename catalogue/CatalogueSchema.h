#pragma once

#include "catalogue/CatalogueRecords.h"

#include <QStringList>
#include <QVariantList>

// The catalogue's five tables. Word columns compare without regard to letter case,
// as the program's lookups expect. The value rules (types 0/1/3, Type 0/1, Sex
// M/F/U) are checked by the catalogue tool, not by the schema, so a test catalogue
// can still hold the odd rows the program must cope with.
//
// The command table's columns are named here once: the table is created, checked,
// written and read from this one list.
namespace CatalogueSchema {

// CREATE TABLE statements, in creation order.
QStringList createStatements();

// The command table's columns in stored order, each in brackets: SQLite takes a
// double-quoted name it cannot find for a text and would not notice it missing.
QString commandColumns();
// Writes one command with its help page (RTF) into the command table.
QString insertCommandSql();
QVariantList commandRow(const CatalogueCommand& command, const QString& helpPage);

}
