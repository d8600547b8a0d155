#include "idle_cycle.h"

namespace {

// True when `a` comes before `b` on the wrapping tick clock.
bool before(std::uint32_t a, std::uint32_t b) { return static_cast<std::int32_t>(a - b) < 0; }

} // namespace

IdleCycleDecision decideIdleCycle(std::uint32_t now, std::uint32_t nextIdleTicks) {
  if (!before(now, nextIdleTicks))
    return {false, true, now};
  now += kIdleCycleSleep;
  return {true, !before(now, nextIdleTicks - kIdleCycleEarlyWindow), now};
}
