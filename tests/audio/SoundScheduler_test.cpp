#include "audio/SoundScheduler.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "audio/AudioTestFiles.h"
#include "audio/SoundSystem.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

constexpr float kFrame = 1.0f / 60.0f;  // the shell's nominal step

class SoundSchedulerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("ALSOFT_DRIVERS", "null", 1);
    dir_ = test::scratchDir(std::string("scheduler_") +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_ + "devdata");
    ASSERT_TRUE(test::pythonSine(dir_ + "devdata/tone.wav", 1, 22050, 3.0));
    test::writeFile(dir_ + "devdata/params.json", R"({"audio": {
        "one": {"file": "tone.wav", "ch": "fx"},
        "two": {"file": "tone.wav", "ch": "fx"},
        "far": {"file": "tone.wav", "ch": "other"}}})");
    sound_ = std::make_unique<SoundSystem>(dir_);
  }


  // Updates until the sound starts; returns on which update it did (0 if never within limit).
  int updatesUntilPlaying(SoundScheduler& s, const std::string& name, float dt, int limit = 200) {
    for (int n = 1; n <= limit; ++n) {
      s.update(dt);
      if (sound_->soundPlaying(name)) return n;
    }
    return 0;
  }

  std::string dir_;
  std::unique_ptr<SoundSystem> sound_;
};

TEST_F(SoundSchedulerTest, DelaysCountInFramesAndAnExactZeroIsDue) {
  ASSERT_EQ(sound_->soundCount(), 3u);
  // Every delay the game uses, and the frame on which it must sound.
  const struct {
    float delay;
    int frame;
  } rows[] = {{0.05f, 3}, {0.25f, 15}, {0.5f, 30}, {0.6f, 36}, {1.0f, 60}};
  for (const auto& row : rows) {
    SoundScheduler scheduler(*sound_);
    scheduler.play("one", 1.0f, row.delay);
    EXPECT_FALSE(sound_->soundPlaying("one"));
    EXPECT_EQ(updatesUntilPlaying(scheduler, "one", kFrame), row.frame) << "delay " << row.delay;
    EXPECT_EQ(scheduler.pending(), 0u);
    scheduler.clear();
  }
}

TEST_F(SoundSchedulerTest, PlaysDueTogetherStartInRequestOrder) {
  SoundScheduler scheduler(*sound_);
  scheduler.play("one", 0.3f, 0.05f);
  scheduler.play("two", 0.6f, 0.05f);
  scheduler.play("far", 0.9f, 0.1f);
  EXPECT_EQ(scheduler.pending(), 3u);
  EXPECT_EQ(updatesUntilPlaying(scheduler, "two", kFrame), 3);
  // Same channel: the later request cut the earlier one, with its own volume.
  EXPECT_FALSE(sound_->soundPlaying("one"));
  EXPECT_FLOAT_EQ(sound_->channelGain(sound_->channelOf("two")), 0.6f);
  EXPECT_EQ(scheduler.pending(), 1u) << "the later entry stays queued";
  EXPECT_EQ(updatesUntilPlaying(scheduler, "far", kFrame), 3);
  EXPECT_FLOAT_EQ(sound_->channelGain(sound_->channelOf("far")), 0.9f);
}

TEST_F(SoundSchedulerTest, ClearStopsEverythingAndForgetsTheQueue) {
  SoundScheduler scheduler(*sound_);
  scheduler.play("far");  // no delay: at once
  EXPECT_TRUE(sound_->soundPlaying("far"));
  scheduler.play("one", 1.0f, 0.1f);
  scheduler.clear();
  EXPECT_FALSE(sound_->soundPlaying("far"));
  EXPECT_EQ(scheduler.pending(), 0u);
  EXPECT_EQ(updatesUntilPlaying(scheduler, "one", kFrame, 120), 0);
}

TEST_F(SoundSchedulerTest, UnknownNamesLeaveTheQueueWhenDue) {
  SoundScheduler scheduler(*sound_);
  scheduler.play("nope", 1.0f, 0.05f);
  for (int i = 0; i < 3; ++i) scheduler.update(kFrame);
  EXPECT_EQ(scheduler.pending(), 0u);
  for (int ch = 0; ch < 2; ++ch) EXPECT_FALSE(sound_->channelPlaying(ch));
}

}  // namespace
}  // namespace orb
