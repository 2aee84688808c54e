#pragma once
#include <memory>
#include <string>

#include "data/JsonDocument.h"

namespace orb {

// What the game remembers between runs, apart from the ranking: window size,
// volume, unlocks, the chosen globe image, play counts and the places found.
// Read from the player's save file (or the shipped defaults on a first run),
// changed in memory, and written back compressed when the game exits.
class SettingsStore {
 public:
  static constexpr const char* kSaveFile = "settings.dz";
  static constexpr const char* kDefaultsFile = "devdata/settings.json";

  // dataDir and saveDir end with a slash (or are empty). A damaged save file is
  // renamed aside (never overwritten) and the defaults are read instead.
  void open(const std::string& dataDir, const std::string& saveDir);
  void reload() { open(dataDir_, saveDir_); }

  // The settings object; always an object once open() has run.
  picojson::value& root() { return root_; }
  const picojson::value& root() const { return root_; }

  bool getFlag(const std::string& key) const;
  void setFlag(const std::string& key, bool value);
  void setNumber(const std::string& key, double value);
  // The settings member key, created as null when absent (and then saved as null).
  picojson::value& member(const std::string& key);

  void markPlace(const std::string& name);
  // Share of the "places" members that are true, 0 when there are none.
  float correctRate() const;

  // Writes the settings compressed, atomically. False when the file could not be written.
  bool save();
  // save(), then forget the document. Called once, at exit.
  void close();

  std::string savePath() const { return saveDir_ + kSaveFile; }
  // Which file the settings came from ("" when neither could be read).
  const std::string& source() const { return source_; }

 private:
  void useBuiltInDefaults();

  std::string dataDir_, saveDir_;
  picojson::value root_;
  std::string source_;
  bool open_ = false;
};

}  // namespace orb
