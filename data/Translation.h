#pragma once
#include <map>
#include <string>

namespace orb {

// One language's texts: place names and answer lines by place key, and the
// game's other texts by text key, read from devdata/lang/<code>.json (built by
// tools/lang/build_lang.py). English is built in: every lookup that finds
// nothing returns the English text it was given, so a missing entry never
// shows a blank or a key. Everything the game saves stays keyed by the place
// keys and English names; translation happens only where text is drawn.
class Translation {
 public:
  // Empty: every lookup returns the English argument.
  static Translation english();
  // A missing or unreadable file gives english(), after one line on stderr.
  static Translation load(const std::string& path);

  const std::string& code() const { return code_; }  // "en", "de", ...
  // The language's name in itself ("Deutsch"); "English" for english().
  const std::string& name() const { return name_; }
  // True for a language that translates the whole game, not country names only.
  bool full() const { return full_; }

  std::string placeName(const std::string& placeKey, const std::string& english) const;
  std::string answer(const std::string& placeKey, const std::string& english) const;
  std::string text(const std::string& key, const std::string& english) const;

 private:
  Translation() = default;
  static std::string find(const std::map<std::string, std::string>& table, const std::string& key,
                          const std::string& english);

  std::string code_ = "en";
  std::string name_ = "English";
  bool full_ = true;
  std::map<std::string, std::string> names_, answers_, texts_;
};

}  // namespace orb
