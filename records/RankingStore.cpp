#include "records/RankingStore.h"

#include <algorithm>
#include <cassert>
#include <filesystem>
#include <iostream>

#include "data/DzFile.h"
#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/KeepAside.h"
#include "data/SettingsStore.h"
#include "globe/GameContext.h"

namespace orb {
namespace {

constexpr const char* kModeKeys[] = {"normal", "advanced", "survival"};
constexpr const char* kUnlockKeys[] = {"advanced", "survival", "earth_texture"};
static_assert(sizeof(kModeKeys) / sizeof(kModeKeys[0]) == kModeCount, "one member per mode");
static_assert(sizeof(kUnlockKeys) / sizeof(kUnlockKeys[0]) == kModeCount, "one unlock per mode");

int checkedMode(int mode) {
  assert(mode >= 0 && mode < kModeCount);
  return std::clamp(mode, 0, kModeCount - 1);
}

}  // namespace

const char* RankingStore::modeKey(int mode) { return kModeKeys[checkedMode(mode)]; }

const char* RankingStore::unlockKey(int mode) { return kUnlockKeys[checkedMode(mode)]; }

bool RankingStore::usable(const picojson::value& root) {
  if (!root.is<picojson::object>()) return false;
  const auto& members = root.get<picojson::object>();
  for (const char* key : kModeKeys) {
    const auto it = members.find(key);
    if (it != members.end() && !it->second.is<picojson::array>()) return false;
  }
  return true;
}

void RankingStore::open(const std::string& dataDir, const std::string& saveDir) {
  dataDir_ = dataDir;
  saveDir_ = saveDir;
  source_.clear();
  keptAside_.clear();
  mayWrite_ = true;

  // The player's file is "results.json" in the save folder, kept as its ".dz" twin.
  const std::string savedJson = saveDir_ + "results.json";
  if (dz::variantExists(savedJson)) {
    JsonDocument saved(savedJson);
    if (saved.loaded() && usable(saved.root())) {
      root_ = saved.root();
      source_ = saved.sourceFile();
      return;
    }
    keptAside_ = keepAside(savePath());
    // A damaged file that could not be moved must not be overwritten either.
    mayWrite_ = !keptAside_.empty();
  }
  useDefaults();
}

void RankingStore::useDefaults() {
  JsonDocument defaults(dataDir_ + kDefaultsFile);
  if (defaults.loaded() && usable(defaults.root())) {
    root_ = defaults.root();
    source_ = defaults.sourceFile();
    return;
  }
  std::cerr << "globaro: no results could be read ("
            << (defaults.loaded() ? defaults.path() + ": not an object of result arrays" : defaults.error())
            << "); the tables start empty\n";
  root_ = picojson::value(picojson::object());
}

std::vector<RankRow> RankingStore::rows(int mode) const {
  std::vector<RankRow> out;
  for (const auto& item : json::array(json::at(root_, modeKey(mode)))) {
    const auto& level = json::at(item, "level");
    const auto& konahen = json::at(item, "konahen");
    const auto& score = json::at(item, "score");
    if (!level.is<double>() || !konahen.is<double>() || !score.is<double>()) continue;
    out.push_back(RankRow{json::integer(level), json::integer(konahen), json::integer(score), false});
  }
  return out;
}

std::vector<RankRow> RankingStore::enter(int mode, int level, int konahen, int score) {
  std::vector<RankRow> all = rows(mode);
  all.push_back(RankRow{level, konahen, score, true});

  picojson::object entry;
  entry["level"] = picojson::value(static_cast<double>(level));
  entry["konahen"] = picojson::value(static_cast<double>(konahen));
  entry["score"] = picojson::value(static_cast<double>(score));
  picojson::value& list = json::member(root_, modeKey(mode));
  if (!list.is<picojson::array>()) list = picojson::value(picojson::array());
  list.get<picojson::array>().push_back(picojson::value(std::move(entry)));
  save();
  return sorted(std::move(all));
}

bool RankingStore::save() const {
  if (!mayWrite_) {
    std::cerr << "globaro: " << savePath() << " is left as it is; this game's result is not saved\n";
    return false;
  }
  if (!saveDir_.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(saveDir_, ec);
  }
  const std::string text = json::serialize(root_);
  return dz::writeCompressedFile(savePath(), dz::Bytes(text.begin(), text.end()));
}

std::vector<RankRow> RankingStore::sorted(std::vector<RankRow> rows) {
  // Reversing first lets a stable sort keep the later of two equal rows higher.
  std::reverse(rows.begin(), rows.end());
  std::stable_sort(rows.begin(), rows.end(), [](const RankRow& a, const RankRow& b) {
    if (a.score != b.score) return a.score > b.score;
    return a.konahen < b.konahen;
  });
  rows.resize(kTableRows);
  return rows;
}

int RankingStore::newRowPosition(const std::vector<RankRow>& table) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].isNew) return static_cast<int>(i);
  }
  return -1;
}

const char* RankingStore::unlockedBy(int mode, int position) {
  if (position < 0 || position >= kUnlockingRows) return nullptr;
  return unlockKey(mode);
}

bool RankingStore::unlock(SettingsStore& settings, int mode, int position) {
  const char* key = unlockedBy(mode, position);
  if (key == nullptr) return false;
  settings.setFlag(key, true);
  return true;
}

}  // namespace orb
