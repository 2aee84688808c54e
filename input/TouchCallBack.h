#pragma once
#include "input/Touch.h"

namespace orb {

class TouchDispatcher;

// A receiver of touch events. Every receiver sees every event (no capture, no
// consumption) and converts positions with the dispatcher's mapping.
class TouchCallBack {
 public:
  virtual ~TouchCallBack() = default;
  virtual void touchesBegan(TouchDispatcher& dispatcher, const Touches& touches) = 0;
  virtual void touchesMoved(TouchDispatcher& dispatcher, const Touches& touches) = 0;
  virtual void touchesEnded(TouchDispatcher& dispatcher, const Touches& touches) = 0;
};

}  // namespace orb
