// The benchmark: renders from memory several times and prints the cost per stereo frame, overall
// and split into blocks with input and blocks of silent input (where denormals would show).
// Figures only, no verdict.
#pragma once

#include <cstdint>
#include <cstdio>

#include "recording_host.h"
#include "stereo_render.h"
#include "wav_file.h"

// 10 s of the example loop at 44100 Hz followed by a minute of silence.
WavAudio benchMaterial();

// The effect is prepared and resumed; every run starts from a fresh suspend and resume.
void runBench(HostedEffect &effect, const StereoBuffer &input, std::uint32_t sampleRate,
              int blockSize, int runs, std::FILE *out);
