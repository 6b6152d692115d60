// The player's own settings, kept between runs in the user's configuration folder
// ($XDG_CONFIG_HOME/quorrin/quorrin.conf). The window's compiled-in state stays read-only;
// these are what a player changed.
#pragma once

#include "board/PropertyStore.h"
#include "engine/clock/TimeControl.h"

#include <QSettings>

#include <memory>

namespace quorrin {

std::unique_ptr<QSettings> UserSettings();

// The time control chosen for new games; untimed when none was chosen or what is kept does
// not read.
TimeControl SavedTimeControl();
void SaveTimeControl(const TimeControl& control);

// The players' names for the next game: "White" and "Black" until the player names them.
struct PlayerNames {
    QString White;
    QString Black;
};
PlayerNames SavedPlayers();
void SavePlayers(const PlayerNames& names);

// The options a player set in the window's menus, under the keys of the window's compiled-in
// state ("brdChessboard1/Locked", "GAME/TurnBoardAfterEachMove").
void SaveOption(const QString& key, const QVariant& value);

// A window's compiled-in state (an INI file, read-only) under the options the player set: a key
// the player's settings hold wins, the compiled-in value is the first start's. Writes go to the
// player's settings.
class PlayerOptionStore final : public PropertyStore {
public:
    // The keys within group ("brdChessboard1", "GAME").
    PlayerOptionStore(const QString& statePath, const QString& group);

    QVariant Read(const QString& key, const QVariant& defaultValue) const override;
    void Write(const QString& key, const QVariant& value) override;

private:
    SettingsPropertyStore compiledIn_;
    QString prefix_;
};

} // namespace quorrin
