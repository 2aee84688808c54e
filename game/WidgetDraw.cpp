#include "game/WidgetDraw.h"

#include "gfx/Widget.h"

namespace orb {

void drawWidget(const Widget* w, float dx, float dy, const Tint& tint, float scale) {
  if (w == nullptr) return;
  Widget moved = *w;
  moved.x = w->baseX + dx;
  moved.y = w->baseY + dy;
  moved.r = w->r * tint.r;
  moved.g = w->g * tint.g;
  moved.b = w->b * tint.b;
  moved.a = w->a * tint.a;
  moved.scaleX = w->scaleX * scale;
  moved.scaleY = w->scaleY * scale;
  moved.draw();
}

Vec2<float> widgetAnchor(const Widget& w) {
  return Vec2<float>(w.baseX, w.baseY) + w.anchorOffset();
}

}  // namespace orb
