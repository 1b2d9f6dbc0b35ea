#include "platform/Settings.h"

#include <QSettings>

namespace {
const QString kApplication = QStringLiteral("Zandrel");
const QString kSection = QStringLiteral("Settings");
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
