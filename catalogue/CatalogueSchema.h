#pragma once

#include <QStringList>

// The catalogue's five tables. Word columns compare without regard to letter case,
// as the program's lookups expect. The value rules (types 0/1/3, Type 0/1, Sex
// M/F/U) are checked by the catalogue tool, not by the schema, so a test catalogue
// can still hold the odd rows the program must cope with.
namespace CatalogueSchema {

// CREATE TABLE statements, in creation order.
QStringList createStatements();

}
