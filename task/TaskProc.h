#pragma once

namespace orb {

// One element of a scene: everything on screen and all game logic is a task.
// Tasks never call each other; they broadcast message codes through the
// TaskList and share state through the game context. A task leaves by calling
// retire(); the TaskList drops it at its next update.
class TaskProc {
 public:
  virtual ~TaskProc() = default;
  virtual void update(float dt) = 0;  // dt: frame step in seconds
  virtual void draw() = 0;
  virtual void message(int code) = 0;
  virtual bool alive() const { return alive_; }

 protected:
  // Marks the task finished. Nothing else deletes a task; a second call changes
  // nothing.
  void retire() { alive_ = false; }

 private:
  bool alive_ = true;
};

}  // namespace orb
