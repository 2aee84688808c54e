#pragma once
#include "gfx/Camera.h"
#include "task/TaskProc.h"

namespace orb {

// Opens the frame's 2D pass: applies the 2D camera and sets the blend state.
// Registered in task layer 3, after camera control, the globe and the 3D
// effects, so every task drawn after it uses the overlay space; it also leaves
// the identity model-view the next frame's globe pass starts from.
class Game2DSetup : public TaskProc {
 public:
  // camera: the game's 2D camera; it must outlive the task.
  explicit Game2DSetup(Camera& camera) : camera_(camera) {}

  void update(float) override {}
  void draw() override;
  void message(int) override {}
  bool alive() const override { return true; }

 private:
  Camera& camera_;
};

}  // namespace orb
