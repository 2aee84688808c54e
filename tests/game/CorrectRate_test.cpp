#include "game/CorrectRate.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "data/Json.h"
#include "data/SettingsStore.h"
#include "game/HudScene.h"
#include "game/WidgetDraw.h"
#include "gfx/Digits.h"
#include "gfx/PngImage.h"
#include "gfx/Widget.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::HudScene;

// Columns [x0, x1) of a glyph cell: the glyphs of a number overlap their
// neighbours' cells, so each is read only where no neighbour is drawn.
struct Columns {
  int x0 = 0, x1 = 25;
};

// Luminance x alpha of one small-strip glyph cell of the HUD atlas, as the
// eye would see it over black.
std::vector<float> atlasGlyph(const PngImage& atlas, int glyph, Columns cols) {
  const int cx = static_cast<int>(kSmallDigits.origin.x + kSmallDigits.glyph.x * static_cast<float>(glyph / 5));
  const int cy = static_cast<int>(kSmallDigits.origin.y + kSmallDigits.glyph.y * static_cast<float>(glyph % 5));
  std::vector<float> cell;
  for (int y = 0; y < static_cast<int>(kSmallDigits.glyph.y); ++y)
    for (int x = cols.x0; x < cols.x1; ++x) {
      const unsigned char* p = &atlas.pixels[static_cast<std::size_t>(cy + y) * atlas.rowBytes() +
                                             static_cast<std::size_t>(cx + x) * 4];
      cell.push_back((p[0] + p[1] + p[2]) / 3.0f * p[3] / 255.0f);
    }
  return cell;
}

std::vector<float> screenCell(const std::vector<unsigned char>& rgb, Vec2<float> topLeft, Columns cols) {
  std::vector<float> cell;
  for (int y = 0; y < static_cast<int>(kSmallDigits.glyph.y); ++y)
    for (int x = cols.x0; x < cols.x1; ++x) {
      const auto p = test::hudPixel(rgb, static_cast<int>(std::lround(topLeft.x)) + x,
                                    static_cast<int>(std::lround(topLeft.y)) + y);
      cell.push_back((p[0] + p[1] + p[2]) / 3.0f);
    }
  return cell;
}

double correlation(const std::vector<float>& a, const std::vector<float>& b) {
  double ma = 0, mb = 0;
  for (std::size_t i = 0; i < a.size(); ++i) ma += a[i], mb += b[i];
  ma /= static_cast<double>(a.size());
  mb /= static_cast<double>(b.size());
  double ab = 0, aa = 0, bb = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    ab += (a[i] - ma) * (b[i] - mb);
    aa += (a[i] - ma) * (a[i] - ma);
    bb += (b[i] - mb) * (b[i] - mb);
  }
  return aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0.0;
}

// Which glyph of the strip the screen shows at topLeft: the best correlated one.
int readGlyph(const std::vector<unsigned char>& rgb, Vec2<float> topLeft, Columns cols, const PngImage& atlas) {
  const auto seen = screenCell(rgb, topLeft, cols);
  int best = -1;
  double bestScore = 0.5;  // below this the cell holds no glyph at all
  for (int g = 0; g < kDigitGlyphCount; ++g) {
    if (g == 12 || g == 14) continue;  // empty cells
    const double score = correlation(seen, atlasGlyph(atlas, g, cols));
    if (score > bestScore) best = g, bestScore = score;
  }
  return best;
}

TEST(CorrectRate, OneHundredTwentyThreeOfFiveHundredPlacesReadsZeroTwentyFourPointSixPercent) {
  ORB_REQUIRE_HUD_GL();
  HudScene scene;
  SettingsStore settings;
  settings.open(scene.dataDir, test::scratchDir("correct_rate"));
  picojson::object places;
  for (int i = 0; i < 500; ++i) places["place " + std::to_string(i)] = picojson::value(i % 4 == 0 && i < 492);
  settings.member("places") = picojson::value(places);
  scene.context.settings = &settings;

  CorrectRate rate(&scene.context);
  EXPECT_FLOAT_EQ(rate.target(), 24.6f);
  const picojson::value& title = json::at(scene.params.root(), "title");
  HudScene::Step(rate, json::real(title, "correct_delay") + 0.1f);
  EXPECT_LT(rate.shownTenths(), 246) << "counts up";
  HudScene::Step(rate, std::max(json::real(title, "correct_time"), json::real(title, "correct_ease")));
  EXPECT_EQ(rate.shownTenths(), 246);
  EXPECT_FLOAT_EQ(rate.offset().x, 0.0f);

  scene.begin2D();
  rate.draw();
  glFinish();
  const auto rgb = test::readHud();
  test::writeHudPng(test::scratchDir("correct_rate_shot") + "rate.png", rgb);

  PngImage atlas;
  std::string error;
  const std::string bytes = test::readFile(scene.dataDir + "devdata/game.png");
  ASSERT_TRUE(atlas.decode(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), error)) << error;
  ASSERT_EQ(atlas.channels(), 4);

  const Widget panel(json::at(json::at(title, "correct_widgets"), "correct"), nullptr, scene.screen.pair);
  const Vec2<float> number = widgetAnchor(panel) +
                             Vec2<float>(json::real(title, "correct_num_x"), json::real(title, "correct_num_y"));
  const std::array<std::pair<float, int>, 6> expected{
      {{0.0f, 0}, {22.0f, 2}, {44.0f, 4}, {61.0f, 10}, {78.0f, 6}, {100.0f, 13}}};
  const int cell = static_cast<int>(kSmallDigits.glyph.x);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const int at = static_cast<int>(expected[i].first);
    Columns cols;
    if (i > 0) cols.x0 = std::max(0, static_cast<int>(expected[i - 1].first) + cell - at);
    if (i + 1 < expected.size()) cols.x1 = std::min(cell, static_cast<int>(expected[i + 1].first) - at);
    EXPECT_EQ(readGlyph(rgb, number + Vec2<float>(expected[i].first, 0.0f), cols, atlas), expected[i].second)
        << "at +" << at;
  }
}

TEST(CorrectRate, LeavesBySlidingBackOutWhenAModeIsChosen) {
  ORB_REQUIRE_HUD_GL();
  HudScene scene;
  SettingsStore settings;
  settings.open(scene.dataDir, test::scratchDir("correct_rate_leave"));
  scene.context.settings = &settings;
  auto rate = scene.tasks.create<CorrectRate>(kLayerScreen, &scene.context);
  scene.tasks.broadcast(kMsgTitleReady);
  scene.step(0.1f);
  EXPECT_FLOAT_EQ(rate->offset().x, 0.0f) << "the title's skip shows the panel at once";
  scene.tasks.broadcast(kMsgModeChosen);
  const float ease = json::real(json::at(scene.params.root(), "title"), "correct_ease");
  scene.step(ease / 2);
  EXPECT_TRUE(rate->alive());
  EXPECT_GT(rate->offset().x, 0.0f);
  scene.step(ease / 2 + 0.05f);
  EXPECT_FALSE(rate->alive());
}

}  // namespace
}  // namespace orb
