#pragma once
#include <memory>

#include "gfx/GrpBase.h"
#include "gfx/Texture.h"

namespace orb {

// A box with rounded corners whose four quadrants mirror the top-left
// width/2 x height/2 pixels of the texture (the corner at texel (0, 0), the
// inside towards the image's middle). One corner image serves any box up to
// twice its size; "devdata/round.png" is that image for every panel.
class GrpRoundBox : public GrpBase {
 public:
  void draw() override;

  float width = 0.0f;
  float height = 0.0f;
  bool smooth = true;
  std::shared_ptr<Texture> texture;

 private:
  // The border width in box units when the image's flat centre lets the box
  // be drawn in nine slices; 0 when it must be drawn as one textured fan.
  float slicedBorder() const;
  void drawFan() const;
  void drawSliced(float border) const;
};

}  // namespace orb
