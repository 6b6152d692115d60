// The sound layer: judging WAV files, never blocking when a sound cannot be played, and
// finding the sound files.
#include "EffectSoundPlayer.h"
#include "SoundPlayer.h"
#include "WaveFile.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace quorrin;

namespace {

QByteArray Little32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray Little16(quint16 value) {
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray Chunk(const char* tag, const QByteArray& body, quint32 claimedSize = 0) {
    QByteArray chunk(tag, 4);
    chunk += Little32(claimedSize != 0 ? claimedSize : static_cast<quint32>(body.size()));
    chunk += body;
    if (body.size() % 2 == 1) {
        chunk += '\0';
    }
    return chunk;
}

QByteArray FormatBody(int encoding, int channels, int rate, int bits) {
    const int blockAlign = channels * bits / 8;
    return Little16(encoding) + Little16(channels) + Little32(rate) + Little32(rate * blockAlign) +
           Little16(blockAlign) + Little16(bits);
}

QByteArray Riff(const QByteArray& chunks) {
    return QByteArray("RIFF") + Little32(4 + chunks.size()) + QByteArray("WAVE") + chunks;
}

// Half a second of 16-bit mono silence at 8000 Hz.
QByteArray HalfSecondWave() {
    return Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 16)) + Chunk("data", QByteArray(8000, '\0')));
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class SoundTest : public QObject {
    Q_OBJECT

private slots:
    void parsesPlayablePcm();
    void countsOnlyTheSamplesPresent();
    void skipsOtherChunksWithTheirPadding();
    void refusesBrokenOrUnplayableFiles_data();
    void refusesBrokenOrUnplayableFiles();
    void returnsAtOnceWhenItCannotPlay();
    void playsAndWaitsNoLongerThanTheSound();
    void looksInTheProgramsFolderFirst();
};

void SoundTest::parsesPlayablePcm() {
    const auto format = ParseWaveHeader(HalfSecondWave());
    QVERIFY(format.has_value());
    QCOMPARE(format->Channels, 1);
    QCOMPARE(format->SampleRate, 8000);
    QCOMPARE(format->BitsPerSample, 16);
    QCOMPARE(format->DurationMs(), 500);
}

void SoundTest::countsOnlyTheSamplesPresent() {
    // The data chunk claims a minute but holds a quarter of a second (a writer that never
    // patched the size); half a sample frame at the end does not count.
    const QByteArray bytes = Riff(Chunk("fmt ", FormatBody(1, 2, 8000, 16)) +
                                  Chunk("data", QByteArray(8000 + 2, '\0'), 1920000));
    const auto format = ParseWaveHeader(bytes);
    QVERIFY(format.has_value());
    QCOMPARE(format->DataBytes, 8000);
    QCOMPARE(format->DurationMs(), 250);
}

void SoundTest::skipsOtherChunksWithTheirPadding() {
    const QByteArray bytes =
        Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 8)) + Chunk("LIST", QByteArray("odd", 3)) +
             Chunk("data", QByteArray(800, '\x80')));
    const auto format = ParseWaveHeader(bytes);
    QVERIFY(format.has_value());
    QCOMPARE(format->DurationMs(), 100);
}

void SoundTest::refusesBrokenOrUnplayableFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray fmt = Chunk("fmt ", FormatBody(1, 1, 8000, 16));
    const QByteArray data = Chunk("data", QByteArray(800, '\0'));
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("text") << QByteArray("this is not a sound at all, just some words");
    QTest::newRow("not WAVE") << QByteArray("RIFF") + Little32(12) + QByteArray("AVI ") + fmt;
    QTest::newRow("no fmt") << Riff(data);
    QTest::newRow("data before fmt") << Riff(data + fmt);
    QTest::newRow("no data") << Riff(fmt);
    QTest::newRow("empty data") << Riff(fmt + Chunk("data", QByteArray()));
    QTest::newRow("compressed") << Riff(Chunk("fmt ", FormatBody(2, 1, 8000, 16)) + data);
    QTest::newRow("no channels") << Riff(Chunk("fmt ", FormatBody(1, 0, 8000, 16)) + data);
    QTest::newRow("zero rate") << Riff(Chunk("fmt ", FormatBody(1, 1, 0, 16)) + data);
    QTest::newRow("12-bit") << Riff(Chunk("fmt ", FormatBody(1, 1, 8000, 12)) + data);
    QTest::newRow("short fmt") << Riff(Chunk("fmt ", QByteArray(8, '\1')) + data);
    QTest::newRow("chunk past the end")
        << Riff(fmt + Chunk("LIST", QByteArray(4, 'x'), 0x7FFFFFF0) + data);
    QTest::newRow("cut in the header") << HalfSecondWave().left(30);
}

void SoundTest::refusesBrokenOrUnplayableFiles() {
    QFETCH(QByteArray, bytes);
    QVERIFY(!ParseWaveHeader(bytes).has_value());
}

void SoundTest::returnsAtOnceWhenItCannotPlay() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString broken = folder.filePath(QStringLiteral("broken.wav"));
    WriteFile(broken, QByteArray("RIFF....WAVEjunk"));
    const QString unreadable = folder.filePath(QStringLiteral("unreadable.wav"));
    WriteFile(unreadable, HalfSecondWave());
    QFile::setPermissions(unreadable, QFileDevice::Permissions{});
    const QString good = folder.filePath(QStringLiteral("good.wav"));
    WriteFile(good, HalfSecondWave());

    QStringList silent = {folder.filePath(QStringLiteral("missing.wav")), broken, folder.path()};
    // Root reads any file whatever its permissions.
    if (!QFile(unreadable).open(QIODevice::ReadOnly)) {
        silent.append(unreadable);
    }
    // Without an audio output (as on the build machines) even a good file returns at once.
    if (QMediaDevices::audioOutputs().isEmpty()) {
        silent.append(good);
    }
    EffectSoundPlayer player;
    for (const QString& path : silent) {
        QElapsedTimer clock;
        clock.start();
        QVERIFY2(!player.Play(path), qPrintable(path));
        QVERIFY2(clock.elapsed() < 200, qPrintable(path));
    }
}

void SoundTest::playsAndWaitsNoLongerThanTheSound() {
    if (QMediaDevices::audioOutputs().isEmpty()) {
        QSKIP("no audio output on this machine");
    }
    QTemporaryDir folder;
    const QString good = folder.filePath(QStringLiteral("good.wav"));
    WriteFile(good, HalfSecondWave());
    EffectSoundPlayer player;
    QElapsedTimer clock;
    clock.start();
    player.Play(good);
    QVERIFY(clock.elapsed() <= 500 + EffectSoundPlayer::WaitMarginMs + 100);
}

void SoundTest::looksInTheProgramsFolderFirst() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral("probe-%1.wav").arg(QCoreApplication::applicationPid());
    const QString beside = programFolder.filePath(name);
    const QString dataFolder = programFolder.filePath(QStringLiteral("../share/quorrin"));
    const QString installed = QDir::cleanPath(dataFolder + QLatin1Char('/') + name);

    // In neither place: the program's own folder, so that playing it is quietly silent.
    QCOMPARE(SoundFilePath(name), QDir::toNativeSeparators(beside));

    QVERIFY(QDir().mkpath(dataFolder));
    WriteFile(installed, HalfSecondWave());
    QCOMPARE(SoundFilePath(name), QDir::toNativeSeparators(installed));

    WriteFile(beside, HalfSecondWave());
    QCOMPARE(SoundFilePath(name), QDir::toNativeSeparators(beside));

    QFile::remove(beside);
    QFile::remove(installed);
}

QTEST_MAIN(SoundTest)
#include "SoundTest.moc"
