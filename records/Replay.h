#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "game/ReplayControl.h"
#include "gfx/Quat.h"
#include "gfx/Vec3.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;

// One moment of a recorded game: where the camera was and whether the player
// touched the globe then.
struct ReplayRecord {
  float time = 0;  // seconds since playback started
  Quat orientation;
  float distance = 0;
  bool touch = false;
  Vec3 point{};  // touched globe point, globe model space (only with touch)
};

// The recorded player of the demonstration game (a permanent task in the logic
// layer). While a demonstration plays it puts the recorded camera on the globe
// and hands the recorded taps to the game as if a player had made them, so the
// demonstration is judged by the same code as a real game.
//
// The file is plain text, numbers separated by white space: the earth's spin
// angle and the game's seed, then records of ten numbers each (time,
// orientation x y z w, distance, touch flag 0/1, touch point x y z).
class Replay : public TaskProc, public ReplayControl {
 public:
  explicit Replay(GameContext* context);

  // Reads dataDir + "devdata/replay.dz", else dataDir + "devdata/replay.rep";
  // with neither there is nothing to play and the seed is 0.
  void load(const std::string& dataDir);
  // Replaces the header and records with those of text. Reading stops at the
  // first record that is incomplete, not numeric, not finite, has a touch flag
  // other than 0 or 1, or runs backwards in time: everything before it is kept.
  // False when the text did not read to its end that way (or had no header).
  [[nodiscard]] bool parse(const std::string& text);
  // The text parse() reads back to the same records.
  std::string text() const;

  void update(float dt) override;
  void draw() override {}
  void message(int) override {}

  std::uint32_t seed() const override { return seed_; }
  void startPlayback() override;
  void stopPlayback() override;

  // For the recording tool: set the header and append records as the game runs.
  void setHeader(float spinAngle, std::uint32_t seed);
  void append(const ReplayRecord& record) { records_.push_back(record); }

  const std::vector<ReplayRecord>& records() const { return records_; }
  float spinAngle() const { return spinAngle_; }
  float clock() const { return clock_; }
  bool playing() const { return playing_; }
  std::size_t nextIndex() const { return next_; }

 private:
  GameContext* ctx_;
  bool playing_ = false;
  bool firstPending_ = false;
  float clock_ = 0;
  std::vector<ReplayRecord> records_;
  float spinAngle_ = 0;
  std::uint32_t seed_ = 0;
  std::size_t next_ = 0;
};

}  // namespace orb
