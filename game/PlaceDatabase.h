#pragma once
// The places document and what the game does with it: loading the place of a
// question, drawing a level's questions in the game generator's order, and the
// record of places the player has ever found.
//
// The document's root maps place keys to entries {"level": number, "name":
// string, "file": outline file under devdata/place/, "answer": optional
// string}. Keys are visited in byte order.
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "game/Place.h"

namespace picojson {
class value;
}

namespace orb {

struct GameContext;
class SettingsStore;

class PlaceDatabase {
 public:
  // places: the document's root (kept by reference; it must outlive this
  // object). dataDir: the data-directory prefix, ending in a slash or empty.
  PlaceDatabase(const picojson::value& places, std::string dataDir);

  // Builds the place named key and fills the context's place name, answer
  // line and answer points (the globe point of each polygon's vertex mean).
  // The place's radius becomes touchRadius. An unknown key, an entry without
  // "file" or a missing or malformed outline gives a place with no polygons
  // (never hit) and one stderr line. Always returns a place.
  std::shared_ptr<Place> loadPlace(const std::string& key, float touchRadius, GameContext& context) const;

  // Outline file path of an entry ("" when the entry has no "file" string).
  std::string outlinePath(const std::string& key) const;

  // The keys whose "level" equals level + levelOffset, in key order, then
  // shuffled: for i = 1 .. n-1, swap element i with element (next output of
  // gen) mod (i + 1). A list of zero or one key draws nothing. Entries
  // without a "name" or "file" string are left out, with one stderr line.
  std::vector<std::string> questionList(int level, int levelOffset, std::mt19937& gen) const;

  // When settings member "places" is not an object, it becomes one mapping
  // every key of the document to false. An existing object is kept as it is.
  void seedFound(picojson::value& settingsRoot) const;

  // Sets "places"[key] = true for every key found in a finished game.
  static void markFound(const std::vector<std::string>& keys, SettingsStore& settings);
  // Share of the "places" members that are true, in [0, 1].
  static float fractionFound(const SettingsStore& settings);

 private:
  const picojson::value& places_;
  std::string dataDir_;
};

}  // namespace orb
