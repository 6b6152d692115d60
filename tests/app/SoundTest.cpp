// The sound layer: judging WAV files, returning at once when a sound cannot be played, and
// finding the sound files.
#include "EffectSoundPlayer.h"
#include "app/audio/WaveFile.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>

using namespace quorrin;

class SoundTest : public QObject {
    Q_OBJECT

private slots:
    void judgesWaveFilesAndNeverWaitsInVain();
    void looksInTheProgramsFolderFirst();
};

void SoundTest::judgesWaveFilesAndNeverWaitsInVain() {
    // Three seconds of 16-bit mono silence at 8000 Hz.
    const wave::Bytes image = wave::Pcm16Mono(8000, std::vector<double>(24000, 0.0));
    const QByteArray good(reinterpret_cast<const char*>(image.data()), qsizetype(image.size()));
    // Missing, broken and cut short. Without an audio output (as on the build machines) even
    // the good file gives false, and its returning within one second shows that nothing waited
    // for the sound.
    QList<QByteArray> files = {QByteArray(), "RIFF....WAVEjunk", good.left(30)};
    if (QMediaDevices::audioOutputs().isEmpty()) {
        files << good;
    }
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sound.wav"));
    for (const QByteArray& bytes : files) { // the missing file first, then each written over
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
