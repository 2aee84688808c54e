#pragma once
#include <array>

namespace orb {

struct PngImage;

// Where a panel image stops being painted: past `margin` texels from its top
// and left edges every row and every column repeats its last texel, so the
// whole block beyond it is the one `colour`. A box drawn from such an image
// only needs the texture along its border; its inside can be filled flat,
// which is what most of a large panel's pixels are.
struct FlatCentre {
  int margin = -1;  // -1: the image has no flat centre (or is not RGBA)
  std::array<unsigned char, 4> colour{};

  bool found() const { return margin >= 0; }
  // Measured once per image; photographs give up after a texel or two a row.
  static FlatCentre measure(const PngImage& image);
};

}  // namespace orb
