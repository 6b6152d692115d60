#include "UserSettings.h"

namespace quorrin {

namespace {

const QString WhiteKey = QStringLiteral("Clock/White");
const QString BlackKey = QStringLiteral("Clock/Black");

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

} // namespace quorrin
