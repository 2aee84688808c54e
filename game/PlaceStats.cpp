#include "game/PlaceStats.h"

#include <picojson.h>

#include <algorithm>
#include <tuple>

#include "data/Json.h"

namespace orb {
namespace {

enum Field : std::size_t { kAsked, kHits, kLastSeen, kLastHit, kFieldCount };

int field(const picojson::value& row, Field f) {
  const picojson::array& a = json::array(row);
  return f < a.size() ? json::integer(a[f]) : 0;
}

}  // namespace

PlaceStats::PlaceStats(picojson::value& settingsRoot) : root_(settingsRoot) {}

PlaceStats::Entry PlaceStats::entry(const std::string& key) const {
  const picojson::value& row = json::at(json::at(json::at(root_, kSettingsKey), "places"), key);
  Entry e;
  e.asked = field(row, kAsked);
  e.hits = std::min(field(row, kHits), e.asked);
  e.lastSeen = field(row, kLastSeen);
  e.lastHit = field(row, kLastHit);
  return e;
}

void PlaceStats::record(const std::string& key, bool firstTapHit) {
  if (key.empty()) return;
  Entry e = entry(key);
  picojson::value& mastery = json::member(root_, kSettingsKey);
  picojson::value& clock = json::member(mastery, "clock");
  const int now = json::integer(clock) + 1;
  clock = picojson::value(static_cast<double>(now));
  ++e.asked;
  e.lastSeen = now;
  if (firstTapHit) {
    ++e.hits;
    e.lastHit = now;
  }
  picojson::array row(kFieldCount);
  row[kAsked] = picojson::value(static_cast<double>(e.asked));
  row[kHits] = picojson::value(static_cast<double>(e.hits));
  row[kLastSeen] = picojson::value(static_cast<double>(e.lastSeen));
  row[kLastHit] = picojson::value(static_cast<double>(e.lastHit));
  json::member(json::member(mastery, "places"), key) = picojson::value(std::move(row));
}

std::vector<std::string> PlaceStats::weakestFirst(const std::vector<std::string>& candidates) const {
  struct Ranked {
    int group;  // 0 missed before, 1 never asked, 2 always found
    int misses, lastHit, lastSeen;
    std::size_t given;
  };
  std::vector<Ranked> ranked;
  ranked.reserve(candidates.size());
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    const Entry e = entry(candidates[i]);
    const int group = e.misses() > 0 ? 0 : (e.asked == 0 ? 1 : 2);
    ranked.push_back({group, e.misses(), e.lastHit, e.lastSeen, i});
  }
  std::stable_sort(ranked.begin(), ranked.end(), [](const Ranked& a, const Ranked& b) {
    return std::make_tuple(a.group, -a.misses, a.lastHit, a.lastSeen, a.given) <
           std::make_tuple(b.group, -b.misses, b.lastHit, b.lastSeen, b.given);
  });
  std::vector<std::string> order;
  order.reserve(ranked.size());
  for (const Ranked& r : ranked) order.push_back(candidates[r.given]);
  return order;
}

}  // namespace orb
