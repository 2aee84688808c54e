#pragma once

namespace orb {

// Notices when the game window loses the keyboard focus. GLUT has no focus
// callback, so the X server is asked a few times a second, from the frame loop.
class FocusWatch {
 public:
  // Once per displayed frame; true on the frame the focus is seen to leave a
  // window that had it.
  bool lostThisFrame();

 private:
  static constexpr int kFramesBetweenAsks = 8;  // about seven asks a second

  int countdown_ = 0;
  bool had_ = false;
};

}  // namespace orb
