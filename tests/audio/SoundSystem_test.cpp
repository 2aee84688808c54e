#include "audio/SoundSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <sstream>
#include <thread>

#include "audio/AudioTestFiles.h"
#include "audio/SoundScheduler.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

picojson::value parse(const std::string& text) {
  picojson::value v;
  const std::string err = picojson::parse(v, text);
  EXPECT_EQ(err, "") << text;
  return v;
}

std::size_t lines(const std::string& s) {
  std::size_t n = 0;
  for (char c : s) n += c == '\n';
  return n;
}

// Real OpenAL Soft on its null backend: sources play, stop and keep their
// gains exactly as on a sound card, with nothing to hear.
class SoundSystemTest : public ::testing::Test {
 protected:
  // One folder per test: ctest runs tests of this suite in parallel processes.
  void SetUp() override {
    setenv("ALSOFT_DRIVERS", "null", 1);
    dir_ = test::scratchDir(std::string("sound_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_ + "devdata");
    ASSERT_TRUE(test::pythonSine(dir_ + "devdata/long_a.wav", 1, 22050, 3.0, 440));
    ASSERT_TRUE(test::pythonSine(dir_ + "devdata/long_b.wav", 2, 44100, 3.0, 660));
    ASSERT_TRUE(test::pythonSine(dir_ + "devdata/short.wav", 1, 22050, 0.05, 880));
    test::writeFile(dir_ + "devdata/params.json", "{\"audio\": " + kTable + ", \"other\": {}}");
  }

  // Keys sorted: "a", "b", "blip", "c", "loop" - so the channels are numbered
  // fx 0, blip 1, music 2, loop 3 in order of first appearance.
  static inline const std::string kTable =
      R"({"a":    {"file": "long_a.wav", "ch": "fx",    "loop": false},
          "b":    {"file": "long_b.wav", "ch": "fx",    "loop": false},
          "c":    {"file": "long_a.wav", "ch": "music", "loop": false},
          "loop": {"file": "short.wav",  "ch": "loop",  "loop": true, "gain": 0.3},
          "blip": {"file": "short.wav",  "ch": "blip"}})";
  std::string dir_;
};

TEST_F(SoundSystemTest, LoadsTheParameterFileTableWithChannelsInOrderOfFirstAppearance) {
  SoundSystem sound(dir_);
  ASSERT_TRUE(sound.available());
  EXPECT_EQ(sound.soundCount(), 5u);
  EXPECT_EQ(sound.channelCount(), 4u);
  EXPECT_EQ(sound.channelOf("a"), 0);
  EXPECT_EQ(sound.channelOf("b"), 0);
  EXPECT_EQ(sound.channelOf("blip"), 1);
  EXPECT_EQ(sound.channelOf("c"), 2);
  EXPECT_EQ(sound.channelOf("loop"), 3);
  EXPECT_EQ(sound.channelOf("nope"), -1);
  EXPECT_FLOAT_EQ(sound.volume(), 1.0f);
}

TEST_F(SoundSystemTest, SecondSoundOnAChannelCutsTheFirstWhileOtherChannelsMix) {
  SoundSystem sound(dir_, parse(kTable));
  sound.play("a");
  sound.play("c");
  EXPECT_TRUE(sound.soundPlaying("a"));
  EXPECT_TRUE(sound.soundPlaying("c"));
  sound.play("b");
  EXPECT_TRUE(sound.soundPlaying("b"));
  EXPECT_FALSE(sound.soundPlaying("a"));
  EXPECT_TRUE(sound.soundPlaying("c")) << "a sound on another channel must keep playing";
}

TEST_F(SoundSystemTest, MasterVolumeReachesPlayingSourcesAtOnce) {
  SoundSystem sound(dir_, parse(kTable));
  sound.play("loop", 0.8f);
  EXPECT_FLOAT_EQ(sound.channelGain(3), 0.8f);
  sound.setVolume(0.5f);
  EXPECT_FLOAT_EQ(sound.volume(), 0.5f);
  EXPECT_FLOAT_EQ(sound.channelGain(3), 0.4f);
  EXPECT_TRUE(sound.soundPlaying("loop"));
  EXPECT_FLOAT_EQ(sound.channelGain(0), 0.0f) << "an unused channel stays silent";
  sound.play("a", 0.6f);
  EXPECT_FLOAT_EQ(sound.channelGain(0), 0.3f);
  sound.setVolume(1.0f);
  EXPECT_FLOAT_EQ(sound.channelGain(0), 0.6f);
  EXPECT_FLOAT_EQ(sound.channelGain(3), 0.8f);
}

TEST_F(SoundSystemTest, AfterStopAllVolumeChangesLeaveEverySourceSilent) {
  SoundSystem sound(dir_, parse(kTable));
  sound.play("a", 1.0f);
  sound.play("loop", 0.8f);
  sound.stopAll();
  for (int ch = 0; ch < 4; ++ch) EXPECT_FALSE(sound.channelPlaying(ch)) << ch;
  sound.setVolume(0.7f);
  for (int ch = 0; ch < 4; ++ch) EXPECT_FLOAT_EQ(sound.channelGain(ch), 0.0f) << ch;
  sound.play("c");
  EXPECT_FLOAT_EQ(sound.channelGain(2), 0.7f);
}

TEST_F(SoundSystemTest, UnknownNamesAreIgnored) {
  SoundSystem sound(dir_, parse(kTable));
  sound.play("c", 0.5f);
  sound.play("nope");
  sound.play("");
  sound.play("C");
  EXPECT_TRUE(sound.soundPlaying("c"));
  EXPECT_FLOAT_EQ(sound.channelGain(2), 0.5f);
  for (int ch : {0, 1, 3}) EXPECT_FALSE(sound.channelPlaying(ch)) << ch;
}

TEST_F(SoundSystemTest, LoopingSoundOutlivesItsLengthAndAOneShotEnds) {
  SoundSystem sound(dir_, parse(kTable));
  sound.play("loop");
  sound.play("blip");
  // Both are 50 ms long; the null backend mixes in real time, so wait for the
  // one-shot to end (generously, on a busy machine) and look at the loop then.
  for (int i = 0; i < 300 && sound.soundPlaying("blip"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(sound.soundPlaying("blip"));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // two more laps of the loop
  EXPECT_TRUE(sound.soundPlaying("loop"));
}

TEST_F(SoundSystemTest, StrayVolumesFromTheSettingsAreKeptInRange) {
  SoundSystem sound(dir_, parse(kTable));
  sound.play("a", 1.0f);
  sound.setVolume(-1.0f);
  EXPECT_FLOAT_EQ(sound.volume(), 0.0f);
  EXPECT_FLOAT_EQ(sound.channelGain(0), 0.0f);
  sound.setVolume(std::numeric_limits<float>::quiet_NaN());
  EXPECT_FLOAT_EQ(sound.volume(), 1.0f);
  sound.setVolume(3.0f);
  EXPECT_FLOAT_EQ(sound.volume(), 1.0f);
  EXPECT_FLOAT_EQ(sound.channelGain(0), 1.0f);
  sound.play("a", -0.5f);  // OpenAL would refuse this and keep the old gain
  EXPECT_FLOAT_EQ(sound.channelGain(0), 0.0f);
}

TEST_F(SoundSystemTest, MissingAndUnacceptableFilesAreSkippedWithOneLineEach) {
  const std::string dir = test::scratchDir("sound_skip");
  std::filesystem::create_directories(dir + "devdata");
  ASSERT_TRUE(test::pythonSine(dir + "devdata/good.wav", 1, 8000, 1.0));
  ASSERT_TRUE(test::python(dir + "devdata/bytes.wav",
                           "w.setnchannels(1)\nw.setsampwidth(1)\nw.setframerate(8000)\nw.writeframes(bytes(800))"));
  test::writeFile(dir + "devdata/cut.wav", test::readFile(dir + "devdata/good.wav").substr(0, 100));
  const picojson::value table = parse(R"({
      "gone":   {"file": "nowhere.wav", "ch": "x"},
      "eight":  {"file": "bytes.wav",   "ch": "x"},
      "cut":    {"file": "cut.wav",     "ch": "y"},
      "nofile": {"ch": "y"},
      "good":   {"file": "good.wav",    "ch": "z"}})");
  ::testing::internal::CaptureStderr();
  SoundSystem sound(dir, table);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(lines(err), 4u) << err;
  for (const char* named : {"nowhere.wav", "bytes.wav", "cut.wav", "\"nofile\""}) {
    EXPECT_NE(err.find(named), std::string::npos) << named << " not named in:\n" << err;
  }
  EXPECT_EQ(sound.soundCount(), 1u);
  EXPECT_FALSE(sound.hasSound("eight"));
  sound.play("eight");
  sound.play("gone");
  EXPECT_FALSE(sound.channelPlaying(0));
  sound.play("good");
  EXPECT_TRUE(sound.soundPlaying("good"));
}

TEST_F(SoundSystemTest, MissingParameterFileLeavesNoSoundsAndSaysWhich) {
  const std::string dir = test::scratchDir("sound_noparams");
  ::testing::internal::CaptureStderr();
  SoundSystem sound(dir);
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(lines(err), 1u) << err;
  EXPECT_NE(err.find("params.json"), std::string::npos) << err;
  EXPECT_EQ(sound.soundCount(), 0u);
  sound.play("a");
  sound.setVolume(0.5f);
  sound.stopAll();
}

// Without a device OpenAL cannot be started again inside this process (the
// backend list is read once), so the silent run happens in a fresh child.
TEST_F(SoundSystemTest, WithoutADeviceEverythingIsANoOpAfterOneLine) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setenv("ALSOFT_DRIVERS", "no-such-backend", 1);
        int failures = 0;
        {
          SoundSystem sound(dir_);
          SoundScheduler scheduler(sound);
          failures += sound.available();
          failures += sound.soundCount() != 0;
          sound.play("a", 1.0f);
          scheduler.play("b", 1.0f, 0.05f);
          for (int i = 0; i < 5; ++i) scheduler.update(1.0f / 60.0f);
          failures += scheduler.pending() != 0;
          sound.setVolume(0.25f);
          failures += sound.volume() != 0.25f;  // still saved to the settings at exit
          failures += sound.channelPlaying(0) || sound.soundPlaying("a");
          scheduler.clear();
        }
        std::exit(failures);
      },
      ::testing::ExitedWithCode(0), "^sound: no audio device[^\n]*silently\n$");
}

}  // namespace
}  // namespace orb
