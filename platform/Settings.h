#pragma once

#include <QString>

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

private:
    Prompt* m_prompt = nullptr;
    bool m_failureShown = false;
};
