#pragma once
#include <memory>
#include <string>
#include <vector>

#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Font;
class Texture;

// The explore mode's label: the name of the place last tapped and its answer
// line, in the question box's panel at the top of the screen (the same
// geometry, PlaceBox), swelling in at each new place and staying until the
// next. show() takes the context's place name and answer line; clear() hides
// the panel (a tap on no place).
class ExploreCard : public TaskProc {
 public:
  static constexpr float kSwellTime = 0.3f;  // seconds
  static constexpr float kSwellFrom = 1.2f;  // scale at the start of a swell
  static constexpr float kMargin = 40.0f;    // layout units kept free at each side

  explicit ExploreCard(GameContext* context);

  void show();
  void clear() { shown_ = false; }
  bool shown() const { return shown_; }

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

 private:
  std::vector<std::string> lay(const std::string& text) const;
  float widest(const std::vector<std::string>& lines) const;
  void drawLines(const std::vector<std::string>& lines, float y, float scale, float alpha) const;

  GameContext* context_;
  std::shared_ptr<Font> font_;
  std::shared_ptr<Texture> corner_;
  bool shown_ = false;
  float clock_ = 0.0f;
  std::string name_, answer_;
  // The texts laid out in lines, and the screen width they were laid out for.
  std::vector<std::string> nameLines_, answerLines_;
  int laidWidth_ = -1;
};

}  // namespace orb
