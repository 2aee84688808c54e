#pragma once
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "data/Translation.h"

namespace orb {

// Which language the game speaks, and that language's texts. The languages
// are English (built in) and those listed in devdata/lang/index.json. A run
// starts in the first of: the --lang option, the saved setting "lang", the
// desktop's locale variables, as desktop programs read them (LANGUAGE's colon
// list, then the first set of LC_ALL, LC_MESSAGES, LANG; "C" and "POSIX" mean
// English). Whatever is asked for and not shipped falls back to English.
class LanguageChoice {
 public:
  struct Language {
    std::string code;  // locale form: "de", "pt_BR", "sr@latin"
    std::string name;  // in the language itself
    bool full = false;
  };
  using Environment = std::function<const char*(const char*)>;

  // dataDir: prefix of the data files, ending in a slash or empty. A missing
  // index leaves English alone, after one line on stderr.
  explicit LanguageChoice(std::string dataDir);

  // English first, then the full languages, then the rest, as the index lists them.
  const std::vector<Language>& languages() const { return languages_; }

  // The shipped code a locale name or code stands for ("de_DE.UTF-8" -> "de",
  // "pt_BR" -> "pt_BR" if shipped, else "pt"); "" when none is shipped.
  std::string match(const std::string& wanted) const;
  // The code the desktop asks for; "en" when it asks for nothing shipped.
  std::string fromEnvironment(const Environment& env = std::getenv) const;
  // The code a run starts in (see the class comment); commandLine and saved may be empty.
  std::string resolve(const std::string& commandLine, const std::string& saved,
                      const Environment& env = std::getenv) const;

  // Loads the language (English when code is not shipped or its file is unusable).
  // current() keeps its address, so pointers to it follow the change.
  void use(const std::string& code);
  const Translation& current() const { return current_; }
  // The code after the current one in languages(), wrapping around.
  std::string next() const;

 private:
  std::string dataDir_;
  std::vector<Language> languages_;
  Translation current_ = Translation::english();
};

}  // namespace orb
