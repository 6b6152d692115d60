// The sound layer: judging WAV files, returning at once when a sound cannot be played, and
// finding the sound files.
#include "EffectSoundPlayer.h"
#include "WaveFile.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace quorrin;

namespace {

QByteArray Le(quint32 value, int bytes) {
    QByteArray out(4, '\0');
    qToLittleEndian(value, out.data());
    return out.left(bytes);
}

// A RIFF chunk: its tag, its size (the body's unless another is claimed), the body, padding.
QByteArray Chunk(const char* tag, const QByteArray& body, quint32 claimedSize = 0) {
    return QByteArray(tag, 4) + Le(claimedSize != 0 ? claimedSize : body.size(), 4) + body +
           QByteArray(body.size() % 2, '\0');
}

// A RIFF/WAVE image: a PCM-style "fmt " chunk with these values, then the given chunks.
QByteArray Wave(int encoding, int channels, int rate, int bits, const QByteArray& chunks) {
    const int block = channels * bits / 8;
    const QByteArray format = Le(encoding, 2) + Le(channels, 2) + Le(rate, 4) +
                              Le(rate * block, 4) + Le(block, 2) + Le(bits, 2);
    return Chunk("RIFF", "WAVE" + Chunk("fmt ", format) + chunks);
}

// 16-bit mono silence at 8000 Hz, in half seconds.
QByteArray SilentWave(int halfSeconds) {
    return Wave(1, 1, 8000, 16, Chunk("data", QByteArray(8000 * halfSeconds, '\0')));
}

} // namespace

class SoundTest : public QObject {
    Q_OBJECT

private slots:
    void judgesWaveFilesAndNeverWaitsInVain_data();
    void judgesWaveFilesAndNeverWaitsInVain();
    void looksInTheProgramsFolderFirst();
};

void SoundTest::judgesWaveFilesAndNeverWaitsInVain_data() {
    QTest::addColumn<QByteArray>("bytes"); // null: no file at all
    QTest::addColumn<int>("durationMs");   // -1: not a playable sound
    const QByteArray data = Chunk("data", QByteArray(800, '\0'));
    QTest::newRow("half a second") << SilentWave(1) << 500;
    QTest::newRow("three seconds") << SilentWave(6) << 3000;
    // A data size never patched by its writer: only the whole frames present count.
    QTest::newRow("unpatched size")
        << Wave(1, 2, 8000, 16, Chunk("data", QByteArray(8002, '\0'), 1920000)) << 250;
    QTest::newRow("missing") << QByteArray() << -1;
    QTest::newRow("broken") << QByteArray("RIFF....WAVEjunk") << -1;
    QTest::newRow("compressed") << Wave(2, 1, 8000, 16, data) << -1;
    QTest::newRow("chunk past the end")
        << Wave(1, 1, 8000, 16, Chunk("LIST", "abcd", 0x7FFFFFF0) + data) << -1;
}

void SoundTest::judgesWaveFilesAndNeverWaitsInVain() {
    QFETCH(QByteArray, bytes);
    QFETCH(int, durationMs);
    const std::optional<WaveFormat> format = ParseWaveHeader(bytes);
    QCOMPARE(format ? format->DurationMs() : -1, durationMs);

    // Without an audio output (as on the build machines) even a good file gives false, and a
    // three-second sound returning within one second shows that nothing waited for it.
    if (durationMs < 0 || QMediaDevices::audioOutputs().isEmpty()) {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("sound.wav"));
        QFile file(path);
        QVERIFY(bytes.isNull() || (file.open(QIODevice::WriteOnly) && file.write(bytes) > 0));
        file.close();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!EffectSoundPlayer().Play(path));
        QVERIFY(clock.elapsed() < 1000);
    }
}

void SoundTest::looksInTheProgramsFolderFirst() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral("probe-%1.wav").arg(QCoreApplication::applicationPid());
    const QString beside = QDir::toNativeSeparators(programFolder.filePath(name));
    const QString installed = QDir::toNativeSeparators(
        QDir::cleanPath(programFolder.filePath("../share/quorrin/" + name)));
    // In neither place: the program's own folder, where playing fails quietly.
    QCOMPARE(SoundFilePath(name), beside);
    QVERIFY(QDir().mkpath(QFileInfo(installed).path()));
    QVERIFY(QFile(installed).open(QIODevice::WriteOnly));
    QCOMPARE(SoundFilePath(name), installed);
    QVERIFY(QFile(beside).open(QIODevice::WriteOnly));
    QCOMPARE(SoundFilePath(name), beside);
    QVERIFY(QFile::remove(beside) && QFile::remove(installed));
}

QTEST_MAIN(SoundTest)
#include "SoundTest.moc"
