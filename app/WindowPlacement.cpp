#include "app/WindowPlacement.h"

namespace orb {
namespace {

// Room left for window decorations, and their size around a 960 x 640 client.
constexpr int kScreenMargin = 80;
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 16;
constexpr int kBaseWidth = 960;
constexpr int kBaseHeight = 640;

void placeAxis(int screen, int frame, int base, int& size, int& pos, int& reset) {
  if (screen <= 0) return;
  if (size > screen - kScreenMargin) size = screen - kScreenMargin;
  pos = (screen - size - frame) / 2;
  reset = (screen - (base + frame)) / 2;
}

}  // namespace

WindowPlacement WindowPlacement::compute(int storedWidth, int storedHeight, int screenWidth,
                                         int screenHeight) {
  WindowPlacement p;
  p.width = storedWidth;
  p.height = storedHeight;
  placeAxis(screenWidth, kFrameWidth, kBaseWidth, p.width, p.x, p.resetX);
  placeAxis(screenHeight, kFrameHeight, kBaseHeight, p.height, p.y, p.resetY);
  return p;
}

Viewport Viewport::fit(int w, int h, float aspect) {
  Viewport v;
  if (h <= 0 || w <= 0) return v;
  if (aspect > static_cast<float>(w) / static_cast<float>(h)) {
    v.width = w;
    v.height = static_cast<int>(static_cast<float>(w) / aspect + 0.5f);
  } else {
    v.width = static_cast<int>(static_cast<float>(h) * aspect + 0.5f);
    v.height = h;
  }
  v.x = (w - v.width) / 2;
  v.y = (h - v.height) / 2;
  return v;
}

}  // namespace orb
