#pragma once

#include <QStringList>

// Turns a "Description|pattern|Description|pattern" filter into Qt's name filters
// ("Description (pattern)"), the patterns shown as written. The dialog matches them
// without regard to letter case, as Windows did.
QStringList qtNameFilters(const QString& pipeFilter);
