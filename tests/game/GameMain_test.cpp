#include "game/GameMain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "audio/SoundScheduler.h"
#include "audio/SoundSystem.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/SettingsStore.h"
#include "game/MapCoords.h"
#include "game/Place.h"
#include "game/ReplayControl.h"
#include "game/SceneFactory.h"
#include "gfx/Camera.h"
#include "gfx/FontCache.h"
#include "gfx/GlContext.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "gfx/TextureCache.h"
#include "globe/EarthModel.h"
#include "support/TestPaths.h"
#include "task/TaskList.h"
#include "task/Messages.h"

namespace orb {
namespace {

constexpr float kStep = 1.0f / 60.0f;

class Probe : public TaskProc {
 public:
  void update(float) override {}
  void draw() override {}
  void message(int code) override { codes.push_back(code); }
  bool alive() const override { return true; }
  int count(int code) const { return static_cast<int>(std::count(codes.begin(), codes.end(), code)); }
  std::vector<int> codes;
};

class FixedSeed : public ReplayControl {
 public:
  explicit FixedSeed(std::uint32_t seed) : seed_(seed) {}
  std::uint32_t seed() const override { return seed_; }
  void startPlayback() override {}
  void stopPlayback() override {}

 private:
  std::uint32_t seed_;
};

// Three levels of square places on the outline grid: p00..p04 at level 0,
// p10..p11 at level 1, p20..p29 at level 2. Each square is 4 x 4 grid units,
// far enough from the others that a tap on one never hits another.
std::string writePlaces(const std::string& dataDir) {
  std::filesystem::create_directories(dataDir + "devdata/place");
  picojson::object doc;
  auto add = [&](int level, int index) {
    const std::string key = "p" + std::to_string(level) + std::to_string(index);
    const double x = 20 + index * 15, y = 20 + level * 25;
    picojson::object entry;
    entry["level"] = picojson::value(static_cast<double>(level));
    entry["name"] = picojson::value("Place " + key);
    entry["file"] = picojson::value(key + ".json");
    doc[key] = picojson::value(entry);
    test::writeFile(dataDir + "devdata/place/" + key + ".json",
                    "[[[" + std::to_string(x) + "," + std::to_string(y) + "],[" + std::to_string(x + 4) + "," +
                        std::to_string(y) + "],[" + std::to_string(x + 4) + "," + std::to_string(y + 4) + "],[" +
                        std::to_string(x) + "," + std::to_string(y + 4) + "]]]");
  };
  for (int i = 0; i < 5; ++i) add(0, i);
  for (int i = 0; i < 2; ++i) add(1, i);
  for (int i = 0; i < 10; ++i) add(2, i);
  test::writeFile(dataDir + "devdata/places.json", picojson::value(doc).serialize());
  return dataDir + "devdata/places.json";
}

// The round's numbers for these tests; each test may replace some of them.
const char* kRound =
    R"({"level_ofs":[0,0,0],"time":[60,60,0],"extend_rate":[0.5,0.5,0.5],"question":[3,2,3],
        "ans_time":[10,8,6],"q_refresh_delay":[0.5,0.5,0.5],"touch_radius":0.005})";

// A game root's worth of context around one GameMain: the shipped parameters
// with the round's numbers replaced, synthetic places, real sound on OpenAL
// Soft's null device, an earth model and both cameras.
class GameMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ORB_REQUIRE_GL();
    dataDir_ = test::scratchDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    // Everything but the places comes from the shipped data.
    for (const auto& e : std::filesystem::directory_iterator(test::sourceDir() + "devdata")) {
      const std::string name = e.path().filename().string();
      if (name == "place" || name == "places.json" || name == "params.json") continue;
      std::filesystem::create_directories(dataDir_ + "devdata");
      std::filesystem::create_symlink(e.path(), dataDir_ + "devdata/" + name);
    }
    places_ = std::make_unique<JsonDocument>(writePlaces(dataDir_));
  }

  // game: the numbers of the round, merged over the shipped "game" object.
  void build(const std::string& game, int mode = kModeNormal, std::uint32_t demoSeed = 0) {
    JsonDocument shipped(test::sourceDir() + "devdata/params.json");
    ASSERT_TRUE(shipped.loaded());
    for (const std::string& text : {std::string(kRound), game}) {
      picojson::value overrides;
      ASSERT_TRUE(picojson::parse(overrides, text).empty());
      for (const auto& [k, v] : json::object(overrides)) json::member(json::member(shipped.root(), "game"), k) = v;
    }
    test::writeFile(dataDir_ + "devdata/params.json", shipped.root().serialize());
    params_ = std::make_unique<JsonDocument>(dataDir_ + "devdata/params.json");

    sound_ = std::make_unique<SoundSystem>(test::sourceDir());
    scheduler_ = std::make_unique<SoundScheduler>(*sound_);
    settings_.open(dataDir_, dataDir_ + "save/");
    textures_ = std::make_unique<TextureCache>();
    fonts_ = std::make_unique<FontCache>(json::at(params_->root(), "fonts"), dataDir_);
    camera_.configure(json::at(params_->root(), "camera"), 1.5f);
    camera2d_.halfWidth = 960;
    camera2d_.halfHeight = 640;
    earth_ = std::make_unique<EarthModel>(params_->root(), dataDir_, &camera_);

    ctx_.sound = scheduler_.get();
    ctx_.dataDir = &dataDir_;
    ctx_.saveDir = &dataDir_;
    ctx_.settings = &settings_;
    ctx_.screen = &screen_;
    ctx_.params = params_.get();
    ctx_.places = places_.get();
    ctx_.fonts = fonts_.get();
    ctx_.tasks = &tasks_;
    ctx_.textures = textures_.get();
    ctx_.camera = &camera_;
    ctx_.camera2d = &camera2d_;
    ctx_.earth = earth_.get();
    ctx_.mode = mode;
    if (demoSeed != 0) {
      replay_ = std::make_unique<FixedSeed>(demoSeed);
      ctx_.demonstration = true;
    }
    tasks_.add(0, probe_);
    game_ = tasks_.create<GameMain>(0, &ctx_, replay_.get());
    tasks_.update(kStep);
  }

  // Runs the intro caption and the start banner; the start banner's 10 lets
  // the next update ask the first question.
  void start() {
    for (int i = 0; i < 60 * 30 && probe_->count(kMsgQuestionsBegin) == 0; ++i) tasks_.update(kStep);
    ASSERT_EQ(probe_->count(kMsgQuestionsBegin), 1) << "the start banner never ended";
    tasks_.update(kStep);
  }

  void frames(float seconds) {
    for (float t = 0; t < seconds - 1e-5f; t += kStep) tasks_.update(kStep);
  }

  // A tap on the current place (hit) or on the far side of the globe (miss).
  void tap(bool onPlace) {
    ASSERT_FALSE(ctx_.answerPoints.empty());
    ctx_.touchPoint = onPlace ? ctx_.answerPoints.front() : -ctx_.answerPoints.front();
    tasks_.broadcast(kMsgGlobeTapped);
  }

  // Plays the first-tap answer of the open question, then waits for the next one.
  void answerAndWait(float wait) {
    tap(true);
    frames(wait);
  }

  std::string dataDir_;
  std::unique_ptr<JsonDocument> places_, params_;
  std::unique_ptr<SoundSystem> sound_;
  std::unique_ptr<SoundScheduler> scheduler_;
  SettingsStore settings_;
  std::unique_ptr<TextureCache> textures_;
  std::unique_ptr<FontCache> fonts_;
  Camera camera_{Camera::kPerspective}, camera2d_{Camera::kOrtho2D};
  std::unique_ptr<EarthModel> earth_;
  ScreenSize screen_;
  TaskList tasks_;
  GameContext ctx_;
  std::unique_ptr<ReplayControl> replay_;
  std::shared_ptr<Probe> probe_ = std::make_shared<Probe>();
  std::shared_ptr<GameMain> game_;
};

const char* kNormal = "{}";

TEST_F(GameMainTest, FirstQuestionIsAskedOnTheFirstUpdateAfterTheStart) {
  build(kNormal);
  EXPECT_EQ(std::vector<int>(probe_->codes.begin(), probe_->codes.begin() + 3), (std::vector<int>{kMsgControlOn, kMsgLatitudeLocked, kMsgGameCreated}));
  frames(1.0f);
  EXPECT_EQ(ctx_.askedInGame, 0) << "nothing is asked before the start banner ends";
  for (int i = 0; i < 60 * 30 && probe_->count(kMsgQuestionsBegin) == 0; ++i) tasks_.update(kStep);
  EXPECT_EQ(ctx_.askedInGame, 0) << "nor in the update that ends the banner";
  probe_->codes.clear();
  tasks_.update(kStep);
  EXPECT_EQ(ctx_.askedInGame, 1);
  EXPECT_TRUE(ctx_.questionShown);
  EXPECT_FLOAT_EQ(ctx_.answerClock, 10.0f);
  EXPECT_EQ(ctx_.placeName, "Place " + game_->currentKey());
  const auto at = std::find(probe_->codes.begin(), probe_->codes.end(), kMsgNewQuestion);
  ASSERT_NE(at, probe_->codes.end());
  EXPECT_EQ(std::vector<int>(at, at + 3), (std::vector<int>{kMsgNewQuestion, kMsgControlOn, kMsgTapsOn}));
}

TEST_F(GameMainTest, FirstTapRunScoresTwelveFourteenSixteen) {
  build(R"({"question":[5,5,5]})");
  start();
  answerAndWait(0.6f);
  answerAndWait(0.6f);
  EXPECT_TRUE(sound_->soundPlaying("question") || sound_->soundPlaying("touch_just"));
  tap(true);
  EXPECT_TRUE(sound_->soundPlaying("touch_just"));
  EXPECT_EQ(ctx_.score, 12 + 14 + 16);
  EXPECT_EQ(ctx_.streak, 3);
  EXPECT_EQ(ctx_.bestStreak, 2);
  EXPECT_EQ(ctx_.justCount, 3);
  EXPECT_EQ(ctx_.correctCount, 3);
  EXPECT_EQ(ctx_.totalTaps, 3);
  EXPECT_EQ(probe_->count(kMsgCorrect), 3);
  EXPECT_EQ(game_->answeredKeys().size(), 3u);
}

TEST_F(GameMainTest, MissThenHitScoresTenWithTheStreakBroken) {
  build(kNormal);
  start();
  tap(false);
  EXPECT_TRUE(sound_->soundPlaying("touch_out"));
  EXPECT_EQ(probe_->count(kMsgMiss), 1);
  EXPECT_FALSE(ctx_.lastJudgement);
  tap(true);
  EXPECT_TRUE(sound_->soundPlaying("touch_in"));
  EXPECT_TRUE(ctx_.lastJudgement);
  EXPECT_EQ(ctx_.score, 10);
  EXPECT_EQ(ctx_.streak, 0);
  EXPECT_EQ(ctx_.justCount, 0);
  EXPECT_EQ(ctx_.totalTaps, 2);
}

TEST_F(GameMainTest, TimeOutShowsTheAnswerAndSpoilsTheNextFirstTap) {
  build(kNormal);
  start();
  earth_->spinAngle = 40.0f;  // degrees; the earth has turned since the game began
  tap(false);
  tap(false);
  probe_->codes.clear();
  frames(10.1f);  // the answer clock runs out
  const auto one = std::find(probe_->codes.begin(), probe_->codes.end(), kMsgControlOff);
  const auto nineteen = std::find(probe_->codes.begin(), probe_->codes.end(), kMsgTimeOut);
  ASSERT_NE(one, probe_->codes.end());
  ASSERT_NE(nineteen, probe_->codes.end());
  EXPECT_LT(one, nineteen);
  EXPECT_EQ(probe_->count(kMsgGameEnding), 0) << "a time-out does not end a normal game";
  const Vec3 answer = ctx_.answerPoints.front();
  EXPECT_EQ(ctx_.touchPoint, answer);

  // The camera flies to the answer: the move's target is the answer's angles.
  frames(1.2f);
  const Vec2<float> lonLat = lonLatFromDirection(answer);
  const Vec2<float> angles = anglesFromQuat(camera_.orientation);
  EXPECT_NEAR(angles.x, std::clamp(lonLat.y, -camera_.pitchMax, camera_.pitchMax), 1e-3f);
  // Facing a point means yaw = 90 degrees + its east longitude - the earth's spin
  // (the convention the picking test checks on screen); game longitudes run west.
  const float facing = kHalfPi - lonLat.x - 40.0f * kDegToRad;
  EXPECT_NEAR(std::remainder(angles.y - facing, 2.0f * kPi), 0.0f, 1e-3f);
  EXPECT_GE(camera_.distance, 1950.0f);

  frames(0.5f);  // 1.5 s after the time-out the next question comes
  EXPECT_EQ(ctx_.askedInGame, 2);
  tap(true);
  EXPECT_TRUE(sound_->soundPlaying("touch_in"));
  EXPECT_EQ(ctx_.score, 10);
  EXPECT_EQ(ctx_.totalTaps, 3) << "the timed-out question's taps count toward the next answer";
}

TEST_F(GameMainTest, SurvivalEndsInTheUpdateOfTheFirstTimeOut) {
  build(kNormal, kModeSurvival);
  start();
  EXPECT_FLOAT_EQ(ctx_.gameClock, 0.0f);
  std::size_t before = 0;
  int updates = 0;
  while (probe_->count(kMsgTimeOut) == 0 && updates < 2000) {
    before = probe_->codes.size();
    tasks_.update(kStep);
    ++updates;
  }
  const std::vector<int> last(probe_->codes.begin() + static_cast<long>(before), probe_->codes.end());
  const auto nineteen = std::find(last.begin(), last.end(), 19);
  ASSERT_NE(nineteen, last.end());
  EXPECT_NE(std::find(nineteen, last.end(), 11), last.end()) << "11 in the same update, after 19";
  EXPECT_EQ(probe_->count(kMsgGameClockShort), 0) << "no time-short banner in survival";
}

TEST_F(GameMainTest, ExhaustedShortListEndsTheGame) {
  build(R"({"question":[3,3,3]})");  // level 1 has only two places
  start();
  answerAndWait(0.6f);
  answerAndWait(0.6f);
  answerAndWait(0.6f);  // level 0 cleared: on to level 1 with its two places
  EXPECT_EQ(ctx_.level, 1);
  answerAndWait(0.6f);
  EXPECT_EQ(probe_->count(kMsgGameEnding), 0);
  answerAndWait(0.6f);
  EXPECT_EQ(probe_->count(kMsgGameEnding), 1);
  EXPECT_FALSE(game_->running());
}

TEST_F(GameMainTest, LevelUpAddsTheUnspentTimeTimesTheRate) {
  build(R"({"time":[30,30,0],"question":[1,5,5],"ans_time":[30,30,30]})");
  start();
  frames(10.0f);
  const float clock = ctx_.gameClock;
  EXPECT_NEAR(clock, 20.0f, 0.05f);
  tap(true);
  // spent 10 of 30 at rate 0.5: (30 - 10) * 0.5 = 10 s more
  EXPECT_NEAR(ctx_.gameClock, clock + (30.0f - (30.0f - clock)) * 0.5f, 1e-4f);
  EXPECT_EQ(ctx_.level, 1);
  EXPECT_EQ(probe_->count(kMsgLevelUp), 1);
}

TEST_F(GameMainTest, BonusNeverTakesTheClockPastTheDisplay) {
  build(R"({"time":[90,90,0],"extend_rate":[5,5,5],"question":[1,5,5],"ans_time":[30,30,30]})");
  start();
  tap(true);
  EXPECT_FLOAT_EQ(ctx_.gameClock, 99.9f);
}

TEST_F(GameMainTest, TimeShortOncePerGameAndTheClockEndsIt) {
  build(R"({"time":[12,12,0],"ans_time":[30,30,30]})");
  start();
  frames(13.0f);
  EXPECT_EQ(probe_->count(kMsgGameClockShort), 1);
  EXPECT_EQ(probe_->count(kMsgGameEnding), 1);
  EXPECT_FLOAT_EQ(ctx_.gameClock, 0.0f);
}

TEST_F(GameMainTest, SameSeedAsksTheSamePlacesWhateverTheProcessGenerator) {
  auto order = [&](std::uint32_t seed, unsigned processSeed) {
    TearDown();
    tasks_ = TaskList();
    probe_ = std::make_shared<Probe>();
    std::srand(processSeed);
    build(R"({"question":[1,1,1]})", kModeNormal, seed);
    std::vector<std::string> keys;
    start();
    keys.push_back(game_->currentKey());
    // The banner chances draw from the process generator on the way.
    for (int level = 0; level < 2; ++level) {
      answerAndWait(0.6f);
      keys.push_back(game_->currentKey());
    }
    return keys;
  };
  const auto first = order(20261207, 1);
  const auto again = order(20261207, 99);
  EXPECT_EQ(first, again);
  EXPECT_EQ(ctx_.seed, 20261207);
  bool someOtherSeedDiffers = false;
  for (std::uint32_t seed = 1; seed < 6 && !someOtherSeedDiffers; ++seed) someOtherSeedDiffers = order(seed, 1) != first;
  EXPECT_TRUE(someOtherSeedDiffers);
}

TEST_F(GameMainTest, PauseFreezesBothClocks) {
  build(kNormal);
  start();
  tasks_.broadcast(kMsgPauseToggle);
  const float game = ctx_.gameClock, answer = ctx_.answerClock;
  frames(2.0f);
  EXPECT_EQ(ctx_.gameClock, game);
  EXPECT_EQ(ctx_.answerClock, answer);
  tasks_.broadcast(kMsgPauseToggle);
  frames(1.0f);
  EXPECT_LT(ctx_.gameClock, game);
}

TEST_F(GameMainTest, SecondLevelUpCountsTheBonusFromTheClockAtItsLevelsStart) {
  build(R"({"time":[60,60,0],"question":[1,1,5],"ans_time":[30,30,30]})");
  start();
  frames(10.0f);
  tap(true);  // level 0 took 10 s: its bonus is (60 - 10) * 0.5
  const float atLevelOne = ctx_.gameClock;
  EXPECT_EQ(ctx_.level, 1);
  frames(4.0f);  // the next question, then 3.5 s of thinking
  const float beforeSecond = ctx_.gameClock;
  tap(true);
  EXPECT_EQ(ctx_.level, 2);
  // Level 1 took atLevelOne - beforeSecond (4 s), not the 20-odd seconds since the game began.
  const float spent = atLevelOne - beforeSecond;
  EXPECT_NEAR(spent, 4.0f, 0.05f);
  EXPECT_NEAR(ctx_.gameClock, beforeSecond + (60.0f - spent) * 0.5f, 1e-3f);
  EXPECT_LT(ctx_.gameClock, 99.9f) << "the case must not be hidden by the clock's cap";
}

TEST_F(GameMainTest, CountDownTicksOncePerSecondFromNineToZero) {
  build(R"({"time":[12,12,0],"ans_time":[30,30,30]})");
  start();
  std::vector<int> ticksAtWholeSecond;
  int before = sound_->playCount("count_down");
  for (int i = 0; i < 60 * 14; ++i) {
    tasks_.update(kStep);
    const int now = sound_->playCount("count_down");
    if (now != before) ticksAtWholeSecond.push_back(static_cast<int>(ctx_.gameClock));
    before = now;
  }
  EXPECT_EQ(ticksAtWholeSecond, (std::vector<int>{9, 8, 7, 6, 5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(probe_->count(kMsgGameEnding), 1);
}

// Counts the screens the game asks for above its own layer.
class SceneSpy : public SceneFactory {
 public:
  void createTitle(GameContext&) override {}
  void createResults(GameContext&) override { ++results; }
  void createRanking(GameContext&, int) override { ++rankings; }
  void createGameMenu(GameContext&) override {}
  int results = 0, rankings = 0;
};

TEST_F(GameMainTest, OnlyAPlayersGameShowsResultsAndMarksFoundPlaces) {
  auto playToTheEnd = [&](std::uint32_t demoSeed) {
    TearDown();
    tasks_ = TaskList();
    probe_ = std::make_shared<Probe>();
    build(R"({"time":[12,12,0],"ans_time":[30,30,30],"question":[5,5,5]})", kModeNormal, demoSeed);
    SceneSpy spy;
    ctx_.scenes = &spy;
    start();
    answerAndWait(0.6f);
    const std::string found = game_->answeredKeys().at(0);
    for (int i = 0; i < 60 * 30 && probe_->count(kMsgGameOverDone) == 0; ++i) tasks_.update(kStep);
    EXPECT_EQ(probe_->count(kMsgGameOverDone), 1) << "the game-over banner never ended";
    tasks_.update(kStep);
    const bool marked = json::at(json::at(settings_.root(), "places"), found).evaluate_as_boolean();
    return std::make_pair(spy.results, marked);
  };
  const auto player = playToTheEnd(0);
  EXPECT_EQ(player.first, 1);
  EXPECT_TRUE(player.second);
  const auto demonstration = playToTheEnd(20261208);
  EXPECT_EQ(demonstration.first, 0) << "a demonstration never shows results";
  EXPECT_FALSE(demonstration.second) << "nor marks the places it found";
}

}  // namespace
}  // namespace orb
