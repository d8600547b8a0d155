// The compressor's eight programs: named parameter sets the host switches between.
#pragma once

#include <array>

#include "compressor_parameters.h"
#include "effect/program_names.h"

using CompressorProgram = Program<CompressorParameters>;

constexpr int kCompressorProgramCount = 8;
using CompressorProgramBank = std::array<CompressorProgram, kCompressorProgramCount>;

CompressorProgramBank factoryCompressorPrograms();
