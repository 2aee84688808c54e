#include "globe/GlowProfile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "gfx/PngImage.h"

namespace orb {
namespace {

PngImage load(const std::string& name) {
  PngImage image;
  std::string error;
  EXPECT_TRUE(image.load(std::string(GLOBARO_SOURCE_DIR) + "devdata/" + name, error)) << error;
  return image;
}

// Bilinear sample of an RGB image at (u, v) in [0, 1], edges clamped: what the
// square glow texture showed.
double sampleImage(const PngImage& image, double u, double v, int channel) {
  const double x = u * image.width - 0.5, y = v * image.height - 0.5;
  const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
  const double fx = x - x0, fy = y - y0;
  auto at = [&](int px, int py) {
    px = std::clamp(px, 0, image.width - 1);
    py = std::clamp(py, 0, image.height - 1);
    return static_cast<double>(
        image.pixels[(static_cast<std::size_t>(py) * image.width + px) * image.channels() + channel]);
  };
  return (at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx) * (1 - fy) +
         (at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx) * fy;
}

// Linear sample of the profile at distance d from the centre (0..1, edges
// clamped): what the program looks up instead.
double sampleProfile(const std::vector<GlowProfile::Texel>& profile, double d, int channel) {
  const double x = d * static_cast<double>(profile.size()) - 0.5;
  const int x0 = static_cast<int>(std::floor(x));
  const double f = x - x0;
  auto at = [&](int i) {
    const std::size_t clamped = std::min(static_cast<std::size_t>(std::max(i, 0)), profile.size() - 1);
    return static_cast<double>(profile[clamped][channel]);
  };
  return at(x0) * (1 - f) + at(x0 + 1) * f;
}

// Looked up by distance, the profile shows what the square image showed,
// everywhere the globe can put a pixel (the image's corners included), for
// both shipped glows.
TEST(GlowProfile, ShowsWhatTheSquareImageShowed) {
  for (const char* name : {"glow.png", "glow_night.png"}) {
    SCOPED_TRACE(name);
    const PngImage image = load(name);
    const std::vector<GlowProfile::Texel> profile = GlowProfile::measure(image);
    ASSERT_EQ(static_cast<std::size_t>(image.width), profile.size());
    double worst = 0, squares = 0;
    int samples = 0, nearRim = 0;
    for (int j = 0; j < 300; ++j) {
      for (int i = 0; i < 300; ++i) {
        const double u = (i + 0.37) / 300.0, v = (j + 0.61) / 300.0;
        const double d = std::hypot(u - 0.5, v - 0.5);
        for (int c = 0; c < 3; ++c) {
          const double e = std::fabs(sampleImage(image, u, v, c) - sampleProfile(profile, d, c));
          // The rim is a step: the square's texels draw it as a stair, the
          // profile as a circle, so they part there by up to the step.
          if (std::fabs(d - 0.5) * image.width < 1.5) {
            nearRim += e > 4;
            continue;
          }
          worst = std::max(worst, e);
          squares += e * e;
          ++samples;
        }
      }
    }
    EXPECT_LE(worst, 4.0);
    EXPECT_GT(10.0 * std::log10(255.0 * 255.0 * samples / squares), 50.0) << "PSNR in dB";
    EXPECT_GT(nearRim, 0) << "the rim check above looks at the step";
  }
}

TEST(GlowProfile, IsRefusedForAnImageThatIsNotRound) {
  PngImage image = load("glow.png");
  ASSERT_FALSE(GlowProfile::measure(image).empty());
  // One texel off by more than rounding: a spot no profile can show.
  const std::size_t spot = (static_cast<std::size_t>(400) * image.width + 300) * image.channels();
  image.pixels[spot + 2] = static_cast<unsigned char>(image.pixels[spot + 2] > 128 ? 0 : 255);
  EXPECT_TRUE(GlowProfile::measure(image).empty());

  PngImage wide;
  wide.format = PngImage::kRgb;
  wide.width = 4;
  wide.height = 2;
  wide.pixels.assign(4 * 2 * 3, 9);  // flat, so round, but not square
  EXPECT_TRUE(GlowProfile::measure(wide).empty());
  EXPECT_TRUE(GlowProfile::measure(PngImage{}).empty());
}

}  // namespace
}  // namespace orb
