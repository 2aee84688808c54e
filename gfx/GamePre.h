#pragma once
#include <memory>
#include <string>

#include "gfx/Camera.h"
#include "task/ProcBase.h"

namespace orb {

class Texture;

// The start-up root: shows the wait caption for two frames, so that the long
// construction of the game happens with something on screen.
class GamePre : public ProcBase {
 public:
  GamePre(int screenWidth, int screenHeight, const std::string& dataDir);
  ~GamePre() override;

  void resize(int width, int height, float scaleX, float scaleY) override;
  void setAspect(int, int) override {}
  // True on the first call, false on the second.
  bool update(float dt) override;
  void draw() override;

  int framesLeft() const { return frames_; }

 private:
  int frames_ = 2;
  std::shared_ptr<Texture> wait_;
  Camera camera2d_{Camera::kOrtho2D};
};

}  // namespace orb
