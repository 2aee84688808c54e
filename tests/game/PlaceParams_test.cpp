#include "game/PlaceParams.h"

#include <gtest/gtest.h>
#include <picojson.h>

namespace orb {
namespace {

picojson::value parse(const std::string& text) {
  picojson::value v;
  const std::string err = picojson::parse(v, text);
  EXPECT_TRUE(err.empty()) << err;
  return v;
}

TEST(PlaceParams, ReadsTheModeAndLevelTables) {
  const picojson::value game = parse(R"({"touch_radius": 0.003, "level_ofs": [0, 3, 1],
    "time": [60, 50, 0], "extend_rate": [1, 0.8, 0], "question": [8, 9, 10],
    "ans_time": [15, 14], "q_refresh_delay": [1.5, 1.2]})");
  const PlaceParams advanced(game, 1);
  EXPECT_FLOAT_EQ(0.003f, advanced.touchRadius());
  EXPECT_EQ(3, advanced.levelOffset());
  EXPECT_FLOAT_EQ(50.0f, advanced.initialTime());
  EXPECT_FLOAT_EQ(0.8f, advanced.extendRate());
  EXPECT_EQ(9, advanced.questionsNeeded(1));
  EXPECT_FLOAT_EQ(14.0f, advanced.answerTime(1));
  EXPECT_FLOAT_EQ(1.2f, advanced.refreshDelay(1));
}

TEST(PlaceParams, IndicesPastEitherEndAreClamped) {
  const picojson::value game = parse(R"({"level_ofs": [0, 3], "time": [60],
    "question": [8, 9, 10], "ans_time": [15, 14], "q_refresh_delay": [1.5]})");
  const PlaceParams survival(game, 2);
  EXPECT_EQ(3, survival.levelOffset()) << "a mode past the end reads the last entry";
  EXPECT_FLOAT_EQ(60.0f, survival.initialTime());
  EXPECT_EQ(10, survival.questionsNeeded(40));
  EXPECT_FLOAT_EQ(14.0f, survival.answerTime(99));
  EXPECT_FLOAT_EQ(1.5f, survival.refreshDelay(7));
  EXPECT_EQ(8, survival.questionsNeeded(-2)) << "a negative index reads the first";
  const picojson::value empty = parse("{}");  // the tables are read later, so it must outlive them
  const PlaceParams missing(empty, 0);
  EXPECT_EQ(0, missing.questionsNeeded(3)) << "absent tables read as zero";
  EXPECT_FLOAT_EQ(0.0f, missing.touchRadius());
}

}  // namespace
}  // namespace orb
