// The sound call on QSoundEffect: plays a WAV file and waits for its end.
#pragma once

#include "SoundPlayer.h"

namespace quorrin {

class EffectSoundPlayer final : public SoundPlayer {
public:
    // Time allowed on top of the sound's own length for loading and starting it.
    static constexpr int WaitMarginMs = 400;
    // No sound holds the window up for longer than this, however long the file claims to be.
    static constexpr int LongestWaitMs = 10000;

    // Returns false at once when there is no audio output or the file is missing, unreadable
    // or not a PCM WAV file. Otherwise plays it and waits until it has stopped, with user
    // input held back meanwhile (as a blocking call would), at most the sound's length plus
    // WaitMarginMs. True when the sound was started.
    bool Play(const QString& filePath) override;
};

} // namespace quorrin
