// The sound call the game window relies on: play a WAV file and return when it has finished.
#pragma once

#include <QString>

namespace quorrin {

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;

    // Plays the WAV file at filePath and returns once it has finished. Returns false, at once
    // and in silence, when the sound cannot be played (no audio output, a missing or broken
    // file). Must never block for longer than the sound lasts plus a small margin.
    virtual bool Play(const QString& filePath) = 0;
};

// Plays nothing and says so: for programs that drive the game window without sound (the
// screenshot tool, the benchmarks).
class SilentSoundPlayer final : public SoundPlayer {
public:
    bool Play(const QString&) override { return false; }
};

// The full path of a sound file shipped with the program: the program's own folder first,
// then the installed data folder (../share/quorrin beside the program's folder). When the
// file is in neither, the path in the program's own folder is returned, so that playing it
// fails quietly.
QString SoundFilePath(const QString& fileName);

} // namespace quorrin
