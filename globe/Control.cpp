#include "globe/Control.h"

#include <algorithm>
#include <cmath>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/Camera.h"
#include "gfx/GlobeMath.h"
#include "gfx/Mat4.h"
#include "globe/EarthModel.h"
#include "input/KeyCodes.h"
#include "input/KeyInput.h"
#include "input/TouchDispatcher.h"
#include "task/TaskList.h"
#include "task/Messages.h"
#include "gfx/TouchMenu.h"

namespace orb {
namespace {

// A pitch limit of 90 degrees in the data would divide a sideways drag by
// cos(90) at the pole; this caps the extra turn at ten times.
constexpr float kMinPoleCos = 0.1f;

// The camera looking straight at the globe from distance, without rotation:
// the frame in which drags and pinches are measured.
Mat4 straightView(float distance) {
  Mat4 m;
  m[14] = -static_cast<double>(distance);
  return m;
}

float signedAsin(float d, float radius, float gain) {
  const float a = std::asin(std::min(std::fabs(d) / radius, 1.0f)) * gain;
  return d < 0.0f ? -a : a;
}

}  // namespace

Control::Control(GameContext* context) : context_(context) {
  const picojson::value& game = json::at(context_->params->root(), "game");
  radius = context_->earth ? context_->earth->radius : 1.0f;
  nearZ = json::real(game, "near_z");
  farZ = json::real(game, "far_z");
  rotSpeed = json::real(game, "rot_speed");
  zoomSpeed = json::real(game, "zoom_speed");
  decrease = json::real(game, "decrease");
  decZ = json::real(game, "dec_z");
  bounceNear = json::real(game, "bounce_near");
  bounceFar = json::real(game, "bounce_far");
  lockTime = json::real(game, "touch");
  tapLimit = json::real(game, "touch_len");
  keyDrag = json::real(game, "key_drag", 6.0f);
  keyZoom = json::real(game, "key_zoom", 1200.0f);
  targetDist = context_->camera->distance;
  if (context_->touch) context_->touch->add(this);
  if (context_->keys) context_->keys->add(this, kKeyRankGlobe);
}

Control::~Control() {
  if (context_->touch) context_->touch->remove(this);
  if (context_->keys) context_->keys->remove(this);
}

void Control::stop() { impulsePitch = impulseYaw = velPitch = velYaw = 0.0f; }

void Control::message(int code) {
  switch (code) {
    case kMsgControlOn: enabled = true; paused = false; tapCandidate = false; break;
    case kMsgControlOff: enabled = false; stop(); break;
    case kMsgControlBlock: blocked = true; lockLeft = 0.0f; stop(); break;
    case kMsgControlUnblock: blocked = false; break;
    case kMsgLatitudeLocked: freeMode = 0; stop(); break;
    case kMsgFreeTurning: freeMode = 1; stop(); break;
    case kMsgPauseToggle: paused = !paused; break;
    case kMsgTapsOn: tapEnabled = true; lockLeft = 0.0f; tapCandidate = false; break;
    case kMsgTapsOff: tapEnabled = false; break;
    case kMsgMiss: lockLeft = lockTime; break;
    case kMsgDemoEnded:
    case kMsgCameraMoveDone: targetDist = context_->camera->distance; break;
    case kMsgQuestionsBegin: inGame = true; break;
    case kMsgGameEnding:
    case kMsgBackToTitle: keyAim = false; inGame = false; break;
    default: break;
  }
}

void Control::touchesBegan(TouchDispatcher& dispatcher, const Touches&) {
  if (!dispatcher.fromKeys()) keyAim = false;
  if (!open()) return;
  tapCandidate = true;
  dragLength = 0.0f;
}

// A touch that began on a button belongs to the button: it neither turns the
// globe nor answers. The menu hears each touch after the control, so by the
// first move and at the release it already holds a touch that began on it.
bool Control::buttonHeld() const { return context_->touchMenu && context_->touchMenu->capturing(); }

void Control::touchesMoved(TouchDispatcher&, const Touches& touches) {
  if (!open() || touches.empty() || buttonHeld()) return;
  const Camera& camera = *context_->camera;
  const Mat4 view = straightView(camera.distance);
  const float depth = camera.project({0.0f, 0.0f, radius}, view.data()).z;
  if (touches.size() == 1) {
    const Touch& t = touches[0];
    const float step = std::hypot(t.x - t.prevX, t.y - t.prevY);
    if (!(step > 0.0f)) return;
    dragLength += step;
    tapCandidate = tapCandidate && dragLength < tapLimit;
    // Touch y counts downward and is passed as it is: only differences are
    // used, and with the mirrored projection the surface follows the finger.
    dragImpulse(t.prevX, t.prevY, t.x, t.y);
    return;
  }
  tapCandidate = false;
  const Touch& t0 = touches[0];
  const Touch& t1 = touches[1];
  const Vec3 a = camera.unproject({t0.x, t0.y}, depth, view.data());
  const Vec3 b = camera.unproject({t1.x, t1.y}, depth, view.data());
  const Vec3 a0 = camera.unproject({t0.prevX, t0.prevY}, depth, view.data());
  const Vec3 b0 = camera.unproject({t1.prevX, t1.prevY}, depth, view.data());
  const float now = std::hypot(a.x - b.x, a.y - b.y);
  const float before = std::hypot(a0.x - b0.x, a0.y - b0.y);
  // Spreading the fingers brings the camera closer; the target may leave the
  // limits during the gesture and springs back afterwards.
  targetDist += (before - now) * zoomSpeed;
}

void Control::dragImpulse(float x0, float y0, float x1, float y1) {
  const Camera& camera = *context_->camera;
  const Mat4 view = straightView(camera.distance);
  const float depth = camera.project({0.0f, 0.0f, radius}, view.data()).z;
  const Vec3 p1 = camera.unproject({x1, y1}, depth, view.data());
  const Vec3 p0 = camera.unproject({x0, y0}, depth, view.data());
  impulseYaw = signedAsin(p1.x - p0.x, radius, rotSpeed);
  impulsePitch = signedAsin(p1.y - p0.y, radius, rotSpeed);
}

bool Control::keyDown(int code) {
  switch (code) {
    case kKeyLeft: case kKeyRight: case kKeyUp: case kKeyDown:
    case kKeyPlus: case kKeyEquals: case kKeyMinus:
      if (!open()) return false;
      keyAim = true;
      return true;  // held: applyHeldKeys turns and zooms every frame
    default:
      return false;
  }
}

// A held arrow is a finger that keeps moving keyDrag pixels a frame, so the
// globe turns with the drag's inertia and pitch limit; the arrow points where
// the player looks, so the surface moves the other way. A held zoom key moves
// the pinch's target, which the same spring follows and the same bounce pulls
// back inside the limits (held past them, it rests where the two balance).
void Control::applyHeldKeys(float dt) {
  const KeyInput* keys = context_->keys;
  if (!keys) return;
  const float dx = (keys->held(kKeyLeft) ? keyDrag : 0.0f) - (keys->held(kKeyRight) ? keyDrag : 0.0f);
  const float dy = (keys->held(kKeyUp) ? keyDrag : 0.0f) - (keys->held(kKeyDown) ? keyDrag : 0.0f);
  if (dx != 0.0f || dy != 0.0f) dragImpulse(0.0f, 0.0f, dx, dy);
  const bool closer = keys->held(kKeyPlus) || keys->held(kKeyEquals);
  const bool farther = keys->held(kKeyMinus);
  if (closer != farther) targetDist += (closer ? -keyZoom : keyZoom) * dt;
}

void Control::touchesEnded(TouchDispatcher& dispatcher, const Touches& touches) {
  if (dispatcher.fromKeys() && open()) keyAim = true;
  if (!open() || !tapEnabled || !tapCandidate || lockLeft > 0.0f || touches.size() != 1 || buttonHeld()) return;
  const Touch& t = touches[0];
  const Vec2<float> window{t.x, dispatcher.mapping().windowHeight - t.y};
  Vec3 hit;
  const bool isHit = context_->earth && pickSphere(hit, window, radius, {0.0f, 0.0f, 0.0f}, *context_->camera,
                                                   context_->earth->sphereModelView.data());
  if (isHit) context_->touchPoint = hit;
  lastHit = isHit;
  context_->touchHit = isHit;
  if (isHit && context_->tasks) context_->tasks->broadcast(kMsgGlobeTapped);
}

void Control::update(float dt) {
  context_->reticleShown = keyAim && inGame && open();
  if (!open()) return;
  applyHeldKeys(dt);
  Camera& camera = *context_->camera;
  if (freeMode == 0) {
    Vec2<float> angles = anglesFromQuat(camera.orientation);
    float pitch = angles.x, yaw = angles.y;
    // Near the poles a sideways drag turns further, so the surface keeps up with the finger.
    impulseYaw /= std::max(std::cos(pitch), kMinPoleCos);
    const float aP = impulsePitch - decrease * velPitch;
    const float aY = impulseYaw - decrease * velYaw;
    pitch += velPitch * dt + 0.5f * aP * dt * dt;
    yaw += velYaw * dt + 0.5f * aY * dt * dt;
    velPitch += aP * dt;
    velYaw += aY * dt;
    impulsePitch = impulseYaw = 0.0f;
    if (pitch > camera.pitchMax) {
      pitch = camera.pitchMax;
      velPitch = 0.0f;
    }
    if (pitch < -camera.pitchMax) {
      pitch = -camera.pitchMax;
      velPitch = 0.0f;
    }
    camera.orientation = quatFromAngles(pitch, yaw);
  } else {
    const float aP = impulsePitch - decrease * velPitch;
    const float aY = impulseYaw - decrease * velYaw;
    const float dP = velPitch * dt + 0.5f * aP * dt * dt;
    const float dY = velYaw * dt + 0.5f * aY * dt * dt;
    velPitch += aP * dt;
    velYaw += aY * dt;
    impulsePitch = impulseYaw = 0.0f;
    Quat step = Quat::fromAxisAngle(dP, {1.0f, 0.0f, 0.0f}) * Quat::fromAxisAngle(dY, {0.0f, 1.0f, 0.0f});
    step.normalize();
    Quat turned = step * camera.orientation;
    turned.normalize();
    camera.orientation = turned;
  }
  camera.distance += 0.5f * decZ * (targetDist - camera.distance) * dt * dt;
  if (nearZ > targetDist) {
    targetDist += (nearZ - targetDist) * bounceNear * dt;
  } else if (targetDist > farZ) {
    targetDist += (farZ - targetDist) * bounceFar * dt;
  }
  if (lockLeft > 0.0f) lockLeft -= dt;
}

}  // namespace orb
