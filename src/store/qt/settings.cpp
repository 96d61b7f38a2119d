#include "store/qt/settings.h"

#include <QStringList>

namespace dm {

namespace {

QString keyPath(const std::string& key)
{
    return QStringLiteral("Preferences/") + QString::fromStdString(key);
}

}  // namespace

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Dunmere"),
                QStringLiteral("TolvaRummy"))
{
}

std::optional<std::string> QtSettingsStore::read(const std::string& key)
{
    const QString path = keyPath(key);
    if (!settings_.contains(path))
        return std::nullopt;
    const QVariant v = settings_.value(path);
    // A hand-edited "a, b" comes back as a list; keep it as the text it was.
    if (v.metaType().id() == QMetaType::QStringList)
        return v.toStringList().join(QStringLiteral(", ")).toStdString();
    return v.toString().toStdString();
}

void QtSettingsStore::write(const std::string& key, const std::string& value)
{
    const QString path = keyPath(key), text = QString::fromStdString(value);
    const QVariant now = settings_.value(path);
    if (now.metaType().id() == QMetaType::QString && now.toString() == text)
        return;
    settings_.setValue(path, text);
}

std::string QtSettingsStore::place() const { return settings_.fileName().toStdString(); }

bool QtSettingsStore::sync()
{
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

}  // namespace dm
