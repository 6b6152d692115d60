// The sound call on QSoundEffect: plays a WAV file and waits for its end.
#pragma once

#include "SoundPlayer.h"

namespace quorrin {

class EffectSoundPlayer final : public SoundPlayer {
public:
    // Time allowed on top of the sound's own length for loading and starting it.
    static constexpr int WaitMarginMs = 400;

    // Returns false at once when there is no audio output or the file is missing, unreadable
    // or not a PCM WAV file. Otherwise plays it to its end, however long, with user input held
    // back meanwhile (as a blocking call would); the wait is bounded by the length of the
    // samples actually in the file plus WaitMarginMs. True when the sound was started.
    bool Play(const QString& filePath) override;
};

} // namespace quorrin
