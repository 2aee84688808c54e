#include "globe/CloudCover.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/PngWriter.h"

namespace orb {
namespace {

std::string writeGrey(const std::string& name, const std::vector<unsigned char>& levels, int w, int h) {
  std::vector<unsigned char> rgb;
  for (unsigned char v : levels) rgb.insert(rgb.end(), {v, v, v});
  const std::string path = std::string(GLOBARO_TEST_BINARY_DIR) + name;
  EXPECT_TRUE(test::writePng(path, rgb, w, h));
  return path;
}

PngImage surface(int w, int h) {
  PngImage image;
  image.format = PngImage::kRgb;
  image.width = w;
  image.height = h;
  for (int i = 0; i < w * h; ++i) image.pixels.insert(image.pixels.end(), {10, 20, static_cast<unsigned char>(i)});
  return image;
}

unsigned char alphaAt(const PngImage& image, int x, int y) {
  return image.pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) +
                       static_cast<std::size_t>(x)) * 4 + 3];
}

TEST(CloudCover, RidesInTheSurfaceAlphaAndIsResampledToItsSize) {
  const CloudCover same(writeGrey("clouds_4x2.png", {0, 50, 100, 250, 7, 8, 9, 10}, 4, 2));
  const PngImage packed = same.under(surface(4, 2));
  ASSERT_EQ(PngImage::kRgba, packed.format);
  EXPECT_EQ(10, packed.pixels[4 * 5]);  // the ground's colour is kept
  EXPECT_EQ(5, packed.pixels[4 * 5 + 2]);
  EXPECT_EQ(250, alphaAt(packed, 3, 0));
  EXPECT_EQ(8, alphaAt(packed, 1, 1));

  // Half the surface's size: each cloud texel covers four surface texels, and
  // the left edge blends with the right one, as the globe wraps east-west.
  const CloudCover half(writeGrey("clouds_2x1.png", {0, 200}, 2, 1));
  const PngImage resampled = half.under(surface(4, 2));
  EXPECT_EQ(50, alphaAt(resampled, 0, 0));  // a quarter of the far right texel: wrapped, not clamped
  EXPECT_EQ(50, alphaAt(resampled, 1, 1));
  EXPECT_EQ(150, alphaAt(resampled, 2, 0));
  EXPECT_EQ(150, alphaAt(resampled, 3, 1));

  // No cloud image: a clear sky, and no image gives no image.
  const CloudCover missing(std::string(GLOBARO_TEST_BINARY_DIR) + "no_such_clouds.png");
  EXPECT_TRUE(missing.empty());
  EXPECT_EQ(0, alphaAt(missing.under(surface(4, 2)), 2, 1));
  EXPECT_TRUE(same.under(PngImage()).empty());
}

}  // namespace
}  // namespace orb
