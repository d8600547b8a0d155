// The instruments of the drum-and-bass loop. Each adds one hit or note to interleaved stereo audio
// from frame `start` on and stops at the end of the audio; the arrangement decides when and how
// loud. The seed gives every hit its own noise, the same on every run.
#pragma once

#include <cstddef>
#include <cstdint>

#include "wav_file.h"

// A sine whose pitch drops fast, with a short noise click and some drive.
void addKick(WavAudio &mix, std::size_t start, double level, std::uint64_t seed);
// A high-passed noise burst, a little wide, over a two-tone body.
void addSnare(WavAudio &mix, std::size_t start, double level, std::uint64_t seed);
// A short burst of high-passed noise; pan runs from -1 (left) to 1 (right).
void addHat(WavAudio &mix, std::size_t start, double level, double pan, std::uint64_t seed);
// A sub sine with a few saw harmonics over it, faded in and out within `length` frames.
void addBassNote(WavAudio &mix, std::size_t start, std::size_t length, double frequency,
                 double level);
