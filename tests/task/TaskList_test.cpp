#include "task/TaskList.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace orb {
namespace {

// Records every call into a shared log as "<name>:<what>".
class ProbeTask : public TaskProc {
 public:
  ProbeTask(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
  void update(float) override {
    log_.push_back(name_ + ":update");
    if (onUpdate) onUpdate();
  }
  void draw() override { log_.push_back(name_ + ":draw"); }
  void message(int code) override {
    log_.push_back(name_ + ":msg" + std::to_string(code));
    if (onMessage) onMessage(code);
  }
  bool alive() const override { return alive_; }

  bool alive_ = true;
  std::function<void()> onUpdate;
  std::function<void(int)> onMessage;

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

using Log = std::vector<std::string>;

TEST(TaskList, RunsLayersInAscendingOrderAndTasksInInsertionOrder) {
  Log log;
  TaskList list;
  list.create<ProbeTask>(4, log, "hud");
  list.create<ProbeTask>(0, log, "logic");
  list.create<ProbeTask>(4, log, "hud2");
  list.update(0.016f);
  list.draw();
  EXPECT_EQ(log, (Log{"logic:update", "hud:update", "hud2:update", "logic:draw", "hud:draw", "hud2:draw"}));
}

TEST(TaskList, TaskAddedDuringUpdateWaitsForTheNextFrameEvenInAHigherLayer) {
  Log log;
  TaskList list;
  auto adder = list.create<ProbeTask>(0, log, "adder");
  bool added = false;
  adder->onUpdate = [&] {
    if (!added) list.create<ProbeTask>(4, log, "late");
    added = true;
  };
  list.update(0.016f);
  list.draw();
  EXPECT_EQ(log, (Log{"adder:update", "adder:draw"}));
  log.clear();
  list.update(0.016f);
  EXPECT_EQ(log, (Log{"adder:update", "late:update"}));
}

TEST(TaskList, BroadcastReachesActiveTasksThenPendingOnes) {
  Log log;
  TaskList list;
  list.create<ProbeTask>(4, log, "active");
  list.update(0.016f);
  list.create<ProbeTask>(0, log, "pending");
  log.clear();
  list.broadcast(7);
  EXPECT_EQ(log, (Log{"active:msg7", "pending:msg7"}));
}

TEST(TaskList, TasksCreatedByAHandlerHearTheBroadcastInProgress) {
  Log log;
  TaskList list;
  auto first = list.create<ProbeTask>(0, log, "first");
  first->onMessage = [&](int) { list.create<ProbeTask>(2, log, "child"); };
  list.update(0.016f);
  log.clear();
  list.broadcast(3);
  EXPECT_EQ(log, (Log{"first:msg3", "child:msg3"}));
}

TEST(TaskList, DeadTaskIsUpdatedOnceAndNeverDrawn) {
  Log log;
  TaskList list;
  auto task = list.create<ProbeTask>(1, log, "dead");
  task->alive_ = false;
  list.update(0.016f);
  list.draw();
  list.update(0.016f);
  EXPECT_EQ(log, (Log{"dead:update"}));
  EXPECT_EQ(list.activeCount(), 0u);
}

TEST(TaskList, RemovalKeepsTheOrderOfTheSurvivors) {
  Log log;
  TaskList list;
  list.create<ProbeTask>(4, log, "a");
  auto b = list.create<ProbeTask>(4, log, "b");
  list.create<ProbeTask>(4, log, "c");
  list.update(0.016f);
  b->alive_ = false;  // cleared from outside the update, as a touch handler would
  list.update(0.016f);
  log.clear();
  list.draw();
  EXPECT_EQ(log, (Log{"a:draw", "c:draw"}));
}

}  // namespace
}  // namespace orb
