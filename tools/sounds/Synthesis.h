// The two sounds of the game, synthesised from first principles.
#pragma once

#include <vector>

namespace quorrin::sounds {

// Sample rate of both sounds, in Hz.
constexpr int SampleRate = 44100;

// Target peak level of both sounds, in dB relative to full scale.
constexpr double PeakDecibels = -3.0;

// A piece set down on a wooden board: a damped noise crack through a few wooden body
// resonances over a short low thud. About 65 ms, samples in [-1, 1].
std::vector<double> WoodenClick();

// A rising C major arpeggio of bell-like tones that rings out. About 1.4 s.
std::vector<double> VictoryChime();

// Makes raw samples ready to ship: blocks any DC, scales the peak to PeakDecibels and fades
// the last `fadeSeconds` to silence so the sound ends without a click.
void Finish(std::vector<double>& samples, double fadeSeconds);

} // namespace quorrin::sounds
