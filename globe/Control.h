#pragma once
#include <picojson.h>

#include "input/KeyCallBack.h"
#include "input/TouchCallBack.h"
#include "task/TaskProc.h"

namespace orb {

struct GameContext;

// Turns the player's touches into camera motion (task layer 0): a one-finger
// drag turns the globe under the finger with inertia, a two-finger pinch (the
// right button's mirrored finger) pulls the camera distance towards a target
// that springs back inside "near_z".."far_z", and a short tap on the globe
// stores the globe point in the context and broadcasts 16.
// The keyboard plays the same globe: held arrows are a steady drag, held
// '+'/'=' and '-' a steady pinch, and a keyboard tap (Space or Enter, made by
// the key road at the screen centre) is judged like any tap. Once a key has
// been used the context's reticle marks the centre, until the mouse touches.
class Control : public TaskProc, public TouchCallBack, public KeyCallBack {
 public:
  // Reads the camera-control keys of "game"; registers with the context's
  // touch dispatcher until destruction.
  explicit Control(GameContext* context);
  ~Control() override;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  void update(float dt) override;
  void draw() override {}
  void message(int code) override;

  void touchesBegan(TouchDispatcher& dispatcher, const Touches& touches) override;
  void touchesMoved(TouchDispatcher& dispatcher, const Touches& touches) override;
  void touchesEnded(TouchDispatcher& dispatcher, const Touches& touches) override;

  bool keyDown(int code) override;

  float radius;          // pick sphere radius and drag scale, globe units
  float nearZ;           // nearest allowed target distance
  float farZ;            // farthest allowed target distance
  float rotSpeed;        // drag angle to turning impulse
  float zoomSpeed;       // pinch change to distance change
  float decrease;        // damping of the turning speed, 1/s
  float decZ;            // spring constant towards targetDist
  float bounceNear;      // pull-back rate below nearZ, 1/s
  float bounceFar;       // pull-back rate above farZ, 1/s
  int freeMode = 0;      // 0: latitude-locked, 1: free turning
  float dragLength = 0;  // window pixels dragged by the current touch
  float impulsePitch = 0, impulseYaw = 0;  // radians, set by the last drag event
  float velPitch = 0, velYaw = 0;          // radians per second
  float targetDist;      // distance the camera is pulled to
  bool enabled = true;       // messages 0 / 1
  bool tapEnabled = false;   // messages 14 / 15
  bool tapCandidate = false; // the current touch may still be a tap
  float lockTime;            // "touch": seconds taps stay locked after a miss
  float lockLeft = 0;
  bool paused = false;       // toggled by 13
  bool blocked = false;      // messages 2 / 3
  float tapLimit;            // "touch_len", window pixels
  bool lastHit = false;      // the last tap hit the globe
  float keyDrag;             // "key_drag": window pixels a held arrow drags per frame
  float keyZoom;             // "key_zoom": target distance a held zoom key moves, globe units/s
  bool keyAim = false;       // the keyboard plays: the reticle shows while the control is open
  bool inGame = false;       // the questions have begun and the game is not ending (10 .. 11)

 private:
  bool buttonHeld() const;
  bool open() const { return !blocked && enabled && !paused; }
  void stop();
  void applyHeldKeys(float dt);
  // The turning impulses of a one-finger move from (x0, y0) to (x1, y1), window pixels.
  void dragImpulse(float x0, float y0, float x1, float y1);

  GameContext* context_;
};

}  // namespace orb
