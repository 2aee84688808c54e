#include "gfx/Font.h"

#include <gtest/gtest.h>

#include <vector>

#include "PixelProbe.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "gfx/FontCache.h"

namespace orb {
namespace {

const char kTextFont[] = "devdata/fonts/Inter-SemiBold.otf";
const char kDisplayFont[] = "devdata/fonts/Comfortaa-Bold.ttf";

// Lit pixels (any channel above 128) in the 2D rectangle [x0, x1) x [y0, y1).
int litPixels(int x0, int y0, int x1, int y1) {
  glFinish();
  const int w = x1 - x0, h = y1 - y0;
  std::vector<unsigned char> px(static_cast<std::size_t>(w * h * 4));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(test::kGlWidth / 2 + x0, test::kGlHeight / 2 - y1, w, h, GL_RGBA, GL_UNSIGNED_BYTE,
               px.data());
  int lit = 0;
  for (std::size_t i = 0; i < px.size(); i += 4) lit += (px[i] > 128 || px[i + 1] > 128) ? 1 : 0;
  return lit;
}

class FontTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!test::ensureGlContext()) GTEST_SKIP() << "no DISPLAY";
  }
  static std::string data(const char* file) { return test::sourceDir() + file; }
};

TEST_F(FontTest, DrawsUprightAboveTheBaseline) {
  Font font(data(kTextFont), 80);
  ASSERT_TRUE(font.valid());
  test::begin2D();
  font.x = -100;
  font.y = 100;  // baseline
  font.drawText("T");
  const int below = litPixels(-120, 101, 0, 160);
  const int topBand = litPixels(-120, 100 - 58, 0, 100 - 50);     // the crossbar
  const int bottomBand = litPixels(-120, 100 - 10, 0, 100 - 2);   // the stem
  EXPECT_EQ(0, below) << "nothing hangs below the baseline";
  EXPECT_GT(topBand, 2 * bottomBand) << "the bar of the T is at the top";
}

TEST_F(FontTest, Utf8AccentsAreOneGlyphEach) {
  Font font(data(kTextFont), 30);
  ASSERT_TRUE(font.valid());
  struct Row {
    const char* accented;
    const char* plain;
  } rows[] = {
      {"Côte d'Ivoire", "Cote d'Ivoire"},
      {"São Tomé and Príncipe", "Sao Tome and Principe"},
      {"Curaçao", "Curacao"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.accented);
    const Vec2<float> a = font.measureText(row.accented);
    const Vec2<float> p = font.measureText(row.plain);
    EXPECT_GT(p.x, 50.0f);
    EXPECT_NEAR(p.x, a.x, 0.04f * p.x) << "as wide as it looks";
    // The accents reach above the x-height or below the baseline.
    EXPECT_GE(a.y, p.y);
  }
  EXPECT_GT(font.measureText("é").y, font.measureText("e").y + 3.0f);
}

TEST_F(FontTest, AccentIsDrawnNotABox) {
  Font font(data(kTextFont), 60);
  test::begin2D();
  font.y = 0;
  font.drawText("e");
  const int plainHigh = litPixels(0, -60, 60, -34);  // above the x-height
  test::begin2D();
  font.drawText("é");
  const int accentHigh = litPixels(0, -60, 60, -34);
  const int accentBody = litPixels(0, -30, 60, 0);
  test::begin2D();
  font.drawText("e");
  const int plainBody = litPixels(0, -30, 60, 0);
  EXPECT_EQ(0, plainHigh);
  EXPECT_GT(accentHigh, 20);
  EXPECT_NEAR(plainBody, accentBody, plainBody / 10 + 5) << "same letter underneath";
}

TEST_F(FontTest, BlendModeAndColourApply) {
  Font font(data(kTextFont), 120);
  const auto inkOfI = [&](int mode) {
    test::begin2D();
    glClearColor(0, 0.5f, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 1);
    font.blendMode = mode;
    font.r = 1;
    font.g = 0;
    font.b = 0;
    font.a = 0.5f;
    font.x = 0;
    font.y = 0;
    font.drawText("I");
    // The reddest pixel across the stem of a tall I.
    test::Rgb best{0, 0, 0};
    for (int px = 0; px < 80; ++px) {
      const test::Rgb c = test::pixelAt(px, -40);
      if (c.r > best.r) best = c;
    }
    return best;
  };
  EXPECT_RGB(128, 64, 0, inkOfI(0));  // half red over half green
  // FTGL's texture font blends its glyphs normally whatever is set, so other
  // modes draw like mode 0; the mode is still left set for what follows.
  EXPECT_RGB(128, 64, 0, inkOfI(1));
  GLint dst = 0;
  glGetIntegerv(GL_BLEND_DST_RGB, &dst);
  EXPECT_EQ(GL_ONE, dst);
}

TEST_F(FontTest, MeasureEmptyAndPivotCentring) {
  Font font(data(kDisplayFont), 40);
  ASSERT_TRUE(font.valid());
  EXPECT_EQ(Vec2<float>(0, 0), font.measureText(""));
  const Vec2<float> size = font.measureText("HUD");
  EXPECT_GT(size.x, 60.0f);
  EXPECT_GT(size.y, 20.0f);
  // Centred as the place display does: the ink straddles the origin.
  test::begin2D();
  font.pivotX = static_cast<float>(static_cast<int>(size.x / 2));
  font.pivotY = -static_cast<float>(static_cast<int>(size.y / 2));
  font.drawText("HUD");
  const int left = litPixels(-80, -40, 0, 40);
  const int right = litPixels(0, -40, 80, 40);
  const int top = litPixels(-80, -40, 80, 0);
  const int bottom = litPixels(-80, 0, 80, 40);
  EXPECT_NEAR(left, right, (left + right) / 8);
  EXPECT_NEAR(top, bottom, (top + bottom) / 8);
}

TEST_F(FontTest, CacheReadsTheParametersOnce) {
  picojson::value fonts;
  ASSERT_TRUE(picojson::parse(fonts, std::string(R"({"place": {"file": ")") + kTextFont +
                                         R"(", "height": 24.9}, "bad": {"file": "nope.ttf", "height": 20}})")
                  .empty());
  FontCache cache(fonts, test::sourceDir());
  auto a = cache.getFont("place");
  EXPECT_TRUE(a->valid());
  EXPECT_EQ(24, a->height);
  EXPECT_EQ(a, cache.getFont("place"));
  testing::internal::CaptureStderr();
  auto bad = cache.getFont("bad");
  auto missing = cache.getFont("missing");
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(bad->valid());
  EXPECT_FALSE(missing->valid());
  EXPECT_NE(std::string::npos, err.find("nope.ttf")) << err;
  EXPECT_NE(std::string::npos, err.find("missing")) << err;
  EXPECT_EQ(Vec2<float>(0, 0), bad->measureText("text"));
  bad->drawText("nothing happens");
  EXPECT_EQ(3u, cache.size());
}

TEST_F(FontTest, EveryShippedFontEntryLoads) {
  JsonDocument params(test::sourceDir() + "devdata/params.json");
  ASSERT_TRUE(params.loaded()) << params.error();
  const picojson::value& fonts = json::at(params.root(), "fonts");
  ASSERT_GE(json::size(fonts), 4u);
  FontCache cache(fonts, test::sourceDir());
  for (const char* name : {"place", "ranking", "staff", "achievement"}) {
    SCOPED_TRACE(name);
    auto font = cache.getFont(name);
    ASSERT_TRUE(font->valid());
    EXPECT_GT(font->height, 10);
    EXPECT_GT(font->measureText("Ærøskøbing, Łódź, Curaçao").x, 100.0f);
  }
}

}  // namespace
}  // namespace orb
