#pragma once
#include <string>

namespace orb {

// The game window's icon for X11 window managers and task bars. GLUT has no
// icon call, so the icon goes straight onto the window as _NET_WM_ICON.
class WindowIcon {
 public:
  // Sets the icon on the current GLX drawable (call after glutCreateWindow).
  // dataDir: the folder holding devdata/; the icon is looked up in the
  // installed icon theme beside it, then in the source tree's packaging/.
  // Returns false, with one line on stderr, when no icon could be read.
  [[nodiscard]] static bool apply(const std::string& dataDir);
};

}  // namespace orb
