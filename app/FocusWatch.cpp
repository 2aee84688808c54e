#include "app/FocusWatch.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

namespace orb {

bool FocusWatch::lostThisFrame() {
  if (--countdown_ > 0) return false;
  countdown_ = kFramesBetweenAsks;
  Display* display = glXGetCurrentDisplay();
  const GLXDrawable own = glXGetCurrentDrawable();
  if (display == nullptr || own == 0) return false;
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  // With the focus following the pointer (no window manager has set it) the
  // window never held the focus as such: nothing to lose.
  if (focus == PointerRoot) return false;
  const bool has = focus == own;
  const bool lost = had_ && !has;
  had_ = has;
  return lost;
}

}  // namespace orb
