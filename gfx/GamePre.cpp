#include "gfx/GamePre.h"

#include <GL/gl.h>

#include "gfx/GrpSprite.h"
#include "gfx/Texture.h"

namespace orb {
namespace {

// The caption's region of devdata/wait.png and where it is drawn in the 2D space.
constexpr float kCaptionWidth = 192, kCaptionHeight = 32;
constexpr float kCaptionX = 96, kCaptionY = 16;

}  // namespace

GamePre::GamePre(int screenWidth, int screenHeight, const std::string& dataDir)
    : wait_(std::make_shared<Texture>(dataDir + "devdata/wait.png", false)) {
  camera2d_.halfWidth = static_cast<float>(screenWidth);
  camera2d_.halfHeight = static_cast<float>(screenHeight);
}

GamePre::~GamePre() = default;

void GamePre::resize(int width, int height, float, float) {
  camera2d_.halfWidth = static_cast<float>(width);
  camera2d_.halfHeight = static_cast<float>(height);
}

bool GamePre::update(float) { return --frames_ > 0; }

void GamePre::draw() {
  camera2d_.apply();
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  GrpSprite sprite;
  sprite.texture = wait_;
  sprite.x = kCaptionX;
  sprite.y = kCaptionY;
  sprite.width = kCaptionWidth;
  sprite.height = kCaptionHeight;
  sprite.srcX1 = kCaptionWidth;
  sprite.srcY1 = kCaptionHeight;
  sprite.r = sprite.g = sprite.b = sprite.a = 1.0f;
  // Blend mode 1 (additive) is what the function above already set.
  sprite.blendMode = 1;
  sprite.draw();
}

}  // namespace orb
