#pragma once

#include "canvas.h"

#include <string>

// 24-bit uncompressed bitmap with the plain 40-byte info header, bottom-up rows padded to four
// bytes: the form that the system's resource bitmap loader takes without conversion.
std::vector<std::uint8_t> encodeBmp(const Canvas &image);
bool writeBmp(const std::string &path, const Canvas &image);
