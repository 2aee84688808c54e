#include "ScriptedPlayer.h"

#include <algorithm>
#include <cmath>

#include "data/JsonDocument.h"
#include "game/GameMain.h"
#include "game/MapCoords.h"
#include "game/Place.h"
#include "game/PlaceDatabase.h"
#include "gfx/Camera.h"
#include "gfx/GlobeMath.h"
#include "gfx/MathConstants.h"
#include "globe/EarthModel.h"
#include "globe/GameContext.h"
#include "task/Messages.h"

namespace orb {
namespace {

float smoother(float s) { return s * s * s * (s * (s * 6 - 15) + 10); }

}  // namespace

ScriptedPlayer::ScriptedPlayer(GameContext& context, const GameMain& game, std::uint32_t seed)
    : ctx_(context), random_(seed), game_(game) {
  view_ = current();
}

ScriptedPlayer::View ScriptedPlayer::current() const {
  const Vec2<float> angles = anglesFromQuat(ctx_.camera->orientation);
  return View{angles.x, angles.y, ctx_.camera->distance};
}

void ScriptedPlayer::chooseTargets() {
  // The place is loaded into a scratch context: loading fills context fields.
  GameContext scratch = ctx_;
  const auto place = PlaceDatabase(ctx_.places->root(), *ctx_.dataDir).loadPlace(game_.currentKey(), 0.0f, scratch);
  answer_ = ctx_.answerPoints.empty() ? Vec3{0, 0, 1} : ctx_.answerPoints.front();
  if (!place || place->polygons().empty()) return;
  // The largest polygon is the mainland a player aims at.
  const Place::Polygon* main = &place->polygons().front();
  float largest = -1;
  for (const auto& poly : place->polygons()) {
    float minX = 9, minY = 9, maxX = -9, maxY = -9;
    for (const auto& v : poly) {
      minX = std::min(minX, v.x), maxX = std::max(maxX, v.x), minY = std::min(minY, v.y), maxY = std::max(maxY, v.y);
    }
    if ((maxX - minX) * (maxY - minY) > largest) largest = (maxX - minX) * (maxY - minY), main = &poly;
  }
  const Vec2<float> mean = Place::vertexMean(*main);
  float minX = 9, minY = 9, maxX = -9, maxY = -9;
  for (const auto& v : *main) {
    minX = std::min(minX, v.x), maxX = std::max(maxX, v.x), minY = std::min(minY, v.y), maxY = std::max(maxY, v.y);
  }
  // Prefer a point with room around it, so the tap is plainly inside.
  auto roomy = [&place](Vec2<float> p, float r) {
    return place->hitTest(p) && place->hitTest({p.x + r, p.y}) && place->hitTest({p.x - r, p.y}) &&
           place->hitTest({p.x, p.y + r}) && place->hitTest({p.x, p.y - r});
  };
  const float room = 0.15f * std::min(maxX - minX, maxY - minY);
  Vec2<float> best = mean;
  if (!roomy(mean, room)) {
    float bestD = 1e9f;
    constexpr int kGrid = 40;
    for (int i = 1; i < kGrid; ++i) {
      for (int j = 1; j < kGrid; ++j) {
        const Vec2<float> p{minX + (maxX - minX) * i / kGrid, minY + (maxY - minY) * j / kGrid};
        const float d = std::hypot(p.x - mean.x, p.y - mean.y);
        if (d < bestD && roomy(p, room)) bestD = d, best = p;
      }
    }
  }
  answer_ = directionFromMap(best);
  // Beside it: a short step out past the edge, on the nearest side that is outside.
  const float w = maxX - minX, h = maxY - minY;
  const Vec2<float> tries[] = {{maxX + 0.3f * w, best.y}, {minX - 0.3f * w, best.y}, {best.x, maxY + 0.3f * h},
                               {best.x, minY - 0.3f * h}};
  beside_ = directionFromMap(tries[0]);
  for (const auto& p : tries) {
    if (!place->hitTest(p) && std::fabs(p.y) < 0.8f) {
      beside_ = directionFromMap(p);
      break;
    }
  }
}

ScriptedPlayer::View ScriptedPlayer::aimAt(const Vec3& point, float dist) const {
  // The same aim the game uses to show a missed answer.
  const Vec2<float> lonLat = lonLatFromDirection(point);
  const float spin = ctx_.earth ? ctx_.earth->spinAngle : 0.0f;
  View v;
  v.pitch = std::clamp(lonLat.y, -ctx_.camera->pitchMax + 0.05f, ctx_.camera->pitchMax - 0.05f);
  v.yaw = kPi / 2 - lonLat.x - spin * kPi / 180.0f;
  // The short way round.
  while (v.yaw - view_.yaw > kPi) v.yaw -= 2 * kPi;
  while (v.yaw - view_.yaw < -kPi) v.yaw += 2 * kPi;
  v.dist = dist;
  return v;
}

void ScriptedPlayer::flyTo(const View& target) {
  from_ = view_;
  to_ = target;
  const float turn = std::hypot(to_.pitch - from_.pitch, (to_.yaw - from_.yaw) * std::cos(from_.pitch));
  duration_ = std::clamp(0.55f + turn * 0.45f, 0.7f, 1.7f);
  bump_ = std::min(450.0f, turn * 260.0f);  // pull back on a long turn, in again on arrival
  clock_ = 0;
  state_ = State::Fly;
}

void ScriptedPlayer::heard(int code) {
  switch (code) {
    case kMsgTapsOn:
      ++asked;
      plan_ = asked == kMissQuestion ? 1 : asked == kTimeOutQuestion ? 2 : 0;
      missed_ = false;
      chooseTargets();
      view_ = current();
      state_ = State::Think;
      wait_ = uniform(0.45f, 0.8f);
      break;
    case kMsgCorrect:
      ++correct;
      if (plan_ == 1 && !missed_) planKept = false;
      state_ = State::Idle;
      if (asked >= kQuestions) endWait_ = 1.0f;
      break;
    case kMsgMiss:
      ++misses;
      if (plan_ != 1) planKept = false;
      break;
    case kMsgTimeOut:
      ++timeOuts;
      if (plan_ != 2) planKept = false;
      state_ = State::Idle;
      break;
    default:
      break;
  }
}

ReplayRecord ScriptedPlayer::step(float time, float dt) {
  ReplayRecord r;
  r.time = time;
  switch (state_) {
    case State::Idle:
      // Between questions the hand rests: the camera stays where the game left it.
      view_ = current();
      if (endWait_ >= 0) {
        endWait_ -= dt;
        if (endWait_ < 0) finished_ = true;
      }
      break;
    case State::Think:
      view_ = current();
      wait_ -= dt;
      if (wait_ <= 0) {
        if (plan_ == 2) {
          // Looks in the wrong part of the world, a few times, never sure enough to tap.
          state_ = State::Search;
          wait_ = 0;
        } else {
          flyTo(aimAt(answer_, uniform(1500.0f, 1950.0f)));
        }
      }
      break;
    case State::Fly: {
      clock_ += dt;
      const float s = std::min(1.0f, clock_ / duration_);
      const float e = smoother(s);
      view_.pitch = from_.pitch + (to_.pitch - from_.pitch) * e;
      view_.yaw = from_.yaw + (to_.yaw - from_.yaw) * e;
      view_.dist = from_.dist + (to_.dist - from_.dist) * e + bump_ * std::sin(kPi * e);
      if (s >= 1.0f) {
        state_ = State::Settle;
        wait_ = uniform(0.2f, 0.35f);
        tapDue_ = true;
      }
      break;
    }
    case State::Settle:
      wait_ -= dt;
      if (wait_ <= 0 && tapDue_) {
        tapDue_ = false;
        r.touch = true;
        if (plan_ == 1 && !missed_) {
          // The first try lands a little beside the place: a neighbour, not the asked one.
          r.point = beside_;
          missed_ = true;
          state_ = State::AfterMiss;
          wait_ = uniform(0.9f, 1.2f);
        } else {
          r.point = answer_;
          state_ = State::Idle;  // until the game confirms
        }
      }
      break;
    case State::AfterMiss:
      wait_ -= dt;
      if (wait_ <= 0) flyTo(aimAt(answer_, view_.dist - 150.0f));
      break;
    case State::Search:
      // Wander between wrong guesses until the game shows the answer.
      if (clock_ >= duration_ || wait_ > 0) {
        if (wait_ > 0) {
          wait_ -= dt;
        } else {
          const Vec2<float> ll = lonLatFromDirection(answer_);
          // Around the right part of the world, but never on the place itself.
          const float lon = ll.x + uniform(0.5f, 1.0f) * (uniform(0, 1) < 0.5f ? -1.0f : 1.0f);
          const float lat = std::clamp(ll.y + uniform(-0.4f, 0.4f), -1.0f, 1.0f);
          flyTo(aimAt(directionFromLonLat(lon, lat), uniform(1700.0f, 2200.0f)));
          state_ = State::Search;
        }
        break;
      }
      clock_ += dt;
      {
        const float s = std::min(1.0f, clock_ / duration_);
        const float e = smoother(s);
        view_.pitch = from_.pitch + (to_.pitch - from_.pitch) * e;
        view_.yaw = from_.yaw + (to_.yaw - from_.yaw) * e;
        view_.dist = from_.dist + (to_.dist - from_.dist) * e + bump_ * std::sin(kPi * e);
        if (s >= 1.0f) wait_ = uniform(1.0f, 1.8f);
      }
      break;
  }
  r.orientation = quatFromAngles(view_.pitch, view_.yaw);
  r.distance = view_.dist;
  return r;
}

}  // namespace orb
