#pragma once
#include <memory>

#include "input/TouchCallBack.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class ReplayControl;
class Widget;

// Frames the demonstration game of the title's attract cycle: starts a game in
// demonstration mode (seeded from the replay, which then plays the recorded
// player), blinks a "DEMONSTRATION" label, and ends the demonstration after
// "title"."demo_time" seconds or at the first touch once the label shows,
// broadcasting 12 (the game leaves) and then 45.
class DemoPlay : public TaskProc, public TouchCallBack {
 public:
  DemoPlay(GameContext* context, ReplayControl* replay);
  ~DemoPlay() override;
  DemoPlay(const DemoPlay&) = delete;
  DemoPlay& operator=(const DemoPlay&) = delete;

  void update(float dt) override;
  void draw() override;
  void message(int) override {}

  void touchesBegan(TouchDispatcher&, const Touches&) override {}
  void touchesMoved(TouchDispatcher&, const Touches&) override {}
  void touchesEnded(TouchDispatcher& dispatcher, const Touches& touches) override;

  bool labelShown() const { return shown_; }
  float labelAlpha() const { return alpha_; }

 private:
  GameContext* ctx_;
  std::shared_ptr<Widget> label_;
  float delay_ = 0;       // seconds until the label shows
  bool shown_ = false;
  float shownTime_ = 0;   // seconds since the label showed
  float length_ = 0;      // "demo_time"
  float alpha_ = 0;
  bool endRequested_ = false;
  bool registered_ = false;
};

}  // namespace orb
