#include "game/Konahen.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "globe/GameContext.h"
#include "gfx/GlCapabilities.h"
#include "gfx/MathConstants.h"
#include "gfx/Texture.h"
#include "gfx/TextureCache.h"
#include "globe/EarthModel.h"
#include "globe/RingMesh.h"
#include "task/Messages.h"

namespace orb {
namespace {
constexpr const char* kRingImage = "devdata/game3.png";
constexpr float kTurnsOfTexture = 2.0f;  // the image runs round the ring twice
constexpr float kRadToDeg = 180.0f / kPi;
}  // namespace

Konahen::Konahen(GameContext* context) : context_(context) {
  static const picojson::value kNone;
  const picojson::value& params =
      context_->params ? json::at(context_->params->root(), "konahen") : kNone;
  const int div = std::max(3, json::integer(params, "div"));
  const float height = json::real(params, "height", 1.0f);
  const float rows = json::real(params, "v");
  rotate_ = json::real(params, "rotate");
  size_ = json::real(params, "size", 1.0f);
  track_.load(json::at(params, "easing"), kEasing);

  if (context_->textures) {
    const std::string prefix = context_->dataDir ? *context_->dataDir : std::string();
    texture_ = context_->textures->getTexture(prefix + kRingImage);
  }
  const float vmax = (texture_ && texture_->height > 0)
                         ? texture_->usedV * rows / static_cast<float>(texture_->height)
                         : 1.0f;
  std::vector<Vec2<float>> positions, texCoords;
  for (int i = 0; i <= div; ++i) {
    const float a = -kTwoPi * static_cast<float>(i) / static_cast<float>(div);
    const float s = std::sin(a), c = std::cos(a);
    const float u = kTurnsOfTexture * static_cast<float>(i) / static_cast<float>(div);
    positions.push_back({s, c});
    texCoords.push_back({u, 0.0f});
    positions.push_back({height * s, height * c});
    texCoords.push_back({u, vmax});
  }
  ring_ = std::make_unique<RingMesh>(std::move(positions), std::move(texCoords), GlCapabilities::get().vertexBuffers);
}

Konahen::~Konahen() = default;

float Konahen::scale() const { return size_ * track_.value().x; }

void Konahen::update(float dt) {
  if (!showing_) return;
  spin_ += rotate_ * dt;
  showing_ = track_.update(dt);
}

void Konahen::message(int code) {
  if (code == kMsgCorrect) {  // correct answer: ring at the tapped point
    point_ = context_->touchPoint;
    track_.restart();
    spin_ = 0.0f;
    showing_ = true;
  } else if (code == kMsgBackToTitle) {
    retire();
  }
}

void Konahen::draw() {
  if (!showing_ || !texture_ || texture_->empty() || !context_->earth) return;
  Vec3 dir = point_;
  if (!dir.normalize()) return;

  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  // The tapped point is in the globe's spinning frame (it was picked against
  // the sphere's own model-view), so the ring is placed with that matrix too:
  // with the bare camera matrix it would drift by the globe's spin angle.
  glLoadMatrixd(context_->earth->sphereModelView.data());
  const Vec3 z(0.0f, 0.0f, 1.0f);
  const Vec3 axis = z.cross(dir);
  const float angle = std::acos(std::clamp(z.dot(dir), -1.0f, 1.0f)) * kRadToDeg;
  if (axis.length() > 0.0f) {
    glRotatef(angle, axis.x, axis.y, axis.z);
  } else if (dir.z < 0.0f) {
    glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
  }
  glTranslatef(0.0f, 0.0f, context_->earth->radius);
  const float s = scale();
  glScalef(s, s, s);
  glRotatef(spin_, 0.0f, 0.0f, 1.0f);

  const GLboolean culling = glIsEnabled(GL_CULL_FACE);
  GLint frontFace = GL_CCW;
  glGetIntegerv(GL_FRONT_FACE, &frontFace);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  // The strip winds counter-clockwise seen from outside the globe, and the
  // camera's mirrored frustum turns that clockwise on screen: so clockwise is
  // the side that faces the viewer, and the ring hides when its point turns away.
  glFrontFace(GL_CW);
  glDisable(GL_LIGHTING);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_TEXTURE_2D);
  texture_->bind();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glColor4f(1.0f, 1.0f, 1.0f, alpha());

  ring_->draw();

  glFrontFace(static_cast<GLenum>(frontFace));
  if (!culling) glDisable(GL_CULL_FACE);
  glPopMatrix();
}

}  // namespace orb
