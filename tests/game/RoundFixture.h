#pragma once
// A game context for driving the round's display tasks without a window:
// parameters from a small JSON text, a task list with a probe that records
// every broadcast, and a fixed frame step.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "support/TestPaths.h"
#include "task/TaskList.h"

namespace orb::test {

constexpr float kStep = 1.0f / 60.0f;

// Parameters of the display tasks, chosen so durations are easy to reason about.
inline const char* kRoundParams = R"({
  "distance": {"ofs_x": 240, "num_x": -120, "num_y": -6, "dist_time": 0.5},
  "playlevel": {"num_ofs": [30, 26]},
  "playkonahen": {"num_ofs": [8, 26]},
  "playtime": {"num_ofs": [10, 26]},
  "placedisp": {"scale_st": 1.5, "time_ed": 0.4, "ans_scale_st": 1.2, "ans_time_ed": 0.3,
                "correct_disp": 1.0, "miss_disp": 2.0},
  "gameinfo": {"ease_in": [[1, 0, 0, 1, 0.5], [0, 1, 0, 1, 1.0]],
               "ease_out": [[0, 1, -1, 0, 0.5]], "delay": 0.75},
  "gameintro": {"delay": 0.5, "frame": 2.0, "fade": 0.25},
  "gamestart": {"easing": [[3, 0, 1, 1, 0.5], [1, 1, 1, 0, 0.5]]},
  "gameover": {"easing": [[3, 0, 1, 1, 1.0], [1, 1, 1, 1, 1.0]]},
  "just": {"easing": [[200, 0, 0, 1, 0.25], [0, 1, 0, 1, 0.5], [0, 1, -40, 0, 0.25]],
           "num_ofs": [96, 0]},
  "konahen": {"div": 8, "rotate": 90, "size": 4, "v": 16, "height": 1.5,
              "easing": [[0, 1, 1, 1, 0.4], [1, 1, 2, 0, 0.6]]},
  "equator": {"scale": 1.01, "div": 90, "fog": [120, 17]},
  "nsdisp": {"scale": 1.12}
})";

// Records every broadcast code it receives.
class CodeProbe : public TaskProc {
 public:
  void update(float) override {}
  void draw() override {}
  void message(int code) override { codes.push_back(code); }
  bool alive() const override { return true; }
  std::vector<int> codes;
};

struct RoundFixture {
  std::unique_ptr<JsonDocument> params;
  TaskList tasks;
  ScreenSize screen;
  GameContext context;
  std::shared_ptr<CodeProbe> probe = std::make_shared<CodeProbe>();

  explicit RoundFixture(const std::string& json = kRoundParams) {
    const std::string dir = scratchDir("round_params_" + std::to_string(counter()++));
    writeFile(dir + "params.json", json);
    params = std::make_unique<JsonDocument>(dir + "params.json");
    EXPECT_TRUE(params->loaded()) << params->error();
    context.params = params.get();
    context.tasks = &tasks;
    context.screen = &screen;
    tasks.add(0, probe);
    tasks.update(0.0f);  // the probe joins the active list
  }

  // Runs task for seconds in whole frames of kStep (its own update only).
  template <typename Task>
  static void run(Task& task, float seconds) {
    for (float t = 0.0f; t < seconds - 1e-6f; t += kStep) task.update(kStep);
  }

 private:
  static int& counter() {
    static int n = 0;
    return n;
  }
};

}  // namespace orb::test
