#pragma once

#include <QByteArray>
#include <QString>

// The two per-user settings, addressed as application "Zandrel", section
// "Settings". Values are texts; a missing key reads as the given default.
class Settings {
public:
    QString read(const QString& key, const QString& defaultValue) const;
    void write(const QString& key, const QString& value);

    // The main window's place, size and bars as the player left them, kept in the
    // same store in a section of their own; empty when never stored.
    QByteArray readWindowLayout(const QString& key) const;
    void writeWindowLayout(const QString& key, const QByteArray& value);
};
