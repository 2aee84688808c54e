#pragma once

namespace orb {

// Where the window opens and where Ctrl+R puts it back. The stored size is
// clamped to the screen minus a margin for the window frame, and centred.
struct WindowPlacement {
  int width = 0, height = 0;  // client size
  int x = -1, y = -1;         // -1: the window system decides
  int resetX = 0, resetY = 0; // centred position of a 960 x 640 window

  // screen sizes of 0 or less skip the clamp and centring of that axis.
  static WindowPlacement compute(int storedWidth, int storedHeight, int screenWidth, int screenHeight);
};

// The largest rectangle of the authored aspect ratio centred in the window.
struct Viewport {
  int x = 0, y = 0, width = 0, height = 0;
  static Viewport fit(int windowWidth, int windowHeight, float aspect);
};

}  // namespace orb
