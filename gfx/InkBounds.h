#pragma once
#include <array>
#include <map>
#include <vector>

namespace orb {

struct PngImage;

// Which part of an atlas cell has any ink (alpha above 0). A glyph or a label
// fills only part of its cell; with the alpha-weighted blends the rest of the
// quad changes no pixel, so a sprite can be drawn over its inked part only.
// Kept for small RGBA images (the atlases); answers are cached per cell.
class InkBounds {
 public:
  using Box = std::array<int, 4>;  // x0, y0, x1, y1 in texels, ends exclusive

  static InkBounds measure(const PngImage& image);
  bool known() const { return width_ > 0; }

  // The part of `cell` whose quad can change a pixel under linear or nearest
  // filtering: the ink in the cell and in the texels its edge lookups reach,
  // grown by the texel a lookup blends in. x1 <= x0 when nothing is inked.
  // Only for known images and cells inside them.
  Box drawnPart(const Box& cell) const;

 private:
  bool inked(int x, int y) const { return alpha_[static_cast<std::size_t>(y) * width_ + x] != 0; }

  int width_ = 0;
  int height_ = 0;
  std::vector<unsigned char> alpha_;
  mutable std::map<Box, Box> cache_;
};

}  // namespace orb
