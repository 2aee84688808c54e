#include "game/PlaceStats.h"

#include <gtest/gtest.h>
#include <picojson.h>

#include "data/Json.h"

namespace orb {
namespace {

std::vector<std::string> keys(std::initializer_list<const char*> k) { return {k.begin(), k.end()}; }

TEST(PlaceStatsRecord, EachJudgementCountsOnceAndStampsTheClock) {
  picojson::value settings(picojson::object{});
  PlaceStats stats(settings);
  stats.record("c_fra", false);
  stats.record("c_deu", true);
  stats.record("c_fra", true);
  const PlaceStats::Entry fra = stats.entry("c_fra");
  EXPECT_EQ(2, fra.asked);
  EXPECT_EQ(1, fra.hits);
  EXPECT_EQ(1, fra.misses());
  EXPECT_EQ(3, fra.lastSeen);
  EXPECT_EQ(3, fra.lastHit);
  EXPECT_EQ(2, stats.entry("c_deu").lastHit);
  EXPECT_EQ(0, stats.entry("c_ita").asked);
  // Saved compactly, keyed by place key, beside the settings' other members.
  EXPECT_EQ("[2,1,3,3]", json::serialize(json::at(json::at(json::at(settings, "mastery"), "places"), "c_fra")));
  EXPECT_EQ(3, json::integer(json::at(json::at(settings, "mastery"), "clock")));
}

TEST(PlaceStatsOrder, WeakestFirstThenUnaskedInGivenOrderThenLeastRecentlyFound) {
  picojson::value settings(picojson::object{});
  PlaceStats stats(settings);
  stats.record("once_missed", false);   // clock 1
  stats.record("always_old", true);     // clock 2
  stats.record("twice_missed", false);  // clock 3
  stats.record("twice_missed", false);  // clock 4
  stats.record("once_missed_recent", true);   // clock 5
  stats.record("once_missed_recent", false);  // clock 6
  stats.record("always_new", true);     // clock 7
  const auto order = stats.weakestFirst(
      keys({"always_new", "unasked_b", "once_missed_recent", "always_old", "once_missed", "unasked_a",
            "twice_missed"}));
  EXPECT_EQ(keys({"twice_missed",        // most misses
                  "once_missed",         // one miss, never found at the first tap
                  "once_missed_recent",  // one miss, found at the first tap at clock 5
                  "unasked_b", "unasked_a",  // never asked: as given (the drill gives level order)
                  "always_old", "always_new"}),
            order);
}

TEST(PlaceStatsOrder, NoStatisticsKeepTheGivenOrder) {
  picojson::value settings(picojson::object{});
  EXPECT_EQ(keys({"l0_b", "l0_a", "l1_a"}), PlaceStats(settings).weakestFirst(keys({"l0_b", "l0_a", "l1_a"})));
}

}  // namespace
}  // namespace orb
