// The shipped images the code addresses by fixed pixels: the HUD atlas's digit
// strips, pole labels, tap ring and clock-face texels, and the panel corner
// that rounded boxes share with the atlas's panels.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "gfx/Digits.h"
#include "gfx/PngImage.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

struct Rgba {
  int r, g, b, a;
};

class ShippedImage : public testing::Test {
 protected:
  void load(const char* file) {
    const std::string bytes = test::readFile(test::sourceDir() + file);
    std::string error;
    ASSERT_TRUE(image.decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(),
                             error))
        << file << ": " << error;
    ASSERT_EQ(PngImage::kRgba, image.format) << file;
  }
  Rgba at(int x, int y) const {
    const unsigned char* p = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
  // Pixels with alpha above 64 inside [x, x + w) x [y, y + h).
  int ink(int x, int y, int w, int h) const {
    int n = 0;
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) n += at(i, j).a > 64 ? 1 : 0;
    return n;
  }
  PngImage image;
};

TEST_F(ShippedImage, DigitStripsFillTheirCells) {
  load("devdata/game.png");
  for (const DigitStrip* strip : {&kLargeDigits, &kSmallDigits}) {
    const int cw = static_cast<int>(strip->glyph.x), ch = static_cast<int>(strip->glyph.y);
    for (int g = 0; g < kDigitGlyphCount; ++g) {
      SCOPED_TRACE(testing::Message() << "cell " << cw << "x" << ch << " glyph " << g);
      const int x = static_cast<int>(strip->origin.x) + (g / 5) * cw;
      const int y = static_cast<int>(strip->origin.y) + (g % 5) * ch;
      const bool used = g <= 11 || g == 13;
      if (!used) {
        EXPECT_EQ(0, ink(x, y, cw, ch));
        continue;
      }
      EXPECT_GT(ink(x, y, cw, ch), g == 10 ? 4 : cw * ch / 20);
      // Glyphs keep off the cell border, so neighbours never bleed in.
      EXPECT_EQ(0, ink(x, y, cw, 1));
      EXPECT_EQ(0, ink(x, y + ch - 1, cw, 1));
    }
  }
  // The digits line up on one baseline: 0 and 8 reach the same bottom row.
  const auto bottom = [&](int g) {
    const int x = 2 + (g / 5) * 43, y = 2 + (g % 5) * 69;
    for (int j = y + 68; j >= y; --j)
      if (ink(x, j, 43, 1) > 0) return j - y;
    return -1;
  };
  EXPECT_NEAR(bottom(0), bottom(8), 1);
}

TEST_F(ShippedImage, PoleLabelsTapRingAndClockTexels) {
  load("devdata/game.png");
  EXPECT_GT(ink(365, 68, 31, 40), 200) << "N";
  EXPECT_GT(ink(396, 68, 26, 40), 150) << "S";
  // The ring: bright near its rim, open in the middle.
  EXPECT_GT(at(305 + 28, 75 + 4).a, 200);
  EXPECT_LT(at(305 + 28, 75 + 28).a, 40);
  const Rgba centre = at(468, 6), rim = at(508, 8);
  EXPECT_GT(centre.a, 200);
  EXPECT_EQ(255, rim.a);
  EXPECT_GT(centre.b, rim.b + 100) << "a white centre and a warm rim";
}

TEST_F(ShippedImage, RoundCornerIsAQuarterOfTheHudPanels) {
  // The clock panel as the atlas holds it: its fill, and its frame along the
  // top row and down the left column.
  load("devdata/game.png");
  JsonDocument params(test::sourceDir() + "devdata/params.json");
  const picojson::value& clock =
      json::at(json::at(json::at(params.root(), "game"), "widgets"), "timeremain");
  const int u = static_cast<int>(json::realAt(json::at(clock, "uv"), 0));
  const int v = static_cast<int>(json::realAt(json::at(clock, "uv"), 1));
  const Rgba fill = at(u + 150, v + 80), top = at(u + 150, v), left = at(u, v + 80);
  ASSERT_GT(top.r, fill.r + 100) << "a light frame round a dark fill";

  load("devdata/round.png");
  const auto expectNear = [](const Rgba& a, const Rgba& b, const char* what) {
    EXPECT_NEAR(a.r, b.r, 2) << what;
    EXPECT_NEAR(a.g, b.g, 2) << what;
    EXPECT_NEAR(a.b, b.b, 2) << what;
    EXPECT_NEAR(a.a, b.a, 2) << what;
  };
  EXPECT_EQ(image.width, image.height);
  EXPECT_EQ(0, at(0, 0).a) << "the corner is cut";
  expectNear(fill, at(image.width / 2, image.height / 2), "fill");
  expectNear(top, at(image.width - 1, 0), "the frame runs along the top to the far side");
  expectNear(left, at(0, image.height - 1), "and down the left to the far side");
  EXPECT_EQ(at(3, 9).a, at(9, 3).a) << "the corner is symmetric";
}

// Every widget rectangle ("uv", "size") of the atlas, found anywhere in the parameters.
void atlasRectangles(const picojson::value& node, const std::string& atlas,
                     std::vector<std::array<int, 4>>& out) {
  if (node.is<picojson::array>()) {
    for (const auto& item : node.get<picojson::array>()) atlasRectangles(item, atlas, out);
    return;
  }
  if (!node.is<picojson::object>()) return;
  const picojson::value& uv = json::at(node, "uv");
  const picojson::value& size = json::at(node, "size");
  if (uv.is<picojson::array>() && size.is<picojson::array>()) {
    if (json::string(json::at(node, "texture")) == atlas) {
      out.push_back({json::integer(json::element(uv, 0)), json::integer(json::element(uv, 1)),
                     json::integer(json::element(size, 0)), json::integer(json::element(size, 1))});
    }
    return;
  }
  for (const auto& entry : node.get<picojson::object>()) atlasRectangles(entry.second, atlas, out);
}

// Each full language's atlases are the English ones with other words in the
// same rectangles: same size and format, and not one pixel changed outside the
// rectangles of the widgets the parameter file places in that atlas (so the
// parameters hold for every language, and no caption runs over its rectangle).
TEST(LanguageAtlases, OnlyTheWidgetRectanglesDifferFromEnglish) {
  const std::string root = test::sourceDir();
  const JsonDocument index(root + "devdata/lang/index.json");
  const JsonDocument params(root + "devdata/params.json");
  ASSERT_TRUE(index.loaded() && params.loaded());
  auto decode = [](const std::string& path, PngImage& image) {
    const std::string bytes = test::readFile(path);
    std::string error;
    return image.decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), error);
  };
  int full = 0;
  for (const auto& language : json::array(json::at(index.root(), "languages"))) {
    if (!json::boolean(json::at(language, "full"))) continue;
    const std::string code = json::string(json::at(language, "code"));
    ++full;
    for (const char* file : {"game.png", "game2.png", "title.png", "title2.png", "demo.png"}) {
      SCOPED_TRACE(code + "/" + file);
      PngImage english, translated;
      ASSERT_TRUE(decode(root + "devdata/" + file, english));
      ASSERT_TRUE(decode(root + "devdata/lang/" + code + "/" + file, translated));
      ASSERT_EQ(english.width, translated.width);
      ASSERT_EQ(english.height, translated.height);
      ASSERT_EQ(english.format, translated.format);
      std::vector<std::array<int, 4>> rects;
      atlasRectangles(params.root(), std::string("devdata/") + file, rects);
      // The pole letters are translated too, at the texels globe/NsDisp.h fixes.
      if (std::string(file) == "game.png") rects.push_back({365, 68, 422 - 365, 108 - 68});
      int changed = 0, outside = 0;
      const std::size_t ch = static_cast<std::size_t>(english.channels());
      for (int y = 0; y < english.height; ++y) {
        for (int x = 0; x < english.width; ++x) {
          const std::size_t at = (static_cast<std::size_t>(y) * english.width + x) * ch;
          if (std::equal(&english.pixels[at], &english.pixels[at] + ch, &translated.pixels[at])) continue;
          ++changed;
          const bool inside = std::any_of(rects.begin(), rects.end(), [&](const std::array<int, 4>& r) {
            return x >= r[0] && x < r[0] + r[2] && y >= r[1] && y < r[1] + r[3];
          });
          if (!inside && outside++ == 0) ADD_FAILURE() << "first change outside a widget at " << x << "," << y;
        }
      }
      EXPECT_EQ(0, outside);
      EXPECT_GT(changed, 0) << "the words are translated";
    }
  }
  EXPECT_GE(full, 8);
}

}  // namespace
}  // namespace orb
