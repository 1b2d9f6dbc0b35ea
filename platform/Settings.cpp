#include "platform/Settings.h"

#include "platform/Prompt.h"

#include <QSettings>

namespace {
const QString kApplication = QStringLiteral("Zandrel");
const QString kSection = QStringLiteral("Settings");
const QString kWindowSection = QStringLiteral("Window");
}

QString Settings::read(const QString& key, const QString& defaultValue) const
{
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
    QSettings store(kApplication, kApplication);
    store.beginGroup(kWindowSection);
    return store.value(key).toByteArray();
}

void Settings::writeWindowLayout(const QString& key, const QByteArray& value)
{
    QSettings store(kApplication, kApplication);
    store.beginGroup(kWindowSection);
    store.setValue(key, value);
    store.sync();
}
