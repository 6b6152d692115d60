#include "EffectSoundPlayer.h"

#include "app/audio/WaveFile.h"

#include <QFile>

#include <QAudioDevice>
#include <QEventLoop>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <limits>

namespace quorrin {

bool EffectSoundPlayer::Play(const QString& filePath) {
    // Without an output device QSoundEffect reports Ready and then "plays" for ever.
    if (QMediaDevices::audioOutputs().isEmpty()) {
        return false;
    }
    const wave::WaveReading reading = wave::ReadWaveFile(QFile::encodeName(filePath).toStdString());
    if (!reading) {
        return false;
    }
    // A QTimer counts in int milliseconds (about 24 days).
    const auto waitMs = static_cast<int>(std::min<std::int64_t>(
        reading.Format->DurationMs() + WaitMarginMs, std::numeric_limits<int>::max()));

    QSoundEffect effect;
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    bool started = false;

    QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect.status() == QSoundEffect::Error) {
            loop.quit();
        } else if (effect.status() == QSoundEffect::Ready && !started) {
            started = true;
            effect.play();
        }
    });
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (started && !effect.isPlaying()) {
            loop.quit();
        }
    });

    bound.start(waitMs);
    effect.setSource(QUrl::fromLocalFile(filePath));
    if (effect.status() == QSoundEffect::Ready && !started) {
        started = true;
        effect.play();
    }
    if (effect.status() != QSoundEffect::Error) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    effect.stop();
    return started;
}

} // namespace quorrin
