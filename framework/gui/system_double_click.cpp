#include "system_double_click.h"

#ifdef _WIN32
#include <windows.h>
#endif

std::int32_t systemDoubleClickTime() {
#ifdef _WIN32
  return static_cast<std::int32_t>(GetDoubleClickTime());
#else
  return 500;
#endif
}
