#pragma once
#include <memory>
#include <string>
#include <vector>

#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Font;
class Texture;

// Beside the results panel: the places the game's player did not find at the
// first tap (the context's missedPlaces), under the heading "to practise", on
// a dark panel right of the results. At most kMaxPlaces names show, each on
// one line or, when too wide, two (the second indented and, if still too
// wide, cut with an ellipsis); "+n more" follows when there were more. Texts "results.to_practise" and "results.more" of the
// language. Fades in with the results' count-up and out when they hand
// over to the ranking (22). Nothing shows when every place was found.
class PractiseList : public TaskProc {
 public:
  static constexpr std::size_t kMaxPlaces = 8;
  static constexpr float kWidth = 250.0f;     // panel width, layout units
  static constexpr float kGap = 24.0f;        // between the results panel and this one
  static constexpr float kPad = 16.0f;        // panel edge to text
  static constexpr float kLinePitch = 28.0f;  // layout units per name line
  static constexpr float kIndent = 14.0f;     // of a name's second line
  static constexpr float kFadeTime = 0.5f;    // seconds
  static constexpr float kDelay = 1.0f;       // seconds, while the results panel opens

  // resultsRight: the results panel's right edge; panelTop: its top edge
  // (layout units, origin at the screen centre, y down).
  PractiseList(GameContext* context, float resultsRight, float panelTop);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  struct Line {
    std::string text;
    bool continued;  // the second line of a name: indented
  };
  // The lines shown, after wrapping and cutting: heading excluded.
  const std::vector<Line>& lines() const { return lines_; }
  static constexpr const char* kHeading = "to practise";

 private:
  std::string fitted(const std::string& text, float room) const;
  void addName(const std::string& name, float room);
  std::string text(const std::string& key, const std::string& english) const;

  GameContext* context_;
  std::shared_ptr<Font> font_;
  std::shared_ptr<Texture> corner_;
  std::vector<Line> lines_;
  std::string heading_;
  float left_, top_;
  float delay_ = kDelay;
  float clock_ = 0.0f, alpha_ = 0.0f, from_ = 0.0f, to_ = 1.0f;
  bool closing_ = false;
};

}  // namespace orb
