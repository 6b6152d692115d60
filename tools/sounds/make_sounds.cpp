// Generates Quorrin's two sound files, "click.wav" and "win.wav".
//
//   make_sounds <assets-dir>           write both files, then check them
//   make_sounds --check <assets-dir>   only check the files already there
//
// Output is deterministic: the noise has a fixed seed.
#include "Synthesis.h"
#include "app/audio/WaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

using namespace quorrin;
using namespace quorrin::sounds;

namespace {

struct ExpectedSound {
    const char* fileName;
    double minSeconds;
    double maxSeconds;
};

constexpr ExpectedSound Click{"click.wav", 0.040, 0.080};
constexpr ExpectedSound Chime{"win.wav", 0.8, 1.5};

// Checks a written file against what the game expects of it; prints a line of figures, or
// the fault. The peak may be half a decibel either side of the target, the mean must be
// close to zero, and the last millisecond must be nearly silent.
bool CheckSound(const std::filesystem::path& folder, const ExpectedSound& expected) {
    const std::filesystem::path file = folder / expected.fileName;
    auto fail = [&](const std::string& what) {
        std::fprintf(stderr, "make_sounds: %s: %s\n", file.string().c_str(), what.c_str());
        return false;
    };
    const std::optional<wave::Bytes> bytes = wave::ReadFile(file);
    if (!bytes) {
        return fail("cannot read the file");
    }
    const wave::WaveReading reading = wave::ParseWave(*bytes);
    if (!reading) {
        return fail(reading.Failure);
    }
    const wave::WaveFormat& format = *reading.Format;
    if (format.RiffSize != bytes->size() - 8) {
        return fail("the RIFF size does not match the file size");
    }
    if (format.Encoding != wave::PcmEncoding || format.Channels != 1 ||
        format.SampleRate != SampleRate || format.BitsPerSample != 16) {
        return fail("not 16-bit mono PCM at 44100 Hz");
    }
    const std::vector<std::int16_t> samples = wave::Samples16(*bytes, format);
    const double seconds = double(samples.size()) / SampleRate;
    if (seconds < expected.minSeconds || seconds > expected.maxSeconds) {
        return fail("length " + std::to_string(seconds) + " s is out of range");
    }
    double peak = 0;
    double sum = 0;
    for (std::int16_t sample : samples) {
        peak = std::max(peak, std::abs(sample / 32768.0));
        sum += sample / 32768.0;
    }
    const double peakDecibels = 20.0 * std::log10(std::max(peak, 1e-9));
    const double mean = sum / double(samples.size());
    if (std::abs(peakDecibels - PeakDecibels) > 0.5) {
        return fail("peak " + std::to_string(peakDecibels) + " dBFS is off target");
    }
    if (std::abs(mean) > 0.001) {
        return fail("DC offset " + std::to_string(mean));
    }
    const std::size_t lastMillisecond = SampleRate / 1000;
    const auto tailBegin = samples.end() - static_cast<std::ptrdiff_t>(lastMillisecond);
    const bool quietEnd = std::all_of(tailBegin, samples.end(),
                                      [](std::int16_t sample) { return std::abs(sample) < 330; });
    if (!quietEnd) {
        return fail("the sound does not fade out at its end");
    }
    std::printf("%s: %.3f s, peak %.2f dBFS, mean %.6f\n", file.string().c_str(), seconds,
                peakDecibels, mean);
    return true;
}

bool Generate(const std::filesystem::path& folder) {
    std::vector<double> click = WoodenClick();
    Finish(click, 0.002);
    std::vector<double> chime = VictoryChime();
    Finish(chime, 0.12);
    if (!wave::WriteFile(folder / Click.fileName, wave::Pcm16Mono(SampleRate, click)) ||
        !wave::WriteFile(folder / Chime.fileName, wave::Pcm16Mono(SampleRate, chime))) {
        std::fprintf(stderr, "make_sounds: cannot write into %s\n", folder.string().c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const bool checkOnly = argc == 3 && std::string_view(argv[1]) == "--check";
    if (argc != 2 && !checkOnly) {
        std::fprintf(stderr, "usage: make_sounds [--check] <assets-dir>\n");
        return 2;
    }
    const std::filesystem::path folder = argv[argc - 1];
    if (!checkOnly && !Generate(folder)) {
        return 1;
    }
    const bool clickOk = CheckSound(folder, Click);
    const bool chimeOk = CheckSound(folder, Chime);
    return clickOk && chimeOk ? 0 : 1;
}
