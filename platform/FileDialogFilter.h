#pragma once

#include <QStringList>

// Turns a "Description|pattern|Description|pattern" filter into Qt's name filters
// ("Description (pattern)"). Patterns match letter case as Windows did: a pattern
// such as "anarchy.exe" also shows "Anarchy.exe".
QStringList qtNameFilters(const QString& pipeFilter);
QString caseInsensitivePattern(const QString& pattern);
