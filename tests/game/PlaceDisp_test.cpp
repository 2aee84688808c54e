// The question panel: its round of showing, answering and leaving, and its
// pixels drawn over black space beside the HUD panels (frame, corners, the
// name centred, the panel opening for the answer, long answers kept clear of
// the panels). The pictures land in <build>/tests/scratch/place_disp/.
#include "game/PlaceDisp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "HudScene.h"
#include "RoundFixture.h"
#include "game/PlaceBox.h"
#include "game/WidgetDraw.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::HudScene;
using test::RoundFixture;

struct PlaceDispRound : ::testing::Test {
  RoundFixture f;
  PlaceDisp disp{&f.context};
};

TEST_F(PlaceDispRound, NameSwellsInWhenAsked) {
  EXPECT_FALSE(disp.shown());
  disp.message(23);
  EXPECT_TRUE(disp.shown());
  EXPECT_EQ(1.5f, disp.nameScale());
  EXPECT_EQ(0.0f, disp.nameAlpha());
  RoundFixture::run(disp, 0.2f);
  EXPECT_GT(disp.nameScale(), 1.0f);
  EXPECT_GT(disp.nameAlpha(), 0.5f);
  RoundFixture::run(disp, 0.25f);
  EXPECT_EQ(1.0f, disp.nameScale());
  EXPECT_EQ(1.0f, disp.nameAlpha());
}

TEST_F(PlaceDispRound, AnswerLineShowsForItsTimeAfterACorrectAnswerOrATimeOut) {
  disp.message(23);
  disp.message(18);  // a miss changes nothing
  EXPECT_FALSE(disp.answerShown());
  disp.message(17);
  EXPECT_TRUE(disp.answerShown());
  RoundFixture::run(disp, 0.95f);
  EXPECT_TRUE(disp.shown());
  RoundFixture::run(disp, 0.1f);
  EXPECT_FALSE(disp.shown());
  EXPECT_FALSE(disp.answerShown());

  disp.message(23);
  EXPECT_FALSE(disp.answerShown()) << "a new question hides the old answer";
  disp.message(19);
  RoundFixture::run(disp, 1.95f);
  EXPECT_TRUE(disp.shown());
  RoundFixture::run(disp, 0.1f);
  EXPECT_FALSE(disp.shown());
}

TEST_F(PlaceDispRound, LeavesAfterRisingAwayAndAtOnceOnSceneEnd) {
  disp.message(23);
  disp.message(25);
  RoundFixture::run(disp, 1.45f);
  EXPECT_TRUE(disp.alive());
  RoundFixture::run(disp, 0.1f);
  EXPECT_FALSE(disp.alive());

  PlaceDisp other(&f.context);
  other.message(12);
  EXPECT_FALSE(other.alive());
}

// Brightest channel at 2D point (x, y) of a readHud() image.
int lit(const std::vector<unsigned char>& rgb, int x, int y) {
  const auto p = test::hudPixel(rgb, x, y);
  return std::max({p[0], p[1], p[2]});
}

// Over black the panel's frame is about 40 bright, its fill about 5.
constexpr int kFrameLit = 20;
constexpr int kInkLit = 128;

// The question panel's frame as the pixels show it (inclusive rows and columns).
struct Found {
  int left = 0, top = 0, right = 0, bottom = 0;
};

Found findPanel(const std::vector<unsigned char>& rgb) {
  Found f;
  // Column 0 crosses the frame's top and bottom rows; the row a little below
  // the top corner's curve crosses its sides above any text.
  for (f.top = -test::kHudH / 2; f.top < 0 && lit(rgb, 0, f.top) < kFrameLit; ++f.top) {
  }
  for (f.bottom = test::kHudH / 2 - 1; f.bottom > f.top && lit(rgb, 0, f.bottom) < kFrameLit;
       --f.bottom) {
  }
  const int row = f.top + 13;
  for (f.left = 0; f.left > -test::kHudW / 2 && lit(rgb, f.left - 1, row) < kFrameLit; --f.left) {
  }
  --f.left;
  for (f.right = 0; f.right < test::kHudW / 2 - 1 && lit(rgb, f.right + 1, row) < kFrameLit;
       ++f.right) {
  }
  ++f.right;
  return f;
}

// Bounds of the text's bright pixels inside [x0, x1] x [y0, y1], and how many
// separate bands of rows they form (one per line of text).
struct Ink {
  int left = 10000, top = 10000, right = -10000, bottom = -10000, lines = 0;
};

Ink inkIn(const std::vector<unsigned char>& rgb, int x0, int y0, int x1, int y1) {
  Ink ink;
  bool inLine = false;
  for (int y = y0; y <= y1; ++y) {
    bool any = false;
    for (int x = x0; x <= x1; ++x) {
      if (lit(rgb, x, y) < kInkLit) continue;
      any = true;
      ink.left = std::min(ink.left, x);
      ink.right = std::max(ink.right, x);
      ink.top = std::min(ink.top, y);
      ink.bottom = std::max(ink.bottom, y);
    }
    if (any && !inLine) ++ink.lines;
    inLine = any;
  }
  return ink;
}

std::string shotPath(const std::string& name) {
  return test::scratchDir("place_disp/" + name) + name + ".png";
}

TEST(PlaceDispPanel, NameAloneIsAFramedPanelWithTheHudCornersSizedAndCentredOnTheName) {
  ORB_REQUIRE_HUD_GL();
  HudScene scene;
  GameContext& c = scene.context;
  c.placeName = "Atlantic Ocean";
  c.hasAnswer = true;  // waiting, not shown: the panel must not make room for it yet
  c.answerText = "Second-largest ocean, between the Americas, Europe and Africa";
  PlaceDisp disp(&c);
  disp.message(kMsgNewQuestion);
  HudScene::Step(disp, 0.5f);
  const Widget& clock = *scene.widgets->get("timeremain");
  scene.begin2D();
  drawWidget(&clock, 0.0f, 0.0f, Tint{});
  disp.draw();
  const auto rgb = test::readHud();
  EXPECT_TRUE(test::writeHudPng(shotPath("name_box"), rgb));

  const Found box = findPanel(rgb);
  const auto font = scene.fonts->getFont("place");
  const float lineHeight = font->ascender() + font->descender();
  EXPECT_NEAR(font->measureText(c.placeName).x + PlaceBox::kPadX, box.right - box.left + 1, 2.0);
  EXPECT_NEAR(lineHeight + PlaceBox::kPadY, box.bottom - box.top + 1, 1.0)
      << "one line: the name alone";

  // Seen against black space: a light frame round a dark fill.
  EXPECT_GE(lit(rgb, 0, box.top), 30);
  EXPECT_LE(lit(rgb, 0, box.top + 4), 12);
  EXPECT_GE(lit(rgb, box.left, box.top + 30), 30);

  const Ink name = inkIn(rgb, box.left + 2, box.top + 2, box.right - 2, box.bottom - 2);
  EXPECT_EQ(1, name.lines);
  EXPECT_NEAR((name.left + name.right) / 2.0, (box.left + box.right) / 2.0, 1.5);
  EXPECT_NEAR(name.left - box.left, box.right - name.right, 3.0);
  EXPECT_NEAR(name.top - box.top, box.bottom - name.bottom, 3.0);

  // The corners are the HUD panels' own: the panel's bottom-left corner
  // matches the clock panel's, pixel for pixel.
  const int clockLeft = static_cast<int>(clock.topLeft().x);
  const int clockBottom = static_cast<int>(clock.topLeft().y + clock.height) - 1;
  int worst = 0;
  for (int dy = 0; dy < 14; ++dy)
    for (int dx = 0; dx < 14; ++dx)
      worst = std::max(worst, std::abs(lit(rgb, box.left + dx, box.bottom - dy) -
                                       lit(rgb, clockLeft + dx, clockBottom - dy)));
  EXPECT_LE(worst, 6);
}

TEST(PlaceDispPanel, TheWidestShippedAnswerOpensThePanelOnTwoLinesClearOfEveryHudPanel) {
  ORB_REQUIRE_HUD_GL();
  HudScene scene;
  GameContext& c = scene.context;
  const auto font = scene.fonts->getFont("place");
  JsonDocument places(scene.dataDir + "devdata/places.json");
  ASSERT_TRUE(places.loaded()) << places.error();
  float widest = 0.0f;
  for (const auto& place : places.root().get<picojson::object>()) {
    const std::string answer = json::string(place.second, "answer");
    const float width = font->measureText(answer).x;
    if (width > widest) {
      widest = width;
      c.placeName = json::string(place.second, "name");
      c.answerText = answer;
    }
  }
  c.hasAnswer = true;
  PlaceDisp disp(&c);
  disp.message(kMsgNewQuestion);
  HudScene::Step(disp, 0.5f);

  // The HUD's panels, with or without the question panel over them.
  const auto frame = [&](bool withQuestion) {
    scene.begin2D();
    for (const auto& widget : scene.widgets->widgets())
      if (widget.second->layoutFlags != 0) drawWidget(widget.second.get(), 0.0f, 0.0f, Tint{});
    if (withQuestion) disp.draw();
    return test::readHud();
  };
  const Found closed = findPanel(frame(true));
  disp.message(kMsgCorrect);
  HudScene::Step(disp, 0.05f);
  const Found opening = findPanel(frame(true));
  HudScene::Step(disp, 0.45f);
  const auto shown = frame(true);
  EXPECT_TRUE(test::writeHudPng(shotPath("widest_answer"), shown));
  const Found open = findPanel(shown);

  const float lineHeight = font->ascender() + font->descender();
  EXPECT_EQ(closed.top, open.top) << "the panel opens downwards";
  EXPECT_GT(opening.bottom, closed.bottom + 5) << "opening, not jumping";
  EXPECT_LT(opening.bottom, open.bottom - 5);
  EXPECT_NEAR(PlaceBox::kPadY + 3 * lineHeight + PlaceBox::kLineGap, open.bottom - open.top + 1,
              1.0)
      << "the name and two lines of answer";

  const Ink name = inkIn(shown, open.left + 2, open.top + 2, open.right - 2, closed.bottom);
  const Ink answer = inkIn(shown, open.left + 2, closed.bottom + 1, open.right - 2, open.bottom - 2);
  EXPECT_EQ(1, name.lines);
  EXPECT_EQ(2, answer.lines) << c.answerText;
  // Inside the frame with the panel's padding all round, descenders included.
  EXPECT_GE(answer.top - name.bottom, PlaceBox::kLineGap);
  EXPECT_GE(open.bottom - answer.bottom, PlaceBox::kPadY / 2);
  EXPECT_GE(answer.left - open.left, PlaceBox::kPadX / 2 - 3);
  EXPECT_GE(open.right - answer.right, PlaceBox::kPadX / 2 - 3);

  // Not one pixel of any HUD panel changes under the open question panel.
  const auto panelsAlone = frame(false);
  for (const auto& widget : scene.widgets->widgets()) {
    const Widget& w = *widget.second;
    if (w.layoutFlags == 0) continue;
    const Vec2<float> corner = w.topLeft();
    int changed = 0;
    for (int y = static_cast<int>(corner.y); y < static_cast<int>(corner.y + w.height); ++y)
      for (int x = static_cast<int>(corner.x); x < static_cast<int>(corner.x + w.width); ++x)
        changed += test::hudPixel(shown, x, y) != test::hudPixel(panelsAlone, x, y);
    EXPECT_EQ(0, changed) << widget.first;
  }
}

}  // namespace
}  // namespace orb
