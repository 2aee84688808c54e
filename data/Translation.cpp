#include "data/Translation.h"

#include <iostream>

#include "data/Json.h"
#include "data/JsonDocument.h"

namespace orb {

Translation Translation::english() { return Translation(); }

Translation Translation::load(const std::string& path) {
  const JsonDocument doc(path);
  const picojson::value& root = doc.root();
  const picojson::value& code = json::at(root, "code");
  if (!doc.loaded() || !code.is<std::string>() || code.get<std::string>().empty()) {
    std::cerr << "language: " << (doc.loaded() ? path + ": no language code" : doc.error())
              << "; using English\n";
    return english();
  }
  Translation t;
  t.code_ = code.get<std::string>();
  t.name_ = json::string(json::at(root, "name"), t.code_);
  t.full_ = json::boolean(json::at(root, "full"));
  for (const auto& [key, entry] : json::object(json::at(root, "places"))) {
    const picojson::value& name = json::at(entry, "name");
    const picojson::value& answer = json::at(entry, "answer");
    if (name.is<std::string>() && !name.get<std::string>().empty()) t.names_[key] = name.get<std::string>();
    if (answer.is<std::string>() && !answer.get<std::string>().empty()) {
      t.answers_[key] = answer.get<std::string>();
    }
  }
  for (const auto& [key, text] : json::object(json::at(root, "texts"))) {
    if (text.is<std::string>() && !text.get<std::string>().empty()) t.texts_[key] = text.get<std::string>();
  }
  return t;
}

std::string Translation::find(const std::map<std::string, std::string>& table, const std::string& key,
                              const std::string& english) {
  const auto it = table.find(key);
  return it == table.end() ? english : it->second;
}

std::string Translation::placeName(const std::string& placeKey, const std::string& english) const {
  return find(names_, placeKey, english);
}

std::string Translation::answer(const std::string& placeKey, const std::string& english) const {
  return find(answers_, placeKey, english);
}

std::string Translation::text(const std::string& key, const std::string& english) const {
  return find(texts_, key, english);
}

}  // namespace orb
