// The player's own settings, kept between runs in the user's configuration folder
// ($XDG_CONFIG_HOME/quorrin/quorrin.conf). The window's compiled-in state stays read-only;
// these are what a player changed.
#pragma once

#include "engine/clock/TimeControl.h"

#include <QSettings>

#include <memory>

namespace quorrin {

std::unique_ptr<QSettings> UserSettings();

// The time control chosen for new games; untimed when none was chosen or what is kept does
// not read.
TimeControl SavedTimeControl();
void SaveTimeControl(const TimeControl& control);

} // namespace quorrin
