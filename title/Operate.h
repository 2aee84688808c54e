#pragma once
#include <memory>

#include "gfx/Quat.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;
class Widget;

// The operation guide shown beside the demonstration game: a mouse whose left
// button lights up when the replayed player turns the globe or taps it, whose
// right button lights up when the player zooms, with arrows wiggling while the
// mouse "moves". It slides in from the right and leaves when the demonstration
// ends (45).
class Operate : public TaskProc {
 public:
  explicit Operate(GameContext* context);

  void update(float dt) override;
  void draw() override;
  void message(int code) override;

  bool ready() const { return ready_; }
  // Green and blue of a button's colour: 1 when unlit, 0 at the height of a flash.
  float leftLight() const { return left_.value; }
  float rightLight() const { return right_.value; }
  float arrowAlpha() const { return arrowAlpha_; }

 private:
  // A button's colour runs from red back to white after a press.
  struct Flash {
    float value = 1;  // green and blue
    float clock = 0;
    float duration = 0;
    void start(float seconds) {
      clock = 0;
      duration = seconds;
      value = 0;
    }
    void update(float dt);
  };
  void startArrows();

  GameContext* ctx_;
  std::shared_ptr<Widget> body_, cable_, buttonL_, buttonR_, moveL_, moveR_;
  float x_ = 0, y_ = 0;  // "operate_x", "operate_y"
  float slide_ = 150, slideClock_ = 0;
  bool ready_ = false;
  Quat lastOrientation_;
  float lastDistance_ = 0;
  Flash left_, right_;
  float arrowAlpha_ = 0, arrowClock_ = 0, wiggleClock_ = 0, wiggle_ = 0;
  bool arrowsRunning_ = false;
};

}  // namespace orb
