#pragma once
#include <cstdint>
#include <random>
#include <vector>

#include "records/Replay.h"

namespace orb {

struct GameContext;
class GameMain;

// A skilled player for recording the demonstration: reads the asked place,
// flies the camera to it in one smooth turn (pulling back a little on long
// turns, as a pinch would), and taps its middle. By plan it misses the third
// question once before finding it and lets the fifth run out of time while it
// searches elsewhere. Works on the game's own context, one frame at a time.
class ScriptedPlayer {
 public:
  static constexpr int kMissQuestion = 3;     // 1-based
  static constexpr int kTimeOutQuestion = 5;
  static constexpr int kQuestions = 10;       // questions played before the recording ends

  // game: the running game, whose current place the player "knows".
  ScriptedPlayer(GameContext& context, const GameMain& game, std::uint32_t seed);

  // The record for the frame that brings the replay clock to time.
  ReplayRecord step(float time, float dt);
  // Codes the game broadcast during the last frame.
  void heard(int code);
  bool finished() const { return finished_; }

  int asked = 0, correct = 0, misses = 0, timeOuts = 0;
  bool planKept = true;

 private:
  enum class State { Idle, Think, Fly, Settle, AfterMiss, Search };
  struct View {
    float pitch = 0, yaw = 0, dist = 0;
  };
  View aimAt(const Vec3& point, float dist) const;
  void flyTo(const View& target);
  View current() const;
  // A point well inside the asked place (a polygon's middle when that lies
  // inside, else the inside grid point nearest to it), and one just outside.
  void chooseTargets();
  float uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(random_); }

  GameContext& ctx_;
  std::mt19937 random_;
  State state_ = State::Idle;
  View view_;              // the camera the player holds
  View from_, to_;
  float clock_ = 0, duration_ = 0, bump_ = 0;
  float wait_ = 0;
  int plan_ = 0;           // 0 right, 1 miss first, 2 let it run out
  bool missed_ = false;
  bool tapDue_ = false;
  Vec3 answer_{};
  Vec3 beside_{};
  const GameMain& game_;
  bool finished_ = false;
  float endWait_ = -1;
};

}  // namespace orb
