#pragma once
#include <memory>

#include "gfx/GrpBase.h"
#include "gfx/Texture.h"

namespace orb {

// A textured rectangle cut from an atlas. The source rectangle is in image
// pixels (top-left, bottom-right); with the y-down 2D space the image region
// shows upright. A source with srcX0 > srcX1 draws mirrored, like flipH.
class GrpSprite : public GrpBase {
 public:
  void draw() override;

  float width = 0.0f;  // drawn size in 2D units
  float height = 0.0f;
  float srcX0 = 0.0f;
  float srcY0 = 0.0f;
  float srcX1 = 0.0f;
  float srcY1 = 0.0f;
  bool flipV = false;  // swap the vertical texture coordinates
  bool flipH = false;  // swap the horizontal texture coordinates
  bool smooth = true;  // linear rather than nearest filtering
  std::shared_ptr<Texture> texture;  // nothing is drawn without a loaded texture
};

// Binds texture with linear or nearest filtering; false when there is nothing to draw from.
bool bindForDrawing(const Texture* texture, bool smooth);

}  // namespace orb
