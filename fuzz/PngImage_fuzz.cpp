// The PNG decoder on any bytes: a clean refusal, or pixels matching the size.
#include <cstdlib>
#include <string>

#include "gfx/PngImage.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  orb::PngImage image;
  std::string error;
  if (image.decode(data, size, error)) {
    if (image.width <= 0 || image.height <= 0) std::abort();
    if (image.pixels.size() != image.rowBytes() * static_cast<std::size_t>(image.height)) std::abort();
  } else if (error.empty() || !image.empty()) {
    std::abort();
  }
  return 0;
}
