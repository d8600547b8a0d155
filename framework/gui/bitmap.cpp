#include "bitmap.h"

bool Bitmap::allowSystemTransparentBlit = true;

void Bitmap::release() {
  if (references <= 0)
    return;
  if (--references == 0)
    delete this;
}
