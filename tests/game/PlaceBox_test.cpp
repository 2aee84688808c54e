// The question box's geometry: texts wrapped to the room the HUD panels leave,
// and every shipped name and answer line holding in two lines of that room.
#include "game/PlaceBox.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "gfx/FontCache.h"
#include "gfx/GlContext.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

// Ten units a byte: easy widths to reason about ("·" is two bytes).
float tenPerByte(const std::string& text) { return 10.0f * static_cast<float>(text.size()); }

struct WrapRow {
  const char* name;
  const char* text;
  float room;
  std::vector<std::string> lines;
};

TEST(PlaceBoxWrap, NamedRows) {
  const WrapRow rows[] = {
      {"fits on one line", "Capital: Harare", 150.0f, {"Capital: Harare"}},
      {"breaks at the separator and drops it", "Crown dependency \xC2\xB7 capital Douglas", 170.0f,
       {"Crown dependency", "capital Douglas"}},
      {"two lines as even as the words allow", "aaa bbb ccc ddd eee", 150.0f,
       {"aaa bbb", "ccc ddd eee"}},
      {"more lines only when two cannot hold it", "aaaa bbbb cccc dddd", 45.0f,
       {"aaaa", "bbbb", "cccc", "dddd"}},
      {"a word wider than the room stays whole", "aaaaaaaaaa b", 50.0f, {"aaaaaaaaaa", "b"}},
  };
  for (const WrapRow& row : rows) {
    EXPECT_EQ(row.lines, PlaceBox::wrap(row.text, row.room, tenPerByte)) << row.name;
  }
}

TEST(PlaceBoxRoom, TheWidestBoxKeepsItsGapFromThePanelsBesideIt) {
  const float lineHeight = 42.0f;
  // A clock panel top-left and a gauge top-right, as far from the middle as
  // each other's mirror would not be; a wide panel at the bottom.
  const std::vector<PlaceBox::Rect> panels = {
      {-470.0f, -310.0f, -294.0f, -210.0f}, {377.0f, -310.0f, 470.0f, -216.0f},
      {-470.0f, 200.0f, -5.0f, 300.0f}};
  const float room = PlaceBox::textRoom(panels, 960, 640, lineHeight);
  const PlaceBox::Frame widest = PlaceBox::place(room, 2, room, 2, lineHeight, 1.0f, 640);
  const float left = -widest.width / 2.0f, right = widest.width / 2.0f;
  EXPECT_GE(left, -294.0f + PlaceBox::kPanelGap);
  EXPECT_LE(right, 377.0f - PlaceBox::kPanelGap);
  EXPECT_NEAR(left, -294.0f + PlaceBox::kPanelGap, 1.0f) << "the nearer panel sets the room";
  EXPECT_LT(widest.top + widest.height, 200.0f) << "the bottom panel is below the box's rows";

  // The same panels anchored to the edges of a narrower layout come closer.
  const picojson::value widgets = [] {
    JsonDocument params(test::sourceDir() + "devdata/params.json");
    return json::at(json::at(params.root(), "game"), "widgets");
  }();
  const int wide[2] = {960, 640}, narrow[2] = {800, 640};
  const float wideRoom =
      PlaceBox::textRoom(PlaceBox::hudPanels(widgets, wide), 960, 640, lineHeight);
  const float narrowRoom =
      PlaceBox::textRoom(PlaceBox::hudPanels(widgets, narrow), 800, 640, lineHeight);
  EXPECT_FLOAT_EQ(wideRoom - 160.0f, narrowRoom);
}

TEST(PlaceBoxShippedTexts, EveryNameAndAnswerFitsTwoLinesBetweenThePanels) {
  if (!test::ensureGlContext()) GTEST_SKIP() << "no DISPLAY";
  const std::string dir = test::sourceDir();
  JsonDocument params(dir + "devdata/params.json");
  JsonDocument places(dir + "devdata/places.json");
  ASSERT_TRUE(places.loaded()) << places.error();
  FontCache fonts(json::at(params.root(), "fonts"), dir);
  const std::shared_ptr<Font> font = fonts.getFont("place");
  ASSERT_TRUE(font->valid());
  const int screen[2] = {960, 640};
  const float room = PlaceBox::textRoom(
      PlaceBox::hudPanels(json::at(json::at(params.root(), "game"), "widgets"), screen), 960, 640,
      font->ascender() + font->descender());
  ASSERT_GT(room, 400.0f) << "the panels leave room for a name";
  const auto measure = [&](const std::string& text) { return font->measureText(text).x; };
  int texts = 0;
  for (const auto& place : places.root().get<picojson::object>()) {
    for (const char* key : {"name", "answer"}) {
      const std::string text = json::string(place.second, key);
      if (text.empty()) continue;
      ++texts;
      const std::vector<std::string> lines = PlaceBox::wrap(text, room, measure);
      EXPECT_LE(lines.size(), 2u) << place.first << " " << key << ": " << text;
      for (const std::string& line : lines) {
        EXPECT_LE(measure(line), room) << place.first << " " << key << ": " << line;
      }
    }
  }
  EXPECT_GT(texts, 1000);
}

}  // namespace
}  // namespace orb
