#include "Synthesis.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace quorrin::sounds {

namespace {

constexpr double TwoPi = 2.0 * std::numbers::pi;

std::size_t SamplesFor(double seconds) {
    return static_cast<std::size_t>(std::lround(seconds * SampleRate));
}

double TimeOf(std::size_t index) {
    return static_cast<double>(index) / SampleRate;
}

// A two-pole band-pass filter with unit gain at its centre frequency.
class Resonator {
public:
    Resonator(double frequency, double quality) {
        const double omega = TwoPi * frequency / SampleRate;
        const double alpha = std::sin(omega) / (2.0 * quality);
        const double norm = 1.0 + alpha;
        b0 = alpha / norm;
        a1 = -2.0 * std::cos(omega) / norm;
        a2 = (1.0 - alpha) / norm;
    }

    double Step(double input) {
        // b1 is zero and b2 is -b0 for this band-pass form.
        const double output = b0 * (input - x2) - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = input;
        y2 = y1;
        y1 = output;
        return output;
    }

private:
    double b0 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// White noise in [-1, 1]. The engine's output sequence is fixed by the standard for a given
// seed, and the scaling here is our own, so the noise is the same on every platform.
class Noise {
public:
    explicit Noise(unsigned seed) : engine_(seed) {}
    double Next() { return engine_() / double(std::mt19937::max()) * 2.0 - 1.0; }

private:
    std::mt19937 engine_;
};

struct Mode {
    double frequency;
    double quality;
    double gain;
};

} // namespace

std::vector<double> WoodenClick() {
    constexpr double Length = 0.065;
    constexpr unsigned Seed = 20261206;
    // Resonances of a hollow wooden board and of the piece; damped (low quality) like wood.
    const Mode modes[] = {{700, 22, 1.0}, {1550, 28, 0.6}, {2900, 24, 0.35}, {4500, 16, 0.2}};

    std::vector<Resonator> resonators;
    for (const Mode& mode : modes) {
        resonators.emplace_back(mode.frequency, mode.quality);
    }
    Noise noise(Seed);
    std::vector<double> samples(SamplesFor(Length));
    double thudPhase = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = TimeOf(i);
        // The strike: a burst of noise lasting a millisecond or two.
        const double strike = noise.Next() * std::exp(-t / 0.0012);
        double wood = 0;
        for (std::size_t m = 0; m < resonators.size(); ++m) {
            wood += modes[m].gain * resonators[m].Step(strike);
        }
        // The thud: a low tone falling from 160 to 95 Hz, with a soft start and quick decay.
        const double thudFrequency = 95.0 + 65.0 * std::exp(-t / 0.010);
        thudPhase += TwoPi * thudFrequency / SampleRate;
        const double thudLevel = (1.0 - std::exp(-t / 0.0008)) * std::exp(-t / 0.013);
        samples[i] = 3.5 * wood + 0.25 * strike + 0.45 * thudLevel * std::sin(thudPhase);
    }
    return samples;
}

std::vector<double> VictoryChime() {
    constexpr double Length = 1.4;
    struct Note {
        double onset;
        double frequency;
        double level;
        double decay;
    };
    // C5, E5, G5, C6: each rings on under the next; the last one rings longest.
    const Note notes[] = {{0.00, 523.25, 0.80, 0.30},
                          {0.11, 659.26, 0.85, 0.30},
                          {0.22, 783.99, 0.90, 0.30},
                          {0.33, 1046.50, 1.00, 0.36}};
    // Partials of a small bell: ratio to the fundamental and relative level. Higher partials
    // die away sooner, which gives the bright strike and the mellow tail.
    const double ratios[] = {1.0, 2.0, 3.0, 4.07};
    const double levels[] = {1.0, 0.32, 0.12, 0.06};

    std::vector<double> samples(SamplesFor(Length), 0.0);
    for (const Note& note : notes) {
        for (std::size_t i = SamplesFor(note.onset); i < samples.size(); ++i) {
            const double t = TimeOf(i) - note.onset;
            const double attack =
                t < 0.003 ? 0.5 - 0.5 * std::cos(std::numbers::pi * t / 0.003) : 1.0;
            double tone = 0;
            for (std::size_t p = 0; p < std::size(ratios); ++p) {
                const double decay = note.decay / std::pow(ratios[p], 0.8);
                tone += levels[p] * std::exp(-t / decay) *
                        std::sin(TwoPi * note.frequency * ratios[p] * t);
            }
            samples[i] += note.level * attack * tone;
        }
    }
    return samples;
}

void Finish(std::vector<double>& samples, double fadeSeconds) {
    if (samples.empty()) {
        return;
    }
    // A one-pole high-pass at about 20 Hz removes any slow drift, then the remaining mean.
    const double pole = std::exp(-TwoPi * 20.0 / SampleRate);
    double previousIn = 0;
    double previousOut = 0;
    for (double& sample : samples) {
        const double out = sample - previousIn + pole * previousOut;
        previousIn = sample;
        previousOut = out;
        sample = out;
    }
    double mean = 0;
    for (double sample : samples) {
        mean += sample;
    }
    mean /= static_cast<double>(samples.size());

    const std::size_t fade = std::min(samples.size(), SamplesFor(fadeSeconds));
    const std::size_t fadeStart = samples.size() - fade;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] -= mean;
        if (i >= fadeStart) {
            // Half a cosine from 1 down to exactly 0 at the last sample.
            const double progress = fade > 1 ? double(i - fadeStart) / double(fade - 1) : 1.0;
            samples[i] *= 0.5 + 0.5 * std::cos(std::numbers::pi * progress);
        }
    }

    double peak = 0;
    for (double sample : samples) {
        peak = std::max(peak, std::abs(sample));
    }
    if (peak > 0) {
        const double gain = std::pow(10.0, PeakDecibels / 20.0) / peak;
        for (double& sample : samples) {
            sample *= gain;
        }
    }
}

} // namespace quorrin::sounds
