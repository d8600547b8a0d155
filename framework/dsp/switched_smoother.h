// An envelope step for a detector whose input turns often, such as an RMS level: a one-pole
// smoother whose weights switch as its input turns. It takes the rising weights when the input
// rises above the envelope, the falling ones when the input does not rise and the envelope is at
// or above it, and otherwise keeps the weights it had, which may come from earlier settings.
//
// The choice is made with masks, not jumps: an input that turns often would cost a mispredicted
// jump per turn, each waiting for the comparison behind it. Once the weights are one of the two
// pairs, the envelope under each pair is computed side by side and the active pair's is kept, so
// the chain from frame to frame is a product, a sum and a selection; which pair is active is a
// mask off that chain (see step). Every value sits in both lanes of an SSE2 vector, which makes
// each comparison a whole mask; the arithmetic is that of TimeConstantPair::apply, bit for bit.
#pragma once

#include <cstdint>

#include "time_constant_pair.h"

typedef double SmootherLanes __attribute__((vector_size(16)));
typedef std::int64_t SmootherMask __attribute__((vector_size(16)));

inline SmootherLanes bothLanes(double x) { return SmootherLanes{x, x}; }

// How one of two values is picked by a mask. Bit operations, not a vector conditional: SSE2 has
// no compare of 64-bit integers, which a conditional on a computed mask would need.
struct ChooseByBits {
  static SmootherLanes choose(SmootherMask mask, SmootherLanes ifSet, SmootherLanes ifClear) {
    return (SmootherLanes)(((SmootherMask)ifSet & mask) | ((SmootherMask)ifClear & ~mask));
  }
};
// A blend on the mask's sign bits, for code compiled for AVX: one instruction. Only ever
// inlined into such code.
struct ChooseByConditional {
  __attribute__((always_inline)) static SmootherLanes choose(SmootherMask mask, SmootherLanes ifSet,
                                                             SmootherLanes ifClear) {
    return mask < 0 ? ifSet : ifClear;
  }
};

template <class Choice> class SwitchedSmoother {
public:
  SwitchedSmoother(const TimeConstantPair &rising, const TimeConstantPair &falling,
                   const TimeConstantPair &active, double envelope)
      : risingInput(bothLanes(rising.input)), risingState(bothLanes(rising.state)),
        fallingInput(bothLanes(falling.input)), fallingState(bothLanes(falling.state)),
        otherWeights(active), level(bothLanes(envelope)) {
    if (same(active, rising))
      settle(allOnes());
    else if (same(active, falling))
      settle(SmootherMask{});
  }

  // Whether the weights are one of the two pairs; until the first turn they may be other ones,
  // and only stepFromOtherWeights may run.
  bool settled() const { return isSettled; }

  // One frame: the input now and the one before it. Neither may be NaN, nor the envelope.
  __attribute__((always_inline)) double step(SmootherLanes input, SmootherLanes previous) {
    const SmootherMask rises = input > previous;
    const SmootherMask below = level < input;
    // Rising and below is a turn to the rising pair, not rising and not below one to the
    // falling pair; anything else keeps. Taken together: the majority of the three.
    risingActive = (risingActive & below) | ((risingActive | below) & rises);
    const SmootherLanes underRising = risingInput * input + risingState * level;
    const SmootherLanes underFalling = fallingInput * input + fallingState * level;
    level = Choice::choose(risingActive, underRising, underFalling);
    return level[0];
  }

  // step while the weights are neither pair, until the first turn settles them.
  double stepFromOtherWeights(SmootherLanes input, SmootherLanes previous) {
    const double in = input[0];
    const double now = level[0];
    const bool rises = in > previous[0];
    if (rises && now < in) {
      settle(allOnes());
      return step(input, previous);
    }
    if (!rises && now >= in) {
      settle(SmootherMask{});
      return step(input, previous);
    }
    level = bothLanes(otherWeights.apply(in, now));
    return level[0];
  }

  double envelope() const { return level[0]; }
  TimeConstantPair activePair() const {
    if (!isSettled)
      return otherWeights;
    if (risingActive[0])
      return {risingInput[0], risingState[0]};
    return {fallingInput[0], fallingState[0]};
  }

private:
  static SmootherMask allOnes() { return SmootherMask{-1, -1}; }
  // Bit for bit, so that a pair equal to one of the two takes exactly its place.
  static bool same(const TimeConstantPair &a, const TimeConstantPair &b) {
    return __builtin_memcmp(&a, &b, sizeof a) == 0;
  }
  void settle(SmootherMask rising) {
    risingActive = rising;
    isSettled = true;
  }

  SmootherLanes risingInput, risingState, fallingInput, fallingState;
  TimeConstantPair otherWeights;
  SmootherLanes level;
  SmootherMask risingActive{};
  bool isSettled = false;
};
