#include "game/PlaceDatabase.h"

#include <picojson.h>

#include <iostream>
#include <utility>

#include "data/Json.h"
#include "data/SettingsStore.h"
#include "globe/GameContext.h"
#include "game/MapCoords.h"

namespace orb {

namespace {
constexpr const char* kOutlineFolder = "devdata/place/";
}  // namespace

PlaceDatabase::PlaceDatabase(const picojson::value& places, std::string dataDir)
    : places_(places), dataDir_(std::move(dataDir)) {}

std::string PlaceDatabase::outlinePath(const std::string& key) const {
  const picojson::value& file = json::at(json::at(places_, key), "file");
  if (!file.is<std::string>()) return {};
  return dataDir_ + kOutlineFolder + file.get<std::string>();
}

std::shared_ptr<Place> PlaceDatabase::loadPlace(const std::string& key, float touchRadius,
                                                GameContext& context) const {
  const picojson::value& entry = json::at(places_, key);
  auto place = std::make_shared<Place>();
  const std::string path = outlinePath(key);
  if (path.empty()) {
    std::cerr << "places: entry \"" << key << "\" has no outline file\n";
  } else {
    (void)place->load(path);  // a failed load has said why and leaves no polygons
  }

  const picojson::value& name = json::at(entry, "name");
  if (!name.is<std::string>()) std::cerr << "places: entry \"" << key << "\" has no name\n";
  context.placeKey = key;
  context.placeName = json::string(name);
  const picojson::value& answer = json::at(entry, "answer");
  context.hasAnswer = answer.is<std::string>();
  if (context.hasAnswer) context.answerText = answer.get<std::string>();

  context.answerPoints.clear();
  for (const Place::Polygon& poly : place->polygons()) {
    context.answerPoints.push_back(globeFromMap(Place::vertexMean(poly)));
  }
  place->setRadius(touchRadius);
  return place;
}

std::vector<std::string> PlaceDatabase::questionList(int level, int levelOffset, std::mt19937& gen) const {
  std::vector<std::string> keys;
  const double wanted = static_cast<double>(level) + static_cast<double>(levelOffset);
  for (const auto& [key, entry] : json::object(places_)) {
    const picojson::value& lv = json::at(entry, "level");
    if (!lv.is<double>() || lv.get<double>() != wanted) continue;
    if (!json::at(entry, "name").is<std::string>() || !json::at(entry, "file").is<std::string>()) {
      std::cerr << "places: entry \"" << key << "\" lacks a name or file and is not asked\n";
      continue;
    }
    keys.push_back(key);
  }
  for (std::size_t i = 1; i < keys.size(); ++i) {
    const std::uint32_t w = static_cast<std::uint32_t>(gen());
    std::swap(keys[i], keys[w % (i + 1)]);
  }
  return keys;
}

void PlaceDatabase::seedFound(picojson::value& settingsRoot) const {
  picojson::value& found = json::member(settingsRoot, "places");
  if (found.is<picojson::object>()) return;
  picojson::object fresh;
  for (const auto& entry : json::object(places_)) fresh[entry.first] = picojson::value(false);
  found = picojson::value(std::move(fresh));
}

void PlaceDatabase::markFound(const std::vector<std::string>& keys, SettingsStore& settings) {
  for (const std::string& key : keys) settings.markPlace(key);
}

float PlaceDatabase::fractionFound(const SettingsStore& settings) { return settings.correctRate(); }

}  // namespace orb
