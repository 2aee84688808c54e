#include "game/PlaceParams.h"

#include <algorithm>

#include "data/Json.h"

namespace orb {

namespace {
const picojson::value& entry(const picojson::value& game, const char* key, int index) {
  return json::element(json::at(game, key), static_cast<std::size_t>(std::max(index, 0)));
}
}  // namespace

PlaceParams::PlaceParams(const picojson::value& game, int mode)
    : game_(game),
      touchRadius_(json::real(game, "touch_radius")),
      levelOffset_(json::integer(entry(game, "level_ofs", mode))),
      time_(json::real(entry(game, "time", mode))),
      extendRate_(json::real(entry(game, "extend_rate", mode))) {}

int PlaceParams::questionsNeeded(int placeLevel) const {
  return json::integer(entry(game_, "question", placeLevel));
}

float PlaceParams::answerTime(int level) const { return json::real(entry(game_, "ans_time", level)); }

float PlaceParams::refreshDelay(int level) const {
  return json::real(entry(game_, "q_refresh_delay", level));
}

}  // namespace orb
