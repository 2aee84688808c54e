#pragma once

namespace orb {

// The root process the shell drives: the start-up screen first, then the game.
class ProcBase {
 public:
  virtual ~ProcBase() = default;
  // Resize the 2D space to (width, height) and scale the camera frustum; unused by the shell.
  virtual void resize(int width, int height, float scaleX, float scaleY) = 0;
  // Called from every window reshape with the letter-boxed viewport size in pixels.
  virtual void setAspect(int viewportWidth, int viewportHeight) = 0;
  // One frame; false asks the shell to replace this root at the end of the frame.
  virtual bool update(float dt) = 0;
  virtual void draw() = 0;
};

}  // namespace orb
