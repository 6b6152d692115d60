// The sound layer: judging WAV files, returning at once when a sound cannot be played, and
// finding the sound files.
#include "EffectSoundPlayer.h"
#include "audio/WaveFile.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>

using namespace quorrin;

namespace {

// 16-bit mono silence at 8000 Hz, in half seconds.
wave::Bytes SilentWave(int halfSeconds) {
    return wave::Pcm16Mono(8000, std::vector<double>(4000 * halfSeconds, 0.0));
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
    QTest::addColumn<bool>("playable");
    const auto bytes = [](const wave::Bytes& image) {
        return QByteArray(reinterpret_cast<const char*>(image.data()),
                          static_cast<qsizetype>(image.size()));
    };
    QTest::newRow("three seconds") << bytes(SilentWave(6)) << true;
    QTest::newRow("missing") << QByteArray() << false;
    QTest::newRow("broken") << QByteArray("RIFF....WAVEjunk") << false;
    QTest::newRow("cut short") << bytes(SilentWave(1)).left(30) << false;
}

void SoundTest::judgesWaveFilesAndNeverWaitsInVain() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, playable);
    // Without an audio output (as on the build machines) even a good file gives false, and a
    // three-second sound returning within one second shows that nothing waited for it.
    if (!playable || QMediaDevices::audioOutputs().isEmpty()) {
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
