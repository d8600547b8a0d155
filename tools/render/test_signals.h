// Example and test material for the plug-ins, generated rather than shipped. Every signal is the
// same to the bit on every target and at every call, and its samples already lie on the sample
// grid of its file format, so writing and reading it back changes nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "wav_file.h"

struct NamedSignal {
  std::string fileName;
  WavAudio audio;
};

// A stereo drum-and-bass loop at 174 BPM (PCM 24): two-step kicks and snares, slightly panned hats
// and a sub bass line, in sections of different level so that a compressor and a limiter have
// something to do. The loudest peak is -1 dBFS.
WavAudio drumAndBassLoop(std::uint32_t sampleRate, double seconds = 16.0);

// The loop's sections, in order: a quiet intro (drums at -12 dB, no bass), the drop (everything at
// full level), a break (bass and hats at -7 dB) and the drop again. Boundaries fall on whole bars
// at about 1/4, 5/8 and 13/16 of the length; sections too short for a bar are left out.
struct LoopSection {
  std::string name;
  double startSeconds;
  double endSeconds;
};
std::vector<LoopSection> drumAndBassSections(double seconds = 16.0);

// A logarithmic sine sweep (mono, float 32) from 20 Hz to 20 kHz, or to 95 % of the Nyquist
// frequency at low sample rates, with a peak of -6 dBFS and 20 ms raised-cosine fades at both ends.
WavAudio sineSweep(std::uint32_t sampleRate, double seconds = 10.0);

// A 1 kHz tone (mono, PCM 16) in equally long steps at these levels: the sine's peak in dBFS,
// which is also its RMS level on the scale where a full-scale sine reads 0 dB. The level jumps at
// the step boundaries, so a dynamics processor's attack and release show.
inline constexpr double kStepToneLevelsDb[] = {-40.0, -20.0, -10.0, -3.0, -20.0, -40.0};
WavAudio stepTone(std::uint32_t sampleRate, double seconds = 10.0);

// "drum-and-bass.wav", "sine-sweep.wav" and "step-tone.wav" at their default lengths.
std::vector<NamedSignal> exampleMaterial(std::uint32_t sampleRate = 44100);
