// The fader's handle travel and the mapping between handle position and value, apart from any
// window so the rules are tested natively. Positions are along the travel axis, in the control's
// own coordinates.
#pragma once

#include <cstdint>

enum FaderStyle : std::int32_t {
  kFaderHorizontal = 1,
  kFaderVertical = 2,
  kFaderMinimumLeft = 8,
  kFaderMinimumRight = 16,
  kFaderMinimumTop = 32,
  kFaderMinimumBottom = 64,
};

struct FaderTravel {
  std::int32_t start = 0;      // handle coordinate at one end
  std::int32_t range = 0;      // distance the handle moves
  std::int32_t handleSize = 1; // the handle's extent along the axis

  // Where the handle's leading edge is drawn for a value; drawing counts from the start only
  // when the style puts the minimum there (8 or 32), otherwise from the far end.
  std::int32_t handlePosition(float value, std::int32_t style) const;
  // The value for a mouse position, `grab` pixels behind the handle's leading edge; dragging
  // reads the inverting bits (16 or 64). Not clamped.
  float valueAt(std::int32_t position, std::int32_t grab, std::int32_t style) const;
  // Whether a position lies on the handle drawn for `value`.
  bool onHandle(std::int32_t position, float value, std::int32_t style) const;
};

// The fine drag with shift held: the movement since shift went down counts 1/zoom. The reference
// is taken again every time shift is pressed.
class FaderZoom {
public:
  float apply(float rawValue, float currentValue, bool shiftHeld, float zoomFactor);

private:
  bool shiftWasHeld = false;
  float referenceRaw = 0.0f;
  float referenceValue = 0.0f;
};
