#include "gfx/InkBounds.h"

#include <algorithm>

#include "gfx/PngImage.h"

namespace orb {
namespace {

// Atlases are a few hundred texels a side; a photograph is never a sprite cell.
constexpr int kMaxTexels = 1 << 20;

}  // namespace

InkBounds InkBounds::measure(const PngImage& image) {
  InkBounds ink;
  if (image.format != PngImage::kRgba || image.width <= 0 || image.height <= 0 ||
      image.width * image.height > kMaxTexels) {
    return ink;
  }
  ink.width_ = image.width;
  ink.height_ = image.height;
  ink.alpha_.resize(static_cast<std::size_t>(image.width) * image.height);
  for (std::size_t i = 0; i < ink.alpha_.size(); ++i) ink.alpha_[i] = image.pixels[4 * i + 3];
  return ink;
}

InkBounds::Box InkBounds::drawnPart(const Box& cell) const {
  const auto cached = cache_.find(cell);
  if (cached != cache_.end()) return cached->second;
  // A lookup inside the cell reaches one texel past its edges (clamped to the image).
  const int x0 = std::max(cell[0] - 1, 0), y0 = std::max(cell[1] - 1, 0);
  const int x1 = std::min(cell[2] + 1, width_), y1 = std::min(cell[3] + 1, height_);
  Box ink{x1, y1, x0, y0};
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      if (!inked(x, y)) continue;
      ink = {std::min(ink[0], x), std::min(ink[1], y), std::max(ink[2], x + 1), std::max(ink[3], y + 1)};
    }
  }
  Box drawn{cell[2], cell[3], cell[0], cell[1]};
  if (ink[2] > ink[0]) {
    // A linear lookup blends the texel next to the ink; outside that, all alpha is 0.
    drawn = {std::max(cell[0], ink[0] - 1), std::max(cell[1], ink[1] - 1), std::min(cell[2], ink[2] + 1),
             std::min(cell[3], ink[3] + 1)};
  }
  cache_.emplace(cell, drawn);
  return drawn;
}

}  // namespace orb
