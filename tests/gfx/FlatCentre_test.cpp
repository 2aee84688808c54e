// A box image's flat centre: only where every texel past the margin is the
// same may a box skip the texture there.
#include "gfx/FlatCentre.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "gfx/PngImage.h"

namespace orb {
namespace {

// A w x h RGBA image of one colour with a painted border `border` texels wide.
PngImage panel(int w, int h, int border) {
  PngImage image;
  image.width = w;
  image.height = h;
  image.format = PngImage::kRgba;
  image.pixels.assign(static_cast<std::size_t>(w) * h * 4, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      unsigned char* t = &image.pixels[(static_cast<std::size_t>(y) * w + x) * 4];
      const bool edge = x < border || y < border;
      // Shaded by the distance to the nearer edge, as a rim light is.
      t[0] = edge ? static_cast<unsigned char>(200 + std::min(x, y)) : 8;
      t[1] = 11;
      t[2] = 20;
      t[3] = 150;
    }
  }
  return image;
}

TEST(FlatCentre, IsFoundOnlyWhereEveryTexelBeyondTheMarginAgrees) {
  PngImage image = panel(64, 48, 5);
  FlatCentre flat = FlatCentre::measure(image);
  ASSERT_TRUE(flat.found());
  EXPECT_EQ(5, flat.margin);
  EXPECT_EQ(8, flat.colour[0]);
  EXPECT_EQ(150, flat.colour[3]);

  // One different texel inside (a painted detail) pushes the margin past it
  // both ways: its row must be flat from the margin on, and so must its column.
  image.pixels[(static_cast<std::size_t>(12) * 64 + 10) * 4 + 3] = 149;
  EXPECT_EQ(13, FlatCentre::measure(image).margin);
  // ... and one near the far corner leaves no flat centre a box could use.
  image.pixels[(static_cast<std::size_t>(46) * 64 + 62) * 4] = 9;
  EXPECT_FALSE(FlatCentre::measure(image).found());

  // Opaque images have no alpha to carry; they are drawn as they always were.
  PngImage rgb = panel(8, 8, 2);
  rgb.format = PngImage::kRgb;
  rgb.pixels.resize(8 * 8 * 3);
  EXPECT_FALSE(FlatCentre::measure(rgb).found());
  EXPECT_FALSE(FlatCentre::measure(PngImage{}).found());
}

}  // namespace
}  // namespace orb
