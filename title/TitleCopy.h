#pragma once
#include <memory>

#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Widget;

// The notice line at the foot of the title menu: fades in after "copy_delay"
// over "copy_in_time" and out over "copy_out_time" when a game starts or the
// menu closes (43, 44). Reads "title"; its widget "copyright" of "copy_widgets".
class TitleCopy : public TaskProc {
 public:
  explicit TitleCopy(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  bool shown() const { return delay_ <= 0.0f; }
  float alpha() const { return alpha_; }

 private:
  void fadeTo(float to, float duration);

  std::shared_ptr<Widget> widget_;
  float delay_;       // seconds before it shows
  float clock_ = 0.0f;
  float alpha_ = 0.0f;
  float from_ = 0.0f, to_ = 1.0f, duration_;
  float outTime_;
  bool closing_ = false;
};

}  // namespace orb
