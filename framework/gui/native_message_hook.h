// Some controls own a native child window or popup menu whose messages reach the frame's window
// (edit colours, owner-drawn menu items). While such a control is the frame's focus view, the
// frame's window procedure hands those messages to it through this.
#pragma once

#include <cstdint>

class Frame;

class NativeMessageHandler {
public:
  virtual ~NativeMessageHandler() = default;
  // True when handled; `result` is then what the window procedure answers.
  virtual bool handleNativeMessage(std::uint32_t message, std::uintptr_t wParam,
                                   std::intptr_t lParam, std::intptr_t &result) = 0;
};

// For the frame's window procedure: offers the message to the focus view. False when there is
// none or it does not take such messages.
bool forwardNativeMessage(Frame *frame, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam, std::intptr_t &result);
