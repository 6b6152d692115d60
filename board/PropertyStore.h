// A store of saved property values read and written by key: how a host window keeps the
// board's design-time settings.
#pragma once

#include <QString>
#include <QVariant>

#include <memory>

class QSettings;

namespace quorrin {

class PropertyStore {
public:
    virtual ~PropertyStore() = default;
    // The value saved under key, or defaultValue when the key is missing.
    virtual QVariant Read(const QString& key, const QVariant& defaultValue) const = 0;
    virtual void Write(const QString& key, const QVariant& value) = 0;
};

// A property store on QSettings: an INI file, or one compiled into the program's resources
// (read-only: writes to it are dropped by QSettings).
class SettingsPropertyStore final : public PropertyStore {
public:
    // Reads and writes the INI file at path, within the given group ("" for none).
    SettingsPropertyStore(const QString& path, const QString& group);
    ~SettingsPropertyStore() override;

    QVariant Read(const QString& key, const QVariant& defaultValue) const override;
    void Write(const QString& key, const QVariant& value) override;
    void Sync();

private:
    std::unique_ptr<QSettings> settings_;
    QString prefix_;
};

} // namespace quorrin
