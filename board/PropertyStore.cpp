// The property store on QSettings, in INI format.
#include "board/PropertyStore.h"

#include <QSettings>

namespace quorrin {

SettingsPropertyStore::SettingsPropertyStore(const QString& path, const QString& group)
    : settings_(std::make_unique<QSettings>(path, QSettings::IniFormat)),
      prefix_(group.isEmpty() ? QString() : group + QLatin1Char('/')) {}

SettingsPropertyStore::~SettingsPropertyStore() = default;

QVariant SettingsPropertyStore::Read(const QString& key, const QVariant& defaultValue) const {
    return settings_->value(prefix_ + key, defaultValue);
}

void SettingsPropertyStore::Write(const QString& key, const QVariant& value) {
    settings_->setValue(prefix_ + key, value);
}

void SettingsPropertyStore::Sync() {
    settings_->sync();
}

} // namespace quorrin
