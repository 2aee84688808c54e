#include "gfx/FlatCentre.h"

#include <algorithm>
#include <cstring>

#include "gfx/PngImage.h"

namespace orb {
namespace {

constexpr std::size_t kTexel = 4;

// The first index from which count texels, stride bytes apart, all equal the last.
int constantFrom(const unsigned char* first, int count, std::size_t stride) {
  const unsigned char* last = first + static_cast<std::size_t>(count - 1) * stride;
  int i = count - 1;
  while (i > 0 && std::memcmp(first + static_cast<std::size_t>(i - 1) * stride, last, kTexel) == 0) --i;
  return i;
}

}  // namespace

FlatCentre FlatCentre::measure(const PngImage& image) {
  FlatCentre flat;
  if (image.format != PngImage::kRgba || image.width < 2 || image.height < 2) return flat;
  const std::size_t row = image.rowBytes();
  const unsigned char* pixels = image.pixels.data();
  // A photograph fails on its first rows; stop as soon as the margin covers
  // half the image, since a box never gets a flat centre from it then.
  const int limit = std::min(image.width, image.height) / 2;
  int margin = 0;
  for (int y = 0; y < image.height && margin < limit; ++y) {
    margin = std::max(margin, constantFrom(pixels + static_cast<std::size_t>(y) * row, image.width, kTexel));
  }
  for (int x = 0; x < image.width && margin < limit; ++x) {
    margin = std::max(margin, constantFrom(pixels + static_cast<std::size_t>(x) * kTexel, image.height, row));
  }
  if (margin >= limit) return flat;
  flat.margin = margin;
  std::memcpy(flat.colour.data(), pixels + static_cast<std::size_t>(image.height - 1) * row + row - kTexel, kTexel);
  return flat;
}

}  // namespace orb
