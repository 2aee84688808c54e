#pragma once
#include <string>
#include <vector>

#include <picojson.h>

namespace orb {

class SettingsStore;

// One line of a ranking table.
struct RankRow {
  int level = 0;    // level reached, 1 first
  int konahen = 0;  // places found
  int score = 0;
  bool isNew = false;  // the result of the game just finished
};

// The stored results: one JSON object with an array of {"level", "konahen",
// "score"} per mode ("normal", "advanced", "survival"). Every finished game
// adds one object and the arrays are never shortened; a table shows the best
// ten. Read from the player's save file, or on a first run from the shipped
// defaults; written back whole, compressed and atomically, after each result.
//
// Damage: a save file that cannot be read, decompressed or parsed, whose root
// is not an object, or whose mode member is there but is not an array, is
// renamed aside (keepAside) and the defaults are used. A mode member that is
// simply absent is not damage: nothing in the file is unreadable, so the file
// stays and that mode reads as an empty table until its first result adds the
// member. A row that is not an object or has a non-numeric level, konahen or
// score is skipped (and kept in the file).
class RankingStore {
 public:
  static constexpr const char* kSaveFile = "results.dz";
  static constexpr const char* kDefaultsFile = "devdata/results.json";
  static constexpr int kTableRows = 10;      // rows a table shows
  static constexpr int kUnlockingRows = 5;   // a new row this high unlocks

  // The document's member for mode (0 normal, 1 advanced, 2 survival).
  static const char* modeKey(int mode);
  // The settings flag a top-five result of mode sets.
  static const char* unlockKey(int mode);

  // dataDir and saveDir end with a slash (or are empty).
  void open(const std::string& dataDir, const std::string& saveDir);

  // Every readable row of mode in file order, none of them new.
  std::vector<RankRow> rows(int mode) const;
  // The sorted ten rows of mode.
  std::vector<RankRow> table(int mode) const { return sorted(rows(mode)); }

  // Adds the finished game to mode's array and saves the whole document.
  // Returns the table with that row marked new. The row is in memory even
  // when the file could not be written (then nothing on disk changed).
  std::vector<RankRow> enter(int mode, int level, int konahen, int score);

  // Higher score first; on equal scores fewer places found first; rows equal
  // in both keep the one read later higher, so a new row appended last stands
  // above its equals. Cut or padded with zero rows to exactly ten.
  static std::vector<RankRow> sorted(std::vector<RankRow> rows);
  // 0-based position of the first new row, -1 when none made the table.
  static int newRowPosition(const std::vector<RankRow>& table);
  // The settings flag a new row at position unlocks in mode, or nullptr.
  static const char* unlockedBy(int mode, int position);
  // Sets that flag in settings; false when the position unlocks nothing.
  static bool unlock(SettingsStore& settings, int mode, int position);

  // Writes the document compressed to savePath(), atomically. False when it
  // could not, or when a damaged save could not be moved aside (it is not
  // overwritten then).
  bool save() const;

  const picojson::value& document() const { return root_; }
  std::string savePath() const { return saveDir_ + kSaveFile; }
  // The file the results came from ("" when none could be read).
  const std::string& source() const { return source_; }
  // Where a damaged save was moved ("" when none was).
  const std::string& keptAside() const { return keptAside_; }

 private:
  static bool usable(const picojson::value& root);
  void useDefaults();

  std::string dataDir_, saveDir_;
  picojson::value root_{picojson::object()};
  std::string source_;
  std::string keptAside_;
  bool mayWrite_ = true;
};

}  // namespace orb
