#include "platform/Settings.h"

#include "platform/Prompt.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {
const QString kApplication = QStringLiteral("Zandrel");
const QString kSection = QStringLiteral("Settings");
const QString kWindowSection = QStringLiteral("Window");
}

QString Settings::storeFile()
{
    // Where QSettings keeps an application's settings on Linux; known before a
    // QSettings exists, since making one already reads the file.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' + kApplication + u'/' +
           kApplication + QStringLiteral(".conf");
}

bool Settings::storeUsable() const
{
    // Reading a named pipe waits for a writer that never comes, and a device may
    // never end: the start would hang. Only an ordinary file (or none yet) is read.
    const QFileInfo info(storeFile());
    if (!info.exists() || info.isFile())
        return true;
    if (m_prompt && !m_failureShown) {
        m_failureShown = true;
        m_prompt->notify(QStringLiteral("Settings Not Read"),
                         QStringLiteral("The settings file '%1' is not an ordinary file (a pipe, a device or a "
                                        "folder), so Zandrel neither reads nor writes it and starts with its "
                                        "defaults. Remove it to keep your settings again.")
                             .arg(info.filePath()),
                         PromptIcon::Warning);
    }
    return false;
}

QString Settings::read(const QString& key, const QString& defaultValue) const
{
    if (!storeUsable())
        return defaultValue;
    QSettings store(kApplication, kApplication);
    store.beginGroup(kSection);
    return store.value(key, defaultValue).toString();
}

void Settings::write(const QString& key, const QString& value)
{
    writeValue(key, value);
}

QStringList Settings::readList(const QString& key) const
{
    if (!storeUsable())
        return {};
    QSettings store(kApplication, kApplication);
    store.beginGroup(kSection);
    return store.value(key).toStringList();
}

void Settings::writeList(const QString& key, const QStringList& value)
{
    writeValue(key, value);
}

void Settings::writeValue(const QString& key, const QVariant& value)
{
    if (!storeUsable())
        return;
    QSettings store(kApplication, kApplication);
    store.beginGroup(kSection);
    store.setValue(key, value);
    store.sync();
    if (store.status() == QSettings::NoError || !m_prompt || m_failureShown)
        return;
    m_failureShown = true;
    m_prompt->notify(QStringLiteral("Settings Not Saved"),
                     QStringLiteral("Zandrel could not save its settings to the file '%1'. Free Type and the game "
                                    "folder stay as you set them until Zandrel closes, but the next start will not "
                                    "know them. Check that you may write to that file and its folder.")
                         .arg(store.fileName()),
                     PromptIcon::Warning);
}

QByteArray Settings::readWindowLayout(const QString& key) const
{
    if (!storeUsable())
        return {};
    QSettings store(kApplication, kApplication);
    store.beginGroup(kWindowSection);
    return store.value(key).toByteArray();
}

void Settings::writeWindowLayout(const QString& key, const QByteArray& value)
{
    if (!storeUsable())
        return;
    QSettings store(kApplication, kApplication);
    store.beginGroup(kWindowSection);
    store.setValue(key, value);
    store.sync();
}
