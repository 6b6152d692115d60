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

QByteArray Le(quint32 value, int bytes) {
    QByteArray out(4, '\0');
    qToLittleEndian(value, out.data());
    return out.left(bytes);
}

QByteArray Chunk(const char* tag, const QByteArray& body, quint32 claimedSize = 0) {
    const QByteArray padding(body.size() % 2, '\0');
    return QByteArray(tag, 4) + Le(claimedSize != 0 ? claimedSize : body.size(), 4) + body +
           padding;
}

QByteArray Fmt(int encoding, int channels, int rate, int bits) {
    const int block = channels * bits / 8;
    return Chunk("fmt ", Le(encoding, 2) + Le(channels, 2) + Le(rate, 4) + Le(rate * block, 4) +
                             Le(block, 2) + Le(bits, 2));
}

QByteArray Riff(const QByteArray& chunks) {
    return "RIFF" + Le(4 + chunks.size(), 4) + "WAVE" + chunks;
}

// 16-bit mono silence at 8000 Hz, in half seconds.
QByteArray SilentWave(int halfSeconds) {
    return Riff(Fmt(1, 1, 8000, 16) + Chunk("data", QByteArray(8000 * halfSeconds, '\0')));
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
    void measuresPlayablePcm();
    void refusesBrokenOrUnplayableFiles_data();
    void refusesBrokenOrUnplayableFiles();
    void returnsAtOnceWhenItCannotPlay();
    void looksInTheProgramsFolderFirst();
};

void SoundTest::measuresPlayablePcm() {
    QCOMPARE(ParseWaveHeader(SilentWave(1))->DurationMs(), 500);
    // Other chunks are skipped with their padding byte.
    const QByteArray listed =
        Riff(Fmt(1, 1, 8000, 8) + Chunk("LIST", "odd") + Chunk("data", QByteArray(800, '\x80')));
    QCOMPARE(ParseWaveHeader(listed)->DurationMs(), 100);
    // A data size never patched by its writer: only the whole frames present count.
    const QByteArray unpatched =
        Riff(Fmt(1, 2, 8000, 16) + Chunk("data", QByteArray(8002, '\0'), 1920000));
    QCOMPARE(ParseWaveHeader(unpatched)->DataBytes, 8000);
}

void SoundTest::refusesBrokenOrUnplayableFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray data = Chunk("data", QByteArray(800, '\0'));
    QTest::newRow("text") << QByteArray("not a sound at all, just some words");
    QTest::newRow("data before fmt") << Riff(data + Fmt(1, 1, 8000, 16));
    QTest::newRow("compressed") << Riff(Fmt(2, 1, 8000, 16) + data);
    QTest::newRow("12-bit") << Riff(Fmt(1, 1, 8000, 12) + data);
    QTest::newRow("chunk past the end")
        << Riff(Fmt(1, 1, 8000, 16) + Chunk("LIST", "abcd", 0x7FFFFFF0) + data);
    QTest::newRow("cut short") << SilentWave(1).left(30);
}

void SoundTest::refusesBrokenOrUnplayableFiles() {
    QFETCH(QByteArray, bytes);
    QVERIFY(!ParseWaveHeader(bytes).has_value());
}

void SoundTest::returnsAtOnceWhenItCannotPlay() {
    QTemporaryDir folder;
    const QString broken = folder.filePath(QStringLiteral("broken.wav"));
    WriteFile(broken, "RIFF....WAVEjunk");
    QStringList paths = {folder.filePath(QStringLiteral("missing.wav")), broken, folder.path()};
    // Without an audio output (as on the build machines) even a good file returns at once:
    // three seconds long, so that returning well before shows nothing waited for it.
    if (QMediaDevices::audioOutputs().isEmpty()) {
        paths.append(folder.filePath(QStringLiteral("good.wav")));
        WriteFile(paths.last(), SilentWave(6));
    }
    EffectSoundPlayer player;
    for (const QString& path : paths) {
        QElapsedTimer clock;
        clock.start();
        QVERIFY2(!player.Play(path), qPrintable(path));
        QVERIFY2(clock.elapsed() < 1000, qPrintable(path));
    }
}

void SoundTest::looksInTheProgramsFolderFirst() {
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString name = QStringLiteral("probe-%1.wav").arg(QCoreApplication::applicationPid());
    const QString beside = programFolder.filePath(name);
    const QString installed = QDir::cleanPath(programFolder.filePath("../share/quorrin/" + name));

    // In neither place: the program's own folder, where playing fails quietly.
    QCOMPARE(SoundFilePath(name), QDir::toNativeSeparators(beside));
    QVERIFY(QDir().mkpath(QFileInfo(installed).path()));
    WriteFile(installed, SilentWave(1));
    QCOMPARE(SoundFilePath(name), QDir::toNativeSeparators(installed));
    WriteFile(beside, SilentWave(1));
    QCOMPARE(SoundFilePath(name), QDir::toNativeSeparators(beside));
    QFile::remove(beside);
    QFile::remove(installed);
}

QTEST_MAIN(SoundTest)
#include "SoundTest.moc"
