#include "data/SettingsStore.h"

#include <filesystem>
#include <iostream>

#include "data/DzFile.h"
#include "data/Json.h"
#include "data/KeepAside.h"

namespace orb {

void SettingsStore::open(const std::string& dataDir, const std::string& saveDir) {
  dataDir_ = dataDir;
  saveDir_ = saveDir;
  open_ = true;
  source_.clear();

  const std::string savedJson = saveDir_ + "settings.json";
  if (dz::variantExists(savedJson)) {
    JsonDocument saved(savedJson);
    if (saved.loaded() && saved.root().is<picojson::object>()) {
      root_ = saved.root();
      source_ = saved.sourceFile();
      return;
    }
    keepAside(dz::variantPath(savedJson));
  }
  JsonDocument defaults(dataDir_ + kDefaultsFile);
  if (defaults.loaded() && defaults.root().is<picojson::object>()) {
    root_ = defaults.root();
    source_ = defaults.sourceFile();
    return;
  }
  std::cerr << "globaro: no settings could be read ("
            << (defaults.loaded() ? defaults.path() + ": not a JSON object" : defaults.error()) << "); starting fresh\n";
  useBuiltInDefaults();
}

void SettingsStore::useBuiltInDefaults() {
  root_ = picojson::value(picojson::object());
  setNumber("width", 960);
  setNumber("height", 640);
  setNumber("volume", 1.0);
}

bool SettingsStore::getFlag(const std::string& key) const { return json::boolean(json::at(root_, key)); }

void SettingsStore::setFlag(const std::string& key, bool value) { member(key) = picojson::value(value); }

void SettingsStore::setNumber(const std::string& key, double value) { member(key) = picojson::value(value); }

picojson::value& SettingsStore::member(const std::string& key) { return json::member(root_, key); }

void SettingsStore::markPlace(const std::string& name) {
  json::member(member("places"), name) = picojson::value(true);
}

float SettingsStore::correctRate() const {
  const auto& places = json::object(json::at(root_, "places"));
  if (places.empty()) return 0.0f;
  std::size_t found = 0;
  for (const auto& [name, value] : places) found += json::boolean(value) ? 1 : 0;
  return static_cast<float>(found) / static_cast<float>(places.size());
}

bool SettingsStore::save() {
  if (!open_) return false;
  if (!saveDir_.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(saveDir_, ec);
  }
  const std::string text = json::serialize(root_);
  return dz::writeCompressedFile(savePath(), dz::Bytes(text.begin(), text.end()));
}

void SettingsStore::close() {
  if (!open_) return;
  save();
  root_ = picojson::value();
  open_ = false;
}

}  // namespace orb
