#include "records/Replay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "audio/SoundScheduler.h"
#include "audio/SoundSystem.h"
#include "data/DzFile.h"
#include "data/Json.h"
#include "data/SettingsStore.h"
#include "game/GameMain.h"
#include "game/GameProc.h"
#include "game/SceneFactory.h"
#include "gfx/Camera.h"
#include "gfx/GlContext.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "input/KeyInput.h"
#include "input/TouchDispatcher.h"
#include "records/DemoPlay.h"
#include "support/TestPaths.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr float kStep = 1.0f / 60.0f;

// Hears every code, and where the globe was touched when a tap was judged.
class Ear : public TaskProc {
 public:
  explicit Ear(GameContext* ctx) : ctx_(ctx) {}
  void update(float) override {}
  void draw() override {}
  void message(int code) override {
    codes.push_back(code);
    if (code == kMsgGlobeTapped) taps.push_back(ctx_->touchPoint);
  }
  bool alive() const override { return true; }
  std::vector<int> codes;
  std::vector<Vec3> taps;

 private:
  GameContext* ctx_;
};

int count(const std::vector<int>& codes, int code) {
  int n = 0;
  for (int c : codes) n += c == code;
  return n;
}

// --- Reading the file -------------------------------------------------------

struct Bare {
  TaskList tasks;
  Camera camera{Camera::kPerspective};
  GameContext ctx;
  std::shared_ptr<Ear> ear;
  Replay replay{&ctx};
  Bare() {
    ctx.tasks = &tasks;
    ctx.camera = &camera;
    ear = std::make_shared<Ear>(&ctx);
    tasks.add(0, ear);
    tasks.update(0);
  }
};

TEST(ReplayFile, KeepsWholeRecordsAndStopsAtTheFirstBadOne) {
  Bare b;
  const std::string head = "12.5 77\n0.1 0 0 0 1 1800 0 0 0 0\n0.2 0 0.1 0 0.99 1700 1 0.5 0.5 0.7\n";
  EXPECT_FALSE(b.replay.parse(head + "0.3 0 0 0 1 1600 0 0"));  // a record cut short
  EXPECT_FLOAT_EQ(b.replay.spinAngle(), 12.5f);
  EXPECT_EQ(b.replay.seed(), 77u);
  ASSERT_EQ(b.replay.records().size(), 2u);
  EXPECT_TRUE(b.replay.records()[1].touch);
  EXPECT_FLOAT_EQ(b.replay.records()[1].point.z, 0.7f);

  EXPECT_FALSE(b.replay.parse(head + "0.15 0 0 0 1 1600 0 0 0 0\n0.4 0 0 0 1 1500 0 0 0 0\n"));  // backwards
  EXPECT_EQ(b.replay.records().size(), 2u);
  EXPECT_FALSE(b.replay.parse(head + "0.3 0 0 x 1 1600 0 0 0 0\n0.4 0 0 0 1 1500 0 0 0 0\n"));  // not a number
  EXPECT_EQ(b.replay.records().size(), 2u);
  EXPECT_FALSE(b.replay.parse(head + "0.3 0 0 0 1 nan 0 0 0 0\n"));
  EXPECT_EQ(b.replay.records().size(), 2u);
  EXPECT_FALSE(b.replay.parse(head + "0.3 0 0 0 1 1600 2 0 0 0\n"));  // a flag neither 0 nor 1
  EXPECT_EQ(b.replay.records().size(), 2u);
  EXPECT_FALSE(b.replay.parse("garbage"));
  EXPECT_EQ(b.replay.seed(), 0u);
  EXPECT_TRUE(b.replay.records().empty());

  // What the recorder writes reads back to the same records.
  EXPECT_TRUE(b.replay.parse(head + "\n  \n"));
  Replay again(&b.ctx);
  EXPECT_TRUE(again.parse(b.replay.text()));
  ASSERT_EQ(again.records().size(), 2u);
  EXPECT_EQ(again.records()[1].orientation.w, b.replay.records()[1].orientation.w);
  EXPECT_EQ(again.records()[1].point.y, b.replay.records()[1].point.y);
}

TEST(ReplayFile, PrefersTheCompressedFileAndWithoutAnyPlaysNothing) {
  const std::string dir = test::scratchDir("replay_files");
  std::filesystem::create_directories(dir + "devdata");
  test::writeFile(dir + "devdata/replay.rep", "1 5\n0.5 0 0 0 1 900 0 0 0 0\n");
  Bare b;
  b.replay.load(dir);
  EXPECT_EQ(b.replay.seed(), 5u);
  const std::string text = "2 6\n0.5 0 0 0 1 900 0 0 0 0\n0.6 0 0 0 1 901 0 0 0 0\n";
  ASSERT_TRUE(dz::writeCompressedFile(dir + "devdata/replay.dz", dz::Bytes(text.begin(), text.end())));
  b.replay.load(dir);
  EXPECT_EQ(b.replay.seed(), 6u);
  EXPECT_EQ(b.replay.records().size(), 2u);

  const std::string empty = test::scratchDir("replay_none");
  b.replay.load(empty);
  EXPECT_EQ(b.replay.seed(), 0u);
  b.camera.distance = 1234.0f;
  b.replay.startPlayback();
  for (int i = 0; i < 120; ++i) b.replay.update(kStep);
  EXPECT_FLOAT_EQ(b.camera.distance, 1234.0f) << "nothing to play moves nothing";
  EXPECT_TRUE(b.ear->codes.empty());
}

TEST(ReplayPlayback, AppliesEveryRecordDueInAFrameInOrder) {
  Bare b;
  ASSERT_TRUE(b.replay.parse(
      "0 1\n"
      "0.010 0 0 0 1 1000 1 1 0 0\n"
      "0.020 0 0 0 1 1100 0 0 0 0\n"
      "0.030 0 0 0 1 1200 1 0 1 0\n"
      "0.500 0 0 0 1 1300 0 0 0 0\n"));
  b.replay.update(0.2f);  // not playing: nothing applies
  EXPECT_TRUE(b.ear->codes.empty());
  b.replay.startPlayback();
  b.replay.update(0.05f);
  EXPECT_FLOAT_EQ(b.camera.distance, 1200.0f) << "the last record due wins";
  ASSERT_EQ(b.ear->taps.size(), 2u) << "both touches of the frame are judged";
  EXPECT_FLOAT_EQ(b.ear->taps[0].x, 1.0f);
  EXPECT_FLOAT_EQ(b.ear->taps[1].y, 1.0f);
  EXPECT_EQ(b.replay.nextIndex(), 3u);
  b.replay.stopPlayback();
  b.replay.update(1.0f);
  EXPECT_FLOAT_EQ(b.camera.distance, 1200.0f) << "stopped playback leaves the camera alone";
  b.replay.startPlayback();  // a new demonstration plays from the start
  b.replay.update(0.015f);
  EXPECT_FLOAT_EQ(b.camera.distance, 1000.0f);
}

// --- The shipped replay through the real game ------------------------------

// The game's screens as counters, with the permanent replay made as the title
// side makes it.
class Screens : public SceneFactory {
 public:
  void createPermanentTasks(GameContext& ctx) override {
    auto replay = ctx.tasks->create<Replay>(kLayerLogic, &ctx);
    replay->load(*ctx.dataDir);
    ctx.replay = replay.get();
  }
  void createTitle(GameContext&) override {}
  void createResults(GameContext&) override { ++results; }
  void createRanking(GameContext&, int) override { ++rankings; }
  void createGameMenu(GameContext&) override {}
  int results = 0, rankings = 0;
};

struct Outcome {
  std::vector<int> codes;  // judging codes in order
  int correct = 0, just = 0;
  std::vector<float> distances;  // camera distance once a second
  // Exactly: the camera control must not carry anything over from the
  // previous scene into the replayed camera.
  bool sameAs(const Outcome& o) const {
    return codes == o.codes && correct == o.correct && just == o.just && distances == o.distances;
  }
  std::string describe() const {
    std::string d = "correct " + std::to_string(correct) + ", first tap " + std::to_string(just) + ", codes";
    for (int c : codes) d += " " + std::to_string(c);
    d += ", distances";
    for (float v : distances) d += " " + std::to_string(static_cast<int>(v));
    return d;
  }
};

class DemoGame : public ::testing::Test {
 protected:
  void SetUp() override {
    ORB_REQUIRE_GL();
    dataDir_ = test::sourceDir();
    saveDir_ = test::scratchDir("replay_game");
    std::filesystem::remove(saveDir_ + "results.dz");
    settings_.open(dataDir_, saveDir_);
    sound_ = std::make_unique<SoundSystem>(dataDir_);
    scheduler_ = std::make_unique<SoundScheduler>(*sound_);
    GameProc::Services services{&touch_, &keys_, scheduler_.get(), &settings_, &dataDir_, &saveDir_, &screens_};
    game_ = std::make_unique<GameProc>(960, 640, 1.0f, false, services);
    game_->update(kStep);
    for (int i = 0; i < 360; ++i) game_->tasks().update(kStep);  // the opening camera move
    ear_ = std::make_shared<Ear>(&ctx());
    game_->tasks().add(kLayerLogic, ear_);
  }
  GameContext& ctx() { return game_->context(); }

  // Plays the demonstration for seconds with frame steps cycling through steps
  // (or, with untilRecordsEnd, only until the replay has applied its last record).
  Outcome play(float seconds, const std::vector<float>& steps, bool withDemoPlay, bool untilRecordsEnd = false) {
    const Replay& replay = *static_cast<const Replay*>(ctx().replay);
    ear_->codes.clear();
    if (withDemoPlay) {
      ctx().tasks->create<DemoPlay>(kLayerScreen, &ctx(), ctx().replay);
    } else {
      ctx().demonstration = true;
      ctx().tasks->create<GameMain>(kLayerLogic, &ctx(), ctx().replay);
    }
    Outcome out;
    float t = 0, nextSample = 1;
    for (std::size_t i = 0; t < seconds; ++i) {
      const float dt = steps[i % steps.size()];
      game_->tasks().update(dt);
      t += dt;
      if (untilRecordsEnd && replay.playing() && replay.nextIndex() == replay.records().size()) break;
      if (t >= nextSample && replay.playing()) {
        out.distances.push_back(ctx().camera->distance);
        nextSample += 1;
      }
    }
    for (int c : ear_->codes) {
      if (c == kMsgCorrect || c == kMsgMiss || c == kMsgTimeOut || c == kMsgGameEnding) out.codes.push_back(c);
    }
    out.correct = ctx().correctCount;
    out.just = ctx().justCount;
    return out;
  }

  std::string dataDir_, saveDir_;
  SettingsStore settings_;
  std::unique_ptr<SoundSystem> sound_;
  std::unique_ptr<SoundScheduler> scheduler_;
  TouchDispatcher touch_;
  KeyInput keys_;
  Screens screens_;
  std::unique_ptr<GameProc> game_;
  std::shared_ptr<Ear> ear_;
};

// The recording tool's script: ten questions, the third found at the second
// tap, the fifth left to run out; the rest found at the first tap. The game
// counts a first tap only when nothing went wrong since the last find, so the
// questions after the miss and after the time-out are not among them.
constexpr int kScriptCorrect = 9;
constexpr int kScriptFirstTap = 7;

TEST_F(DemoGame, ShippedReplayPlaysTheScriptedGameThroughTheRealJudging) {
  ASSERT_TRUE(dz::fileExists(dataDir_ + "devdata/replay.dz"));
  const Replay& replay = *static_cast<Replay*>(ctx().replay);
  ASSERT_GT(replay.records().size(), 1000u);
  EXPECT_GE(replay.records().back().time, 30.0f) << "at least half a minute of play";

  const Outcome out = play(70.0f, {kStep}, false, true);
  EXPECT_EQ(out.correct, kScriptCorrect);
  EXPECT_EQ(out.just, kScriptFirstTap);
  EXPECT_EQ(count(out.codes, kMsgMiss), 1);
  EXPECT_EQ(count(out.codes, kMsgTimeOut), 1);
  // The player never taps what is already answered: one judgement per tap.
  EXPECT_EQ(count(ear_->codes, kMsgGlobeTapped), kScriptCorrect + 1);
}

TEST_F(DemoGame, UnevenFramesStillPlayTheSameGame) {
  // A real title runs at whatever rate the machine manages.
  const Outcome out = play(70.0f, {1.0f / 45, 1.0f / 75, 1.0f / 60, 1.0f / 30}, false, true);
  EXPECT_EQ(out.correct, kScriptCorrect);
  EXPECT_EQ(out.just, kScriptFirstTap);
  EXPECT_EQ(count(out.codes, kMsgTimeOut), 1);
}

TEST_F(DemoGame, TheDemonstrationIsTheSameEveryTime) {
  const Outcome first = play(25.0f, {kStep}, true);
  // The first touch after the label shows ends it, through the real touch road.
  touch_.began({Touch{100, 100, 100, 100}});
  touch_.ended({Touch{100, 100, 100, 100}});
  ear_->codes.clear();
  game_->tasks().update(kStep);
  EXPECT_EQ(count(ear_->codes, kMsgBackToTitle), 1);
  EXPECT_EQ(count(ear_->codes, kMsgDemoEnded), 1);
  EXPECT_FALSE(ctx().replay == nullptr);
  for (int i = 0; i < 10; ++i) game_->tasks().update(kStep);

  const Outcome second = play(25.0f, {kStep}, true);
  EXPECT_TRUE(first.sameAs(second)) << "same seed, same camera, same touches, same judgements\n"
                                    << first.describe() << "\n" << second.describe();
  EXPECT_GE(first.correct, 4);
}

TEST_F(DemoGame, ATouchBeforeTheLabelShowsIsIgnored) {
  auto demo = ctx().tasks->create<DemoPlay>(kLayerScreen, &ctx(), ctx().replay);
  EXPECT_TRUE(ctx().demonstration);
  game_->tasks().update(kStep);
  touch_.began({Touch{100, 100, 100, 100}});
  touch_.ended({Touch{100, 100, 100, 100}});
  for (int i = 0; i < 30; ++i) game_->tasks().update(kStep);
  ASSERT_FALSE(demo->labelShown()) << "still within \"demo_delay\"";
  EXPECT_EQ(count(ear_->codes, kMsgDemoEnded), 0);
  for (int i = 0; i < 60; ++i) game_->tasks().update(kStep);
  ASSERT_TRUE(demo->labelShown());
  EXPECT_EQ(count(ear_->codes, kMsgDemoEnded), 0) << "the early touch was not kept for later";
  touch_.began({Touch{100, 100, 100, 100}});
  touch_.ended({Touch{100, 100, 100, 100}});
  game_->tasks().update(kStep);
  EXPECT_EQ(count(ear_->codes, kMsgDemoEnded), 1);
  EXPECT_FALSE(demo->alive());
}

TEST_F(DemoGame, NeverShowsResultsStoresARankingOrMarksAPlaceFound) {
  const std::string placesBefore = json::at(settings_.root(), "places").serialize();
  // Past the end of the game clock and the game-over banner.
  const Outcome out = play(95.0f, {kStep}, false);
  EXPECT_EQ(count(out.codes, kMsgGameEnding), 1) << "the demonstration game did end";
  EXPECT_EQ(count(ear_->codes, kMsgGameOverDone), 1);
  EXPECT_EQ(screens_.results, 0);
  EXPECT_EQ(screens_.rankings, 0);
  EXPECT_FALSE(std::filesystem::exists(saveDir_ + "results.dz"));
  EXPECT_EQ(json::at(settings_.root(), "places").serialize(), placesBefore);
}

}  // namespace
}  // namespace orb
