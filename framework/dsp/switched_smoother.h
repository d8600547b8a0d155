// An envelope step for a detector whose input turns often, such as an RMS level: a one-pole
// smoother whose weights switch as its input turns. It takes the rising weights when the input
// rises above the envelope, the falling ones when the input does not rise and the envelope is at or
// above it, and otherwise keeps the weights it had, which may come from earlier settings.
//
// The choice is made with masks, not jumps: an input that turns often would cost a mispredicted
// jump per turn, each waiting for the comparison behind it. Both candidates of the envelope are
// computed and one is kept, so the chain from frame to frame is a product, a sum and a selection.
// Every value sits in both lanes of an SSE2 vector, which makes each comparison a whole mask; the
// arithmetic is that of TimeConstantPair::apply, bit for bit.
#pragma once

#include <cstdint>

#include "time_constant_pair.h"

typedef double SmootherLanes __attribute__((vector_size(16)));
typedef std::uint64_t SmootherMask __attribute__((vector_size(16)));

inline SmootherLanes bothLanes(double x) { return SmootherLanes{x, x}; }

// How one of two values is picked by a mask. Bit operations, not a vector conditional: SSE2 has
// no compare of 64-bit integers, which a conditional on a computed mask would need.
struct ChooseByBits {
  static SmootherLanes choose(SmootherMask mask, SmootherLanes ifSet, SmootherLanes ifClear) {
    return (SmootherLanes)(((SmootherMask)ifSet & mask) | ((SmootherMask)ifClear & ~mask));
  }
};
// A vector conditional, for code compiled for AVX, where it becomes a blend instruction.
struct ChooseByConditional {
  static SmootherLanes choose(SmootherMask mask, SmootherLanes ifSet, SmootherLanes ifClear) {
    return mask ? ifSet : ifClear;
  }
};

// The weights in lanes.
struct SmootherWeights {
  SmootherLanes input, state;

  static SmootherWeights of(const TimeConstantPair &pair) {
    return {bothLanes(pair.input), bothLanes(pair.state)};
  }
  TimeConstantPair pair() const { return {input[0], state[0]}; }
};

template <class Choice> class SwitchedSmoother {
public:
  SwitchedSmoother(const TimeConstantPair &active, double envelope)
      : weights(SmootherWeights::of(active)), level(bothLanes(envelope)) {}

  // One frame: the input now and the one before it. Neither may be NaN, nor the envelope.
  __attribute__((always_inline)) double step(SmootherLanes input, SmootherLanes previous,
                                             const SmootherWeights &rising,
                                             const SmootherWeights &falling) {
    const SmootherMask rises = (SmootherMask)(input > previous);
    const SmootherWeights turn = {choose(rises, rising.input, falling.input),
                                  choose(rises, rising.state, falling.state)};
    // Rising and below, or not rising and not below, is a turn; anything else keeps.
    const SmootherMask keep = rises ^ (SmootherMask)(level < input);
    const SmootherLanes kept = weights.input * input + weights.state * level;
    const SmootherLanes turned = turn.input * input + turn.state * level;
    level = choose(keep, kept, turned);
    weights = {choose(keep, weights.input, turn.input), choose(keep, weights.state, turn.state)};
    return level[0];
  }

  double envelope() const { return level[0]; }
  TimeConstantPair activePair() const { return weights.pair(); }

private:
  static SmootherLanes choose(SmootherMask mask, SmootherLanes ifSet, SmootherLanes ifClear) {
    return Choice::choose(mask, ifSet, ifClear);
  }

  SmootherWeights weights;
  SmootherLanes level;
};
