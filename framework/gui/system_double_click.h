// The system's double-click time in milliseconds (a common default where there is no system).
#pragma once

#include <cstdint>

std::int32_t systemDoubleClickTime();
