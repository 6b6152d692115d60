// Generates Quorrin's two sound files, "click.wav" and "win.wav".
//
//   make_sounds <assets-dir>           write both files, then check them
//   make_sounds --check <assets-dir>   only check the files already there
//
// Output is deterministic: the noise has a fixed seed.
#include "Synthesis.h"
#include "WaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

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
    std::string error;
    const auto wave = ReadWave(file, error);
    auto fail = [&](const std::string& what) {
        std::fprintf(stderr, "make_sounds: %s: %s\n", file.string().c_str(), what.c_str());
        return false;
    };
    if (!wave) {
        return fail(error);
    }
    if (wave->channels != 1 || wave->sampleRate != SampleRate || wave->bitsPerSample != 16) {
        return fail("not 16-bit mono at 44100 Hz");
    }
    const double seconds = double(wave->samples.size()) / SampleRate;
    if (seconds < expected.minSeconds || seconds > expected.maxSeconds) {
        return fail("length " + std::to_string(seconds) + " s is out of range");
    }
    double peak = 0;
    double sum = 0;
    for (std::int16_t sample : wave->samples) {
        peak = std::max(peak, std::abs(sample / 32768.0));
        sum += sample / 32768.0;
    }
    const double peakDecibels = 20.0 * std::log10(std::max(peak, 1e-9));
    const double mean = sum / double(wave->samples.size());
    if (std::abs(peakDecibels - PeakDecibels) > 0.5) {
        return fail("peak " + std::to_string(peakDecibels) + " dBFS is off target");
    }
    if (std::abs(mean) > 0.001) {
        return fail("DC offset " + std::to_string(mean));
    }
    const std::size_t lastMillisecond = SampleRate / 1000;
    const auto tailBegin = wave->samples.end() - static_cast<std::ptrdiff_t>(lastMillisecond);
    const bool quietEnd = std::all_of(tailBegin, wave->samples.end(),
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
    if (!WriteWave(folder / Click.fileName, click) || !WriteWave(folder / Chime.fileName, chime)) {
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
