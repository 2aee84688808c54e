// The round's displays drawn over the globe as in a game. Writes screenshots
// of a question, a correct answer and a time-out to
// <build>/tests/scratch/round_hud/<name>-<pid>/ for a person to look at, and checks what
// the pictures must show.
#include <gtest/gtest.h>

#include <cmath>

#include "HudScene.h"
#include "game/AnsTime.h"
#include "game/Distance.h"
#include "game/GameInfo.h"
#include "game/Konahen.h"
#include "game/PlaceDisp.h"
#include "game/PlayKonahen.h"
#include "game/PlayLevel.h"
#include "game/PlayTime.h"
#include "game/TouchJust.h"
#include "game/WidgetDraw.h"
#include "gfx/Digits.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "globe/Equator.h"
#include "globe/NsDisp.h"
#include "task/Messages.h"

namespace orb {
namespace {

using test::HudScene;

Quat facing(float lonDeg, float latDeg) {
  return quatFromAngles(latDeg * kDegToRad, (90.0f + lonDeg) * kDegToRad);
}

// A globe point at lon/lat (degrees) on the globe's surface.
Vec3 surface(float lonDeg, float latDeg, float radius) {
  return directionFromLonLat(lonDeg * kDegToRad, latDeg * kDegToRad) * radius;
}

// The game screen of a normal-mode game, with the displays GameMain creates.
struct RoundScreen {
  HudScene scene;
  std::shared_ptr<PlaceDisp> place;
  std::shared_ptr<AnsTime> gauge;
  std::shared_ptr<Distance> distance;
  std::shared_ptr<GameInfo> info;

  RoundScreen() {
    GameContext& c = scene.context;
    scene.camera.orientation = facing(10.0f, 25.0f);
    scene.camera.distance = json::real(json::at(scene.params.root(), "camera"), "dist");
    scene.tasks.create<GameWorld>(1, &c);
    scene.tasks.create<Game2DSetup>(3, scene.camera2d);
    scene.tasks.create<Equator>(2, &c);
    scene.tasks.create<NsDisp>(4, &c);
    scene.tasks.create<Konahen>(2, &c);
    info = scene.tasks.create<GameInfo>(4, &c, scene.widgets);
    distance = scene.tasks.create<Distance>(4, &c, scene.widgets);
    place = scene.tasks.create<PlaceDisp>(4, &c);
    scene.tasks.create<PlayLevel>(4, &c, scene.widgets);
    scene.tasks.create<PlayKonahen>(4, &c, scene.widgets);
    gauge = scene.tasks.create<AnsTime>(4, &c, scene.widgets);
    scene.tasks.create<PlayTime>(4, &c, scene.widgets);
    c.gameClock = 52.37f;
    c.level = 1;
    c.correctCount = 6;
    c.answerTime = 10.0f;
    c.questionShown = true;
    scene.earth->spinAngle = 37.0f;  // as left by the title screen's spin
  }

  void ask(const char* name, const char* answer, float lon, float lat) {
    GameContext& c = scene.context;
    c.placeName = name;
    c.hasAnswer = answer != nullptr;
    c.answerText = answer ? answer : "";
    c.answerPoints = {directionFromLonLat(lon * kDegToRad, lat * kDegToRad)};
    c.answerClock = c.answerTime;
    scene.tasks.broadcast(kMsgNewQuestion);
    scene.tasks.broadcast(kMsgTapsOn);
  }

  // Plays frames while the answer clock runs down.
  void play(float seconds) {
    GameContext& c = scene.context;
    for (float t = 0.0f; t < seconds - 1e-6f; t += 1.0f / 60.0f) {
      c.answerClock = std::max(0.0f, c.answerClock - 1.0f / 60.0f);
      c.gameClock = std::max(0.0f, c.gameClock - 1.0f / 60.0f);
      scene.tasks.update(1.0f / 60.0f);
    }
  }

  std::vector<unsigned char> shot(const std::string& name) {
    scene.render();
    auto rgb = test::readHud();
    EXPECT_TRUE(test::writeHudPng(test::scratchDir("round_hud/" + name) + name + ".png", rgb));
    return rgb;
  }
};

// Largest channel difference inside a disc of radius r around the screen centre.
int centreDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                     int r) {
  int worst = 0;
  for (int y = -r; y <= r; ++y)
    for (int x = -r; x <= r; ++x) {
      if (x * x + y * y > r * r) continue;
      const auto pa = test::hudPixel(a, x, y), pb = test::hudPixel(b, x, y);
      for (int k = 0; k < 3; ++k) worst = std::max(worst, std::abs(pa[k] - pb[k]));
    }
  return worst;
}

double meanBrightness(const std::vector<unsigned char>& rgb, int x0, int y0, int w, int h) {
  double sum = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) {
      const auto p = test::hudPixel(rgb, x, y);
      sum += (p[0] + p[1] + p[2]) / 3.0;
    }
  return sum / (w * h);
}

TEST(RoundHud, QuestionCorrectAnswerAndTimeOutLeaveTheGlobesCentreClear) {
  ORB_REQUIRE_HUD_GL();
  RoundScreen s;
  GameContext& c = s.scene.context;
  s.scene.step(0.0f);
  s.ask("Côte d'Ivoire", "Capital: Yamoussoukro", -5.5f, 7.6f);
  s.play(1.2f);
  // A first miss in the Sahara, then a closer one in Ghana: the arrow points up.
  c.touchPoint = surface(2.0f, 22.0f, s.scene.earth->radius);
  s.scene.tasks.broadcast(kMsgMiss);
  s.play(0.8f);
  c.touchPoint = surface(-1.0f, 8.0f, s.scene.earth->radius);
  s.scene.tasks.broadcast(kMsgMiss);
  s.play(0.7f);
  ASSERT_TRUE(s.distance->arrow());
  ASSERT_TRUE(s.distance->closer());
  const auto question = s.shot("question");

  // The same frame without the displays: only the globe and its overlays.
  HudScene bare;
  bare.camera.orientation = s.scene.camera.orientation;
  bare.camera.distance = s.scene.camera.distance;
  bare.earth->spinAngle = s.scene.earth->spinAngle;
  bare.tasks.create<GameWorld>(1, &bare.context);
  bare.tasks.create<Equator>(2, &bare.context);  // the globe's own overlay, not the HUD
  bare.step(2.1f);
  bare.earth->spinAngle = s.scene.earth->spinAngle;
  bare.render();
  const auto globeOnly = test::readHud();
  EXPECT_LE(centreDifference(question, globeOnly, 150), 2)
      << "a display covers the globe's centre while a question is open";

  // The HUD is really there: the game clock's digits light its panel.
  EXPECT_GT(meanBrightness(question, -470, -310, 176, 100), 15.0);
  EXPECT_LT(meanBrightness(globeOnly, -470, -310, 176, 100), 1.0);

  // A correct answer: the ring at the tapped point, the bonus and the answer line.
  c.touchPoint = surface(-5.0f, 7.0f, s.scene.earth->radius);
  s.scene.tasks.broadcast(kMsgTapsOff);
  s.scene.tasks.broadcast(kMsgCorrect);
  c.correctCount = 7;
  c.streak = 3;
  s.scene.tasks.create<TouchJust>(4, &c, s.scene.widgets, 3);
  s.play(0.45f);
  s.shot("correct");

  // The next question runs out of time under the hurry-up banner.
  s.play(1.0f);
  s.ask("Mongolia", "Capital: Ulaanbaatar", 103.0f, 46.8f);
  s.play(7.6f);
  s.scene.tasks.broadcast(kMsgAnswerTimeShort);
  s.play(0.3f);
  ASSERT_TRUE(s.gauge->danger());
  const auto hurry = s.shot("hurry");
  // The gauge is red: its pie (centre (46.5, 47) inside the widget) is drawn red.
  const auto pie = test::hudPixel(hurry, 480 - 103 + 46, -320 + 10 + 47 + 12);
  EXPECT_GT(pie[0], 150);
  EXPECT_LT(pie[1], 60);
  s.play(2.2f);
  c.touchPoint = c.answerPoints.front();
  s.scene.tasks.broadcast(kMsgControlOff);
  s.scene.tasks.broadcast(kMsgTimeOut);
  s.scene.tasks.broadcast(kMsgDoYourBest);
  s.play(1.0f);
  s.shot("timeout");

  // The game ends and the HUD leaves.
  s.scene.tasks.broadcast(kMsgGameEnding);
  s.play(1.0f);
  s.scene.tasks.broadcast(kMsgHudLeave);
  s.play(2.0f);
  const auto after = s.shot("after_game");
  // Everything has left: the equator has faded and the HUD slid away.
  HudScene empty;
  empty.camera.orientation = s.scene.camera.orientation;
  empty.camera.distance = s.scene.camera.distance;
  empty.tasks.create<GameWorld>(1, &empty.context);
  empty.step(1.0f / 60.0f);
  empty.earth->spinAngle = s.scene.earth->spinAngle;
  empty.render();
  const auto globeAlone = test::readHud();
  EXPECT_LE(centreDifference(after, globeAlone, 300), 2);
  EXPECT_LT(meanBrightness(after, -470, -310, 176, 100), 1.0) << "the clock panel has left";
}

// The digits a display draws equal the digits drawn directly at the same place.
void expectSameRegion(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                      int x0, int y0, int w, int h, const char* what) {
  int differing = 0, lit = 0;
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x) {
      const auto pa = test::hudPixel(a, x, y), pb = test::hudPixel(b, x, y);
      differing += std::abs(pa[0] - pb[0]) + std::abs(pa[1] - pb[1]) > 6;
      lit += pb[0] > 128;
    }
  EXPECT_GT(lit, 50) << what << ": the reference digits are visible";
  EXPECT_EQ(0, differing) << what;
}

TEST(RoundHud, FoundCountPadsToThreeDigits) {
  ORB_REQUIRE_HUD_GL();
  HudScene scene;
  scene.context.correctCount = 7;
  PlayKonahen found(&scene.context, scene.widgets);
  HudScene::Step(found, 1.2f);
  const Widget& w = *scene.widgets->get("konahen");
  const auto& ofs = json::at(json::at(scene.params.root(), "playkonahen"), "num_ofs");
  const Vec2<float> at = widgetAnchor(w) + Vec2<float>(json::realAt(ofs, 0), json::realAt(ofs, 1));

  scene.begin2D();
  found.draw();
  const auto drawn = test::readHud();
  scene.begin2D();
  drawWidget(&w, 0.0f, 0.0f, Tint{});
  drawLargeNumber(7, 3, at, 1, 1, 1, 1, w.texture);
  const auto reference = test::readHud();
  expectSameRegion(drawn, reference, static_cast<int>(at.x), static_cast<int>(at.y), 127, 69,
                   "\"007\"");
}

TEST(RoundHud, DistanceShowsFiveDigitsBesideKm) {
  ORB_REQUIRE_HUD_GL();
  HudScene scene;
  GameContext& c = scene.context;
  Distance distance(&c, scene.widgets);
  c.answerPoints = {directionFromLonLat(0.0f, 0.0f)};
  distance.message(kMsgTimeOut);
  c.touchPoint = directionFromLonLat(0.5f, 0.0f) * 100.0f;  // 0.5 rad: 3189 km
  distance.message(kMsgMiss);
  HudScene::Step(distance, 1.5f);
  const int km = static_cast<int>(distance.shownValue());
  ASSERT_NEAR(3189, km, 1);
  const Widget& w = *scene.widgets->get("km");
  const auto& p = json::at(scene.params.root(), "distance");
  const Vec2<float> at = widgetAnchor(w) + Vec2<float>(json::real(p, "num_x"), json::real(p, "num_y"));

  scene.begin2D();
  distance.draw();
  const auto drawn = test::readHud();
  scene.begin2D();
  drawWidget(scene.widgets->get("distance").get(), 0.0f, 0.0f, Tint{});
  drawWidget(&w, 0.0f, 0.0f, Tint{});
  drawSmallNumber(km, 5, at, 1, 1, 1, 1, w.texture);
  const auto reference = test::readHud();
  expectSameRegion(drawn, reference, static_cast<int>(at.x), static_cast<int>(at.y), 113, 40,
                   "\"03189\"");
}

// The ring lies where the tap landed, even with the globe turned by its spin.
TEST(RoundHud, RingSitsOnTheTappedPointOfTheSpinningGlobe) {
  ORB_REQUIRE_HUD_GL();
  HudScene scene;
  GameContext& c = scene.context;
  scene.camera.orientation = facing(20.0f, 10.0f);
  scene.camera.distance = 1800.0f;
  scene.earth->spinAngle = 50.0f;
  auto world = scene.tasks.create<GameWorld>(1, &c);
  scene.step(1.0f / 60.0f);
  scene.earth->spinAngle = 50.0f;
  scene.earth->spinSpeed = 0.0f;
  scene.render();
  const auto before = test::readHud();

  // The tap: the globe point under a window point right of centre.
  const Vec2<float> window(560.0f, 360.0f);
  Vec3 hit;
  ASSERT_TRUE(pickSphere(hit, window, scene.earth->radius, Vec3(), scene.camera,
                         scene.earth->sphereModelView.data()));
  c.touchPoint = hit;
  auto ring = scene.tasks.create<Konahen>(2, &c);
  scene.tasks.broadcast(kMsgCorrect);
  scene.step(0.3f);
  scene.render();
  const auto after = test::readHud();

  double sx = 0, sy = 0, n = 0;
  for (int y = 0; y < test::kHudH; ++y)
    for (int x = 0; x < test::kHudW; ++x) {
      const auto a = test::hudPixel(after, x - 480, y - 320), b = test::hudPixel(before, x - 480, y - 320);
      if (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) > 40) {
        sx += x;
        sy += y;
        ++n;
      }
    }
  ASSERT_GT(n, 100) << "the ring is drawn";
  // Window y runs up; image rows run down.
  EXPECT_NEAR(window.x, sx / n, 4.0);
  EXPECT_NEAR(test::kHudH - window.y, sy / n, 4.0);
  test::writeHudPng(test::scratchDir("round_hud/ring") + "ring.png", after);
}

}  // namespace
}  // namespace orb
