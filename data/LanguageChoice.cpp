#include "data/LanguageChoice.h"

#include <algorithm>
#include <iostream>

#include "data/Json.h"
#include "data/JsonDocument.h"

namespace orb {
namespace {

constexpr const char* kIndexFile = "devdata/lang/index.json";
constexpr const char* kLanguageFolder = "devdata/lang/";
constexpr const char* kEnglish = "en";

// A locale name's parts: language[_territory][.codeset][@modifier].
struct LocaleName {
  std::string language, territory, modifier;
};

LocaleName parseLocale(const std::string& name) {
  LocaleName out;
  std::string rest = name;
  const std::size_t at = rest.find('@');
  if (at != std::string::npos) {
    out.modifier = rest.substr(at + 1);
    rest.erase(at);
  }
  const std::size_t dot = rest.find('.');
  if (dot != std::string::npos) rest.erase(dot);
  const std::size_t underscore = rest.find_first_of("_-");
  if (underscore != std::string::npos) {
    out.territory = rest.substr(underscore + 1);
    rest.erase(underscore);
  }
  out.language = rest;
  return out;
}

bool isPlainLocale(const std::string& name) {
  return name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

std::string variable(const LanguageChoice::Environment& env, const char* name) {
  const char* value = env ? env(name) : nullptr;
  return value ? value : "";
}

}  // namespace

LanguageChoice::LanguageChoice(std::string dataDir) : dataDir_(std::move(dataDir)) {
  languages_.push_back({kEnglish, "English", true});
  const JsonDocument index(dataDir_ + kIndexFile);
  if (!index.loaded()) {
    std::cerr << "languages: " << index.error() << "; the game speaks English only\n";
    return;
  }
  for (const picojson::value& entry : json::array(json::at(index.root(), "languages"))) {
    const std::string code = json::string(json::at(entry, "code"));
    if (code.empty() || code == kEnglish) continue;
    languages_.push_back({code, json::string(json::at(entry, "name"), code), json::boolean(json::at(entry, "full"))});
  }
}

std::string LanguageChoice::match(const std::string& wanted) const {
  if (wanted.empty()) return {};
  if (isPlainLocale(wanted)) return kEnglish;
  const LocaleName l = parseLocale(wanted);
  std::vector<std::string> candidates;
  const std::string withModifier = l.modifier.empty() ? "" : "@" + l.modifier;
  if (!l.territory.empty()) candidates.push_back(l.language + "_" + l.territory + withModifier);
  candidates.push_back(l.language + withModifier);
  if (!l.territory.empty() && !l.modifier.empty()) candidates.push_back(l.language + "_" + l.territory);
  if (!l.modifier.empty()) candidates.push_back(l.language);
  for (const std::string& c : candidates) {
    for (const Language& shipped : languages_) {
      if (shipped.code == c) return c;
    }
  }
  return {};
}

std::string LanguageChoice::fromEnvironment(const Environment& env) const {
  std::string locale;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    locale = variable(env, name);
    if (!locale.empty()) break;
  }
  // As gettext does: the "C" locale turns translation off, LANGUAGE included.
  if (isPlainLocale(locale)) return kEnglish;
  const std::string list = variable(env, "LANGUAGE");
  std::size_t from = 0;
  while (from < list.size()) {
    const std::size_t colon = std::min(list.find(':', from), list.size());
    const std::string found = match(list.substr(from, colon - from));
    if (!found.empty()) return found;
    from = colon + 1;
  }
  const std::string found = match(locale);
  return found.empty() ? kEnglish : found;
}

std::string LanguageChoice::resolve(const std::string& commandLine, const std::string& saved,
                                    const Environment& env) const {
  for (const std::string* asked : {&commandLine, &saved}) {
    if (asked->empty()) continue;
    const std::string found = match(*asked);
    return found.empty() ? kEnglish : found;
  }
  return fromEnvironment(env);
}

void LanguageChoice::use(const std::string& code) {
  const std::string found = match(code);
  if (found.empty() || found == kEnglish) {
    current_ = Translation::english();
    return;
  }
  current_ = Translation::load(dataDir_ + kLanguageFolder + found + ".json");
}

std::string LanguageChoice::next() const {
  for (std::size_t i = 0; i < languages_.size(); ++i) {
    if (languages_[i].code == current_.code()) return languages_[(i + 1) % languages_.size()].code;
  }
  return kEnglish;
}

}  // namespace orb
