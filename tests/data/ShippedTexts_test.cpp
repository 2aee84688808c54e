// The texts the game draws with its fonts (the staff roll, the unlock
// announcements, the ranking's heading and labels) in the shipped languages:
// every full language has every one of them, under the key the drawing code
// asks for, so a German player never meets an English line among German ones.
#include <gtest/gtest.h>

#include <dirent.h>

#include <regex>
#include <set>
#include <string>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "data/Translation.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

// Keys the sources spell out whole: "ranking.score" and the like (a literal
// that ends in '.' is a prefix the code completes, counted from the parameters).
void keysNamedInSources(const std::string& folder, std::set<std::string>& keys) {
  DIR* dir = opendir(folder.c_str());
  ASSERT_NE(nullptr, dir) << folder;
  const std::regex literal(R"re("((?:staff|achievement|ranking)\.[a-z_0-9.]*[a-z_0-9])")re");
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() < 4 || name.substr(name.size() - 4) != ".cpp") continue;
    const std::string source = test::readFile(folder + name);
    for (std::sregex_iterator it(source.begin(), source.end(), literal), end; it != end; ++it) {
      keys.insert((*it)[1].str());
    }
  }
  closedir(dir);
}

// Keys of the lines the parameter file holds, as the drawing code builds them.
std::set<std::string> keysOfParameterTexts(const picojson::value& params) {
  std::set<std::string> keys;
  std::size_t line = 0;
  for (const auto& text : json::array(json::at(json::at(params, "staff"), "text"))) {
    if (!json::string(text).empty()) keys.insert("staff." + std::to_string(line));
    ++line;
  }
  const picojson::value& achievement = json::at(params, "achievement");
  keys.insert("achievement.title");
  for (const auto& [unlock, lines] : json::object(json::at(achievement, "text"))) {
    for (std::size_t i = 0; i < json::size(lines); ++i) {
      keys.insert("achievement." + unlock + "." + std::to_string(i));
    }
  }
  for (std::size_t mode = 0; mode < json::size(json::at(json::at(params, "ranking"), "title")); ++mode) {
    keys.insert("ranking.title." + std::to_string(mode));
  }
  return keys;
}

TEST(ShippedTexts, EveryFullLanguageTranslatesEveryDrawnText) {
  const std::string root = test::sourceDir();
  const JsonDocument params(root + "devdata/params.json");
  const JsonDocument index(root + "devdata/lang/index.json");
  ASSERT_TRUE(params.loaded() && index.loaded());
  std::set<std::string> keys = keysOfParameterTexts(params.root());
  for (const char* folder : {"game/", "title/", "records/"}) keysNamedInSources(root + folder, keys);
  ASSERT_TRUE(keys.count("ranking.score")) << "the ranking's labels are found in its source";
  ASSERT_GT(keys.size(), 20u);

  const std::string absent = "\x01";
  int full = 0;
  for (const auto& language : json::array(json::at(index.root(), "languages"))) {
    if (!json::boolean(json::at(language, "full"))) continue;
    ++full;
    const std::string code = json::string(json::at(language, "code"));
    testing::internal::CaptureStderr();
    const Translation translation = Translation::load(root + "devdata/lang/" + code + ".json");
    EXPECT_EQ("", testing::internal::GetCapturedStderr()) << code;
    ASSERT_EQ(code, translation.code());
    for (const std::string& key : keys) {
      EXPECT_NE(absent, translation.text(key, absent)) << code << " has no text for " << key;
    }
  }
  EXPECT_GE(full, 8);
}

}  // namespace
}  // namespace orb
