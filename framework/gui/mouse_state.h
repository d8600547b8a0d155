// How the physical keys and buttons that are down turn into the contexts' button bits.
#pragma once

#include <cstdint>

struct PhysicalInput {
  bool leftButton = false;
  bool middleButton = false;
  bool rightButton = false;
  bool shift = false;
  bool control = false;
  bool alt = false;
};

// With swapped buttons the physical left button acts as the right one and vice versa.
std::int32_t mouseButtonBits(const PhysicalInput &input, bool buttonsSwapped);
