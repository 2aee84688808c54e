#pragma once
// What the player has shown about each place over every real game and drill:
// how often it was asked, how often the first tap found it, and when it was
// last seen and last found at the first tap. Kept in the settings under
// "mastery" = {"clock": n, "places": {"<place key>": [asked, first-tap hits,
// last seen, last first-tap hit]}}, keyed as the found-places map "places" is.
// Times are values of "clock", which counts the judged questions, so "last"
// needs no wall clock; 0 means never. Only asked places get an entry, which
// keeps the saved file small.
#include <string>
#include <vector>

namespace picojson {
class value;
}

namespace orb {

class PlaceStats {
 public:
  static constexpr const char* kSettingsKey = "mastery";

  struct Entry {
    int asked = 0;
    int hits = 0;      // asked and found at the first tap
    int lastSeen = 0;  // clock of the last judgement, 0 never
    int lastHit = 0;   // clock of the last first-tap hit, 0 never
    int misses() const { return asked - hits; }
  };

  // settingsRoot: the settings object (kept by reference).
  explicit PlaceStats(picojson::value& settingsRoot);

  // The first judgement of a question: found at the first tap or not.
  void record(const std::string& key, bool firstTapHit);

  Entry entry(const std::string& key) const;

  // candidates ordered weakest first: places missed before (most misses, then
  // least recently found, then least recently seen); then places never asked,
  // in the order given; then places always found, least recently found first.
  std::vector<std::string> weakestFirst(const std::vector<std::string>& candidates) const;

 private:
  picojson::value& root_;
};

}  // namespace orb
