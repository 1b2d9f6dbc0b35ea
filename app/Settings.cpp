#include "app/Settings.h"

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
    QSettings store(kApplication, kApplication);
    store.beginGroup(kSection);
    store.setValue(key, value);
    store.sync();
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
