// The shipped sound set: what the game plays must exist, decode, sit at one
// loudness, be routed so the right sounds mix, and reach the speakers.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "audio/AudioTestFiles.h"
#include "audio/SoundScheduler.h"
#include "audio/SoundSystem.h"
#include "audio/WavFile.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

const char* const kGameSounds[] = {"opening",    "start",    "gamestart", "question", "count_down",
                                   "touch_just", "touch_in", "touch_out", "miss",     "lvup",
                                   "stop",       "result",   "ranking",   "unlock"};
const char* const kJingles[] = {"opening", "gamestart", "stop", "result", "ranking"};

double db(double amplitude) { return 20.0 * std::log10(amplitude); }

struct Level {
  double peakDb;
  double rmsDb;
};

Level measure(const WavFile& wav) {
  double peak = 0.0, sum = 0.0;
  for (std::int16_t s : wav.samples()) {
    const double v = s / 32768.0;
    peak = std::max(peak, std::abs(v));
    sum += v * v;
  }
  return {db(peak), db(std::sqrt(sum / wav.samples().size()))};
}

// The "RMS amplitude" sox reports for a file, or -1 if it cannot be read.
double soxRms(const std::string& path) {
  FILE* p = popen(("sox '" + path + "' -n stat 2>&1").c_str(), "r");
  if (!p) return -1.0;
  char line[256];
  double rms = -1.0;
  while (std::fgets(line, sizeof line, p)) {
    std::sscanf(line, "RMS amplitude: %lf", &rms);
    std::sscanf(line, "RMS     amplitude: %lf", &rms);
  }
  pclose(p);
  return rms;
}

class GameSoundsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("ALSOFT_DRIVERS", "null", 1);
    params_ = std::make_unique<JsonDocument>(test::sourceDir() + "devdata/params.json");
    ASSERT_TRUE(params_->loaded()) << params_->error();
  }
  const picojson::value& audio() const { return json::at(params_->root(), "audio"); }

  std::unique_ptr<JsonDocument> params_;
};

TEST_F(GameSoundsTest, EverySoundDecodesAsMono44kAtOneLoudnessUnderTheCeiling) {
  for (const char* name : kGameSounds) EXPECT_TRUE(audio().contains(name)) << name << " missing from \"audio\"";
  std::vector<double> rms;
  std::vector<std::string> names;
  for (const auto& [name, def] : json::object(audio())) {
    const std::string path = test::sourceDir() + "devdata/" + json::string(json::at(def, "file"));
    WavFile wav;
    std::string error;
    ASSERT_TRUE(wav.load(path, error)) << path << ": " << error;
    EXPECT_EQ(wav.sampleRate(), 44100) << name;
    EXPECT_EQ(wav.channels(), 1) << name;
    const Level level = measure(wav);
    EXPECT_LT(level.peakDb, -1.0) << name << " peaks at " << level.peakDb << " dBFS";
    rms.push_back(level.rmsDb);
    names.push_back(name);
  }
  ASSERT_FALSE(rms.empty());
  std::vector<double> sorted = rms;
  std::sort(sorted.begin(), sorted.end());
  const double median = sorted[sorted.size() / 2];
  // No exemptions needed: the count-down tick and the jingles are levelled by
  // the synthesiser like every other sound.
  for (std::size_t i = 0; i < rms.size(); ++i) {
    EXPECT_LE(std::abs(rms[i] - median), 6.0) << names[i] << " RMS " << rms[i] << " dB, median " << median;
  }
}

TEST_F(GameSoundsTest, ChannelsLetRewardsAndTicksMixButAnswersCutEachOther) {
  SoundSystem sound(test::sourceDir());
  ASSERT_EQ(sound.soundCount(), std::size(kGameSounds));
  const auto ch = [&](const char* n) { return sound.channelOf(n); };
  // One answer at a time: a new tap result replaces the last one.
  for (const char* n : {"touch_in", "touch_out", "miss", "start"}) EXPECT_EQ(ch(n), ch("touch_just")) << n;
  // One jingle at a time.
  for (const char* n : kJingles) EXPECT_EQ(ch(n), ch("opening")) << n;
  // The count-down ticks over a jingle and over the answers.
  for (const char* n : {"opening", "stop", "touch_just", "question", "lvup"}) EXPECT_NE(ch("count_down"), ch(n)) << n;
  // Level up follows a correct answer by 0.25 s and must not cut it; the next
  // question's ping must not cut the answer either.
  for (const char* n : {"lvup", "question", "unlock"}) EXPECT_NE(ch(n), ch("touch_just")) << n;
  EXPECT_NE(ch("question"), ch("lvup"));
  // The last time-out of a survival game and the end-of-game sound coincide.
  EXPECT_NE(ch("miss"), ch("stop"));
}

// Plays the game's own "question" through OpenAL Soft's wave-writer backend in
// a fresh process (the backend is chosen once per process) at the given master
// volume, and returns the written mix's RMS as sox measures it.
double questionThroughWaveWriter(const std::string& name, float volume) {
  const std::string dir = test::scratchDir(name);
  const std::string out = dir + "mix.wav";
  const std::string conf = dir + "alsoft.conf";
  test::writeFile(conf, "[general]\ndrivers=wave\n[wave]\nfile=" + out + "\n");
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setenv("ALSOFT_DRIVERS", "wave", 1);
        setenv("ALSOFT_CONF", conf.c_str(), 1);
        int failure = 0;
        {
          SoundSystem sound(test::sourceDir());
          SoundScheduler scheduler(sound);
          sound.setVolume(volume);
          scheduler.play("question", 1.0f, 0.05f);  // as a new question is posed
          for (int frame = 0; frame < 10; ++frame) {
            scheduler.update(1.0f / 60.0f);
            std::this_thread::sleep_for(std::chrono::milliseconds(16));
          }
          failure = !sound.soundPlaying("question");
          for (int i = 0; i < 300 && sound.soundPlaying("question"); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
          }
        }  // closing the device finishes the file
        std::exit(failure);
      },
      ::testing::ExitedWithCode(0), "");
  return soxRms(out);
}

TEST_F(GameSoundsTest, QuestionSoundReachesTheOutput) {
  const double rms = questionThroughWaveWriter("wave_full", 1.0f);
  EXPECT_GT(rms, 0.01) << "the mix is silent (RMS " << rms << ")";
}

// The control for the check above: the same run with the master volume at 0
// must write silence, so the measurement can tell the two apart.
TEST_F(GameSoundsTest, MutedMasterVolumeSilencesTheOutput) {
  const double rms = questionThroughWaveWriter("wave_muted", 0.0f);
  EXPECT_GE(rms, 0.0) << "no readable output";
  EXPECT_LT(rms, 0.0005) << "volume 0 still sounds (RMS " << rms << ")";
}

}  // namespace
}  // namespace orb
