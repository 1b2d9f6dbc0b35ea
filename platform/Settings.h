#pragma once

#include <QString>

// The two per-user settings, addressed as application "Zandrel", section
// "Settings". Values are texts; a missing key reads as the given default.
class Settings {
public:
    QString read(const QString& key, const QString& defaultValue) const;
    void write(const QString& key, const QString& value);
};
