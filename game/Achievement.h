#pragma once
#include <memory>
#include <string>
#include <vector>

#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Font;
class Texture;

// Announces, once, the features unlocked since the last title: the keys of
// the settings object "achievement" still false there while the setting of
// the same name is true. The panel pops in after "achievement"."delay" with
// the "unlock" fanfare, the continue button follows, and closing announces
// kMsgAchievementDone. With nothing new the task leaves at its first update
// with kMsgAchievementDone, silently, so the title opens a frame later.
// Whatever is unlocked when the task is destroyed counts as announced.
class Achievement : public TaskProc {
 public:
  static constexpr float kPopTime = 0.5f;     // seconds of the pop-in
  static constexpr float kCloseTime = 0.6f;   // seconds of the shrink-out
  static constexpr float kAgreeAfter = 1.5f;  // seconds from the pop-in to the continue button

  explicit Achievement(GameContext* context);
  ~Achievement() override;

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  const std::vector<std::string>& newKeys() const { return newKeys_; }
  bool shown() const { return shown_; }
  bool closing() const { return closing_; }
  // The lines drawn, in order: the heading, then each new key's lines.
  std::vector<std::string> lines() const;

 private:
  struct Pair {
    float alpha, scale;
  };

  void easeTo(const Pair& to, float duration);

  GameContext* context_;
  std::vector<std::string> newKeys_;
  std::string heading_;
  std::vector<std::vector<std::string>> texts_;  // per new key
  std::shared_ptr<Font> font_;
  std::shared_ptr<Texture> corner_;
  float delay_ = 0.0f;
  bool shown_ = false;
  Pair pair_{0.0f, 0.7f};
  Pair from_{0.0f, 0.7f};
  Pair to_{1.0f, 1.0f};
  float easeTime_ = kPopTime;
  float easeClock_ = 0.0f;
  float agreeIn_ = kAgreeAfter;
  bool closing_ = false;
  bool agreed_ = false;
};

}  // namespace orb
