#include "UserSettings.h"

namespace quorrin {

namespace {

const QString WhiteKey = QStringLiteral("Clock/White");
const QString BlackKey = QStringLiteral("Clock/Black");
const QString WhitePlayerKey = QStringLiteral("Players/White");
const QString BlackPlayerKey = QStringLiteral("Players/Black");

SideTimeControl ReadSide(const QSettings& settings, const QString& key) {
    const ReadResult<SideTimeControl> read =
        ReadTimeControl(settings.value(key, QStringLiteral("-")).toString().toStdString());
    return read ? *read : SideTimeControl{};
}

} // namespace

std::unique_ptr<QSettings> UserSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("quorrin"), QStringLiteral("quorrin"));
}

TimeControl SavedTimeControl() {
    const std::unique_ptr<QSettings> settings = UserSettings();
    return {ReadSide(*settings, WhiteKey), ReadSide(*settings, BlackKey)};
}

void SaveTimeControl(const TimeControl& control) {
    const std::unique_ptr<QSettings> settings = UserSettings();
    settings->setValue(WhiteKey, QString::fromStdString(TimeControlText(control.White)));
    settings->setValue(BlackKey, QString::fromStdString(TimeControlText(control.Black)));
}

PlayerNames SavedPlayers() {
    const std::unique_ptr<QSettings> settings = UserSettings();
    return {settings->value(WhitePlayerKey, QStringLiteral("White")).toString(),
            settings->value(BlackPlayerKey, QStringLiteral("Black")).toString()};
}

void SavePlayers(const PlayerNames& names) {
    const std::unique_ptr<QSettings> settings = UserSettings();
    settings->setValue(WhitePlayerKey, names.White);
    settings->setValue(BlackPlayerKey, names.Black);
}

void SaveOption(const QString& key, const QVariant& value) {
    UserSettings()->setValue(key, value);
}

PlayerOptionStore::PlayerOptionStore(const QString& statePath, const QString& group)
    : compiledIn_(statePath, group), prefix_(group + QLatin1Char('/')) {}

QVariant PlayerOptionStore::Read(const QString& key, const QVariant& defaultValue) const {
    return UserSettings()->value(prefix_ + key, compiledIn_.Read(key, defaultValue));
}

void PlayerOptionStore::Write(const QString& key, const QVariant& value) {
    SaveOption(prefix_ + key, value);
}

} // namespace quorrin
