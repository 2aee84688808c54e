#include "task/TaskList.h"

#include <algorithm>

namespace orb {

void TaskList::add(int layer, TaskPtr task) { pending_[layer].push_back(std::move(task)); }

void TaskList::update(float dt) {
  if (!pending_.empty()) {
    Layers arrived;
    arrived.swap(pending_);
    for (auto& [layer, tasks] : arrived) {
      auto& target = active_[layer];
      target.insert(target.end(), tasks.begin(), tasks.end());
    }
  }
  // Index loops: a task's update may add tasks, which only ever touches pending_.
  for (auto& [layer, tasks] : active_) {
    for (std::size_t i = 0; i < tasks.size(); ++i) tasks[i]->update(dt);
  }
  for (auto& [layer, tasks] : active_) {
    tasks.erase(std::stable_partition(tasks.begin(), tasks.end(),
                                      [](const TaskPtr& t) { return t->alive(); }),
                tasks.end());
  }
}

void TaskList::draw() {
  for (auto& [layer, tasks] : active_) {
    for (std::size_t i = 0; i < tasks.size(); ++i) tasks[i]->draw();
  }
}

void TaskList::broadcast(int code) {
  // Index loops and shared_ptr copies throughout: a handler may add tasks, which
  // can grow the pending vectors; those newcomers must hear this broadcast too.
  for (auto& [layer, tasks] : active_) {
    for (std::size_t i = 0; i < tasks.size(); ++i) {
      const TaskPtr task = tasks[i];
      task->message(code);
    }
  }
  for (auto it = pending_.begin(); it != pending_.end(); it = pending_.upper_bound(it->first)) {
    auto& tasks = it->second;
    for (std::size_t i = 0; i < tasks.size(); ++i) {
      const TaskPtr task = tasks[i];
      task->message(code);
    }
  }
}

std::size_t TaskList::activeCount() const {
  std::size_t n = 0;
  for (const auto& [layer, tasks] : active_) n += tasks.size();
  return n;
}

std::size_t TaskList::pendingCount() const {
  std::size_t n = 0;
  for (const auto& [layer, tasks] : pending_) n += tasks.size();
  return n;
}

}  // namespace orb
