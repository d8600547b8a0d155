// The limiter's eight programs: named parameter sets the host switches between.
#pragma once

#include <array>

#include "effect/program_names.h"
#include "limiter_parameters.h"

using LimiterProgram = Program<LimiterParameters>;

constexpr int kLimiterProgramCount = 8;
using LimiterProgramBank = std::array<LimiterProgram, kLimiterProgramCount>;

LimiterProgramBank factoryLimiterPrograms();
