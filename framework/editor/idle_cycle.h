// The timing rule of the throttled idle cycle, apart from the clock so it can be tested exactly.
#pragma once

#include <cstdint>

struct IdleCycleDecision {
  bool sleepFirst;   // called early: sleep 4 ms before deciding
  bool runCycle;     // do the cycle's work now
  std::uint32_t now; // the time the cycle counts from (after the sleep, when there was one)
};

// Ticks wrap after about 49.7 days: compares by signed difference, so one interval around the
// wrap is judged like any other.
IdleCycleDecision decideIdleCycle(std::uint32_t now, std::uint32_t nextIdleTicks);

constexpr std::uint32_t kIdleCycleSleep = 4;
constexpr std::uint32_t kIdleCycleInterval = 100;
constexpr std::uint32_t kIdleCycleEarlyWindow = 50;
