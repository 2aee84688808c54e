#include "records/Replay.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "data/DzFile.h"
#include "gfx/Camera.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "task/Messages.h"
#include "task/TaskList.h"

namespace orb {
namespace {

constexpr std::size_t kReservedRecords = 256;

bool readFinite(std::istream& in, float& value) { return static_cast<bool>(in >> value) && std::isfinite(value); }

}  // namespace

Replay::Replay(GameContext* context) : ctx_(context) { records_.reserve(kReservedRecords); }

void Replay::load(const std::string& dataDir) {
  records_.clear();
  spinAngle_ = 0;
  seed_ = 0;
  const std::string base = dataDir + "devdata/replay";
  std::string path = base + ".dz";
  std::string text;
  bool whole = true;
  if (dz::fileExists(path)) {
    // A damaged stream still gives the records decoded before the damage.
    dz::Bytes bytes;
    whole = dz::readCompressedFile(path, bytes);
    text.assign(bytes.begin(), bytes.end());
  } else {
    path = base + ".rep";
    std::ifstream in(path, std::ios::binary);
    if (!in) return;  // no replay: the demonstration runs unplayed
    std::ostringstream read;
    read << in.rdbuf();
    text = read.str();
  }
  whole = parse(text) && whole;
  if (!whole) {
    std::fprintf(stderr, "replay: %s is damaged; playing its first %zu records\n", path.c_str(), records_.size());
  }
}

bool Replay::parse(const std::string& text) {
  records_.clear();
  next_ = 0;
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  float spin = 0;
  std::uint32_t seed = 0;
  if (!readFinite(in, spin) || !(in >> seed)) {
    spinAngle_ = 0;
    seed_ = 0;
    return false;
  }
  spinAngle_ = spin;
  seed_ = seed;
  float lastTime = 0;
  for (;;) {
    in >> std::ws;
    if (in.peek() == std::char_traits<char>::eof()) return true;
    ReplayRecord r;
    int flag = -1;
    if (!readFinite(in, r.time) || !readFinite(in, r.orientation.x) || !readFinite(in, r.orientation.y) ||
        !readFinite(in, r.orientation.z) || !readFinite(in, r.orientation.w) || !readFinite(in, r.distance) ||
        !(in >> flag) || !readFinite(in, r.point.x) || !readFinite(in, r.point.y) || !readFinite(in, r.point.z)) {
      return false;
    }
    if ((flag != 0 && flag != 1) || r.time < lastTime) return false;
    r.touch = flag == 1;
    lastTime = r.time;
    records_.push_back(r);
  }
}

std::string Replay::text() const {
  std::ostringstream out;
  out.imbue(std::locale::classic());
  // Nine significant digits read back to the same float.
  out << std::setprecision(9) << spinAngle_ << ' ' << seed_ << '\n';
  for (const ReplayRecord& r : records_) {
    out << r.time << ' ' << r.orientation.x << ' ' << r.orientation.y << ' ' << r.orientation.z << ' '
        << r.orientation.w << ' ' << r.distance << ' ' << (r.touch ? 1 : 0) << ' ' << r.point.x << ' '
        << r.point.y << ' ' << r.point.z << '\n';
  }
  return out.str();
}

void Replay::setHeader(float spinAngle, std::uint32_t seed) {
  spinAngle_ = spinAngle;
  seed_ = seed;
}

void Replay::startPlayback() {
  clock_ = 0;
  next_ = 0;
  playing_ = true;
  firstPending_ = true;
}

void Replay::stopPlayback() { playing_ = false; }

void Replay::update(float dt) {
  clock_ += dt;
  if (!playing_) return;
  GameContext& ctx = *ctx_;
  while (next_ < records_.size() && clock_ >= records_[next_].time) {
    const ReplayRecord& r = records_[next_];
    if (firstPending_) {
      firstPending_ = false;
      if (ctx.earth) ctx.earth->spinAngle = spinAngle_;
    }
    const bool first = next_ == 0;
    if (ctx.camera) {
      ctx.camera->orientation = r.orientation;
      ctx.camera->distance = r.distance;
    }
    ++next_;
    // The camera control's zoom spring still aims where the previous scene
    // left it; starting it from the replayed camera, as after any scripted
    // move, makes every showing follow the recorded path.
    if (first) ctx.tasks->broadcast(kMsgCameraMoveDone);
    if (r.touch) {
      ctx.touchPoint = r.point;
      ctx.touchHit = true;
      ctx.tasks->broadcast(kMsgGlobeTapped);
      // The judged tap may end the game, which stops playback.
      if (!playing_) break;
    }
  }
}

}  // namespace orb
