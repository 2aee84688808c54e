#pragma once

namespace orb {

// Whether anyone can see the game window. While it is minimised, unmapped or
// fully covered, no frame is drawn, and since the game only steps inside a
// frame it stands still and the process sleeps. The first frame after the
// window shows again gets the clamped step the game root gives any stalled
// frame, so nothing jumps.
class WindowVisibility {
 public:
  // A GLUT window status (GLUT_HIDDEN, GLUT_FULLY_RETAINED, GLUT_PARTIALLY_RETAINED
  // or GLUT_FULLY_COVERED). True when a hidden window has just become visible.
  bool status(int glutStatus);
  bool shown() const { return shown_; }
  // Milliseconds until the frame timer fires again: the frame period while
  // shown; while hidden the timer only keeps the loop answering (quit signals
  // are looked at there), a few times a second.
  unsigned timerPeriod(unsigned framePeriod) const { return shown_ ? framePeriod : kHiddenPeriod; }

 private:
  static constexpr unsigned kHiddenPeriod = 100;

  bool shown_ = true;
};

}  // namespace orb
