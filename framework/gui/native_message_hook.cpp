#include "native_message_hook.h"

#include "frame.h"

bool forwardNativeMessage(Frame *frame, std::uint32_t message, std::uintptr_t wParam,
                          std::intptr_t lParam, std::intptr_t &result) {
  if (!frame)
    return false;
  auto *handler = dynamic_cast<NativeMessageHandler *>(frame->getFocusView());
  return handler && handler->handleNativeMessage(message, wParam, lParam, result);
}
