#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QVariant;

class Prompt;

// The two per-user settings, addressed as application "Zandrel", section
// "Settings". Values are texts; a missing key reads as the given default.
class Settings {
public:
    // Without a prompt (code that only reads), a failed write goes unreported.
    Settings() = default;
    explicit Settings(Prompt& prompt) : m_prompt(&prompt) {}

    QString read(const QString& key, const QString& defaultValue) const;
    // The value holds for this run in any case. When the store cannot be written
    // the player is told once per run, with the file that could not be written:
    // otherwise the setting would quietly be gone at the next start.
    void write(const QString& key, const QString& value);

    // A list of texts in the same section (the recent scripts); empty when never stored.
    QStringList readList(const QString& key) const;
    void writeList(const QString& key, const QStringList& value);

    // The main window's place, size and bars as the player left them, kept in the
    // same store in a section of their own; empty when never stored.
    QByteArray readWindowLayout(const QString& key) const;
    void writeWindowLayout(const QString& key, const QByteArray& value);

    // The file the store lives in.
    static QString storeFile();

private:
    // False, after telling the player once, when the store's file is a pipe, a
    // device or a folder: it is then neither read nor written.
    bool storeUsable() const;
    void writeValue(const QString& key, const QVariant& value);

    Prompt* m_prompt = nullptr;
    mutable bool m_failureShown = false;
};
