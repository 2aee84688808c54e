#include "data/LanguageChoice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

using Vars = std::map<std::string, std::string>;

LanguageChoice::Environment environment(const Vars& vars) {
  return [vars](const char* name) -> const char* {
    const auto it = vars.find(name);
    return it == vars.end() ? nullptr : it->second.c_str();
  };
}

const LanguageChoice& shipped() {
  static const LanguageChoice choice(test::sourceDir());
  return choice;
}

// The rows desktop programs agree on: the first set of LC_ALL, LC_MESSAGES and
// LANG names the locale, LANGUAGE's list goes before it unless that locale is C.
TEST(LanguageChoice, FollowsTheDesktopsLocaleVariables) {
  struct Row {
    const char* name;
    Vars vars;
    const char* expected;
  };
  const Row rows[] = {
      {"nothing set", {}, "en"},
      {"LANG with territory and codeset", {{"LANG", "de_DE.UTF-8"}}, "de"},
      {"LC_ALL beats LANG", {{"LANG", "de_DE.UTF-8"}, {"LC_ALL", "fr_FR.UTF-8"}}, "fr"},
      {"LC_MESSAGES beats LANG", {{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "pl_PL.UTF-8"}}, "pl"},
      {"LANGUAGE's first shipped entry", {{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "xx:it_IT:fr"}}, "it"},
      {"C turns LANGUAGE off", {{"LC_ALL", "C"}, {"LANGUAGE", "de"}}, "en"},
      {"POSIX", {{"LANG", "POSIX"}}, "en"},
      {"C.UTF-8", {{"LANG", "C.UTF-8"}}, "en"},
      {"a language the game does not have", {{"LANG", "xx_YY.UTF-8"}}, "en"},
      {"English itself", {{"LANG", "en_GB.UTF-8"}}, "en"},
      {"a territory the game does not have", {{"LANG", "ru_UA.UTF-8"}}, "ru"},
      {"a territory of a full language", {{"LANG", "pt_BR.UTF-8"}}, "pt"},
      {"a script modifier", {{"LANG", "sr_RS.UTF-8@latin"}}, "sr@latin"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(shipped().fromEnvironment(environment(row.vars)), row.expected) << row.name;
  }
}

TEST(LanguageChoice, CommandLineBeatsTheSavedChoiceWhichBeatsTheDesktop) {
  const auto env = environment({{"LANG", "de_DE.UTF-8"}});
  EXPECT_EQ(shipped().resolve("fr", "it", env), "fr");
  EXPECT_EQ(shipped().resolve("", "it", env), "it");
  EXPECT_EQ(shipped().resolve("", "", env), "de");
  EXPECT_EQ(shipped().resolve("klingon", "it", env), "en") << "an unknown asked-for language is English";
}

TEST(LanguageChoice, CyclesThroughEveryShippedLanguageBackToEnglish) {
  LanguageChoice choice(test::sourceDir());
  ASSERT_GT(choice.languages().size(), 9u);
  EXPECT_EQ(choice.languages().front().code, "en");
  std::size_t steps = 0;
  do {
    choice.use(choice.next());
    ASSERT_FALSE(choice.current().name().empty());
    ++steps;
  } while (choice.current().code() != "en" && steps <= choice.languages().size());
  EXPECT_EQ(steps, choice.languages().size());
}

TEST(Translation, MissingEntriesAndFilesGiveEnglishNeverKeysOrBlanks) {
  const std::string dir = test::scratchDir("translation_missing");
  test::writeFile(dir + "xx.json",
                  "{\"code\":\"xx\",\"name\":\"Xx\",\"full\":true,"
                  "\"places\":{\"c_deu\":{\"name\":\"Doitsu\"},\"c_fra\":{\"name\":\"\"}},\"texts\":{}}");
  const Translation xx = Translation::load(dir + "xx.json");
  EXPECT_EQ(xx.code(), "xx");
  EXPECT_EQ(xx.placeName("c_deu", "Germany"), "Doitsu");
  EXPECT_EQ(xx.placeName("c_fra", "France"), "France") << "an empty entry is no translation";
  EXPECT_EQ(xx.answer("c_deu", "Capital: Berlin"), "Capital: Berlin");
  EXPECT_EQ(xx.text("title.start", "Start"), "Start");

  test::writeFile(dir + "bad.json", "{\"code\":");
  const Translation bad = Translation::load(dir + "bad.json");
  EXPECT_EQ(bad.code(), "en");
  EXPECT_EQ(bad.placeName("c_deu", "Germany"), "Germany");
  EXPECT_EQ(Translation::load(dir + "absent.json").code(), "en");
}

// The shipped files: every place is named, and every answer line given, in
// every full language, and the saved keys are never what is shown.
TEST(Translation, EveryPlaceHasANameInEveryFullLanguage) {
  const JsonDocument places(test::sourceDir() + "devdata/places.json");
  ASSERT_TRUE(places.loaded()) << places.error();
  int fullLanguages = 0;
  for (const LanguageChoice::Language& language : shipped().languages()) {
    if (!language.full || language.code == "en") continue;
    ++fullLanguages;
    const Translation t = Translation::load(test::sourceDir() + "devdata/lang/" + language.code + ".json");
    ASSERT_EQ(t.code(), language.code);
    EXPECT_TRUE(t.full());
    int translated = 0;
    for (const auto& [key, entry] : json::object(places.root())) {
      const std::string english = json::string(json::at(entry, "name"));
      const std::string name = t.placeName(key, english);
      EXPECT_FALSE(name.empty()) << language.code << " " << key;
      EXPECT_NE(name, key) << language.code;
      translated += name != english ? 1 : 0;
      const picojson::value& answer = json::at(entry, "answer");
      if (answer.is<std::string>()) {
        EXPECT_FALSE(t.answer(key, answer.get<std::string>()).empty()) << language.code << " " << key;
      }
    }
    EXPECT_GT(translated, 250) << language.code << ": too few places translated";
  }
  EXPECT_GE(fullLanguages, 8);
}

}  // namespace
}  // namespace orb
