#pragma once
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "task/TaskProc.h"

namespace orb {

// The layered task container of the game root. Tasks run by ascending layer and,
// within a layer, in the order they were added. Tasks added during a frame wait
// in a pending map until the next update, so adding never disturbs an iteration
// in progress.
class TaskList {
 public:
  using TaskPtr = std::shared_ptr<TaskProc>;

  void add(int layer, TaskPtr task);

  // Constructs a T from args and adds it in layer; the caller may keep the
  // returned pointer, but the list keeps the task alive until it leaves.
  template <typename T, typename... Args>
  std::shared_ptr<T> create(int layer, Args&&... args) {
    auto task = std::make_shared<T>(std::forward<Args>(args)...);
    add(layer, task);
    return task;
  }

  // Merges the pending tasks, updates every active task, then removes the
  // tasks whose alive flag is clear.
  void update(float dt);
  void draw();
  // Delivers code to every active task, then to every pending one. Re-entrant:
  // a handler may broadcast again or add tasks.
  void broadcast(int code);

  std::size_t activeCount() const;
  std::size_t pendingCount() const;

 private:
  using Layers = std::map<int, std::vector<TaskPtr>>;

  Layers active_;
  Layers pending_;
};

}  // namespace orb
