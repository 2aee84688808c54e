#include "gfx/Widget.h"

#include <utility>

#include "data/Json.h"
#include "gfx/GrpSprite.h"

namespace orb {

Widget::Widget(const picojson::value& params, std::shared_ptr<Texture> atlas,
               const int* screen)
    : texture(std::move(atlas)), screenSize(screen) {
  const picojson::value& pos = json::at(params, "pos");
  const picojson::value& size = json::at(params, "size");
  const picojson::value& uv = json::at(params, "uv");
  const picojson::value& col = json::at(params, "col");
  x = json::realAt(pos, 0);
  y = json::realAt(pos, 1);
  width = json::realAt(size, 0);
  height = json::realAt(size, 1);
  u = json::realAt(uv, 0);
  v = json::realAt(uv, 1);
  r = json::realAt(col, 0);
  g = json::realAt(col, 1);
  b = json::realAt(col, 2);
  a = json::realAt(col, 3);

  const picojson::value& center = json::at(params, "center");
  autoCenter = !center.is<picojson::array>();
  if (autoCenter) {
    centerX = width * 0.5f;
    centerY = height * 0.5f;
  } else {
    centerX = json::realAt(center, 0);
    centerY = json::realAt(center, 1);
  }
  const picojson::value& scale = json::at(params, "scale");
  if (scale.is<picojson::array>()) {
    scaleX = json::realAt(scale, 0);
    scaleY = json::realAt(scale, 1);
  }
  const picojson::value& xLayout = json::at(params, "x_layout");
  if (xLayout.is<double>()) layoutFlags |= xLayout.get<double>() <= 0 ? kAnchorLeft : kAnchorRight;
  const picojson::value& yLayout = json::at(params, "y_layout");
  if (yLayout.is<double>()) layoutFlags |= yLayout.get<double>() <= 0 ? kAnchorTop : kAnchorBottom;
  id = json::integer(params, "id");

  baseX = x;
  baseY = y;
  baseWidth = width;
  baseHeight = height;
  baseU = u;
  baseV = v;
  baseCenterX = centerX;
  baseCenterY = centerY;
}

Vec2<float> Widget::anchorOffset() const {
  const int w = screenSize ? screenSize[0] : 0;
  const int h = screenSize ? screenSize[1] : 0;
  Vec2<float> shift;
  if (layoutFlags & kAnchorLeft) {
    shift.x = -static_cast<float>(w / 2);
  } else if (layoutFlags & kAnchorRight) {
    shift.x = static_cast<float>(w / 2);
  }
  if (layoutFlags & kAnchorTop) {
    shift.y = -static_cast<float>(h / 2);
  } else if (layoutFlags & kAnchorBottom) {
    shift.y = static_cast<float>(h / 2);
  }
  return shift;
}

Vec2<float> Widget::topLeft() const {
  Vec2<float> corner = autoCenter ? Vec2<float>(x - width * 0.5f, y - height * 0.5f)
                                  : Vec2<float>(x - centerX, y - centerY);
  return corner + anchorOffset();
}

bool Widget::contains(const Vec2<float>& p) const {
  const Vec2<float> tl = topLeft();
  return tl.x <= p.x && p.x <= tl.x + width && tl.y <= p.y && p.y <= tl.y + height;
}

void Widget::draw() const {
  GrpSprite sprite;
  sprite.width = width;
  sprite.height = height;
  if (autoCenter) {
    sprite.pivotX = static_cast<float>(static_cast<int>(width) / 2);
    sprite.pivotY = static_cast<float>(static_cast<int>(height) / 2);
  } else {
    sprite.pivotX = centerX;
    sprite.pivotY = centerY;
  }
  const Vec2<float> pos = Vec2<float>(x, y) + anchorOffset();
  sprite.x = pos.x;
  sprite.y = pos.y;
  sprite.scaleX = scaleX;
  sprite.scaleY = scaleY;
  sprite.r = r;
  sprite.g = g;
  sprite.b = b;
  sprite.a = a;
  sprite.blendMode = blendMode;
  sprite.srcX0 = u;
  sprite.srcY0 = v;
  sprite.srcX1 = u + width;
  sprite.srcY1 = v + height;
  sprite.texture = texture;
  sprite.smooth = true;
  sprite.draw();
}

}  // namespace orb
