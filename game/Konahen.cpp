#define GL_GLEXT_PROTOTYPES 1
#include "game/Konahen.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>

#include "data/Json.h"
#include "data/JsonDocument.h"
#include "game/GameContext.h"
#include "gfx/GlCapabilities.h"
#include "gfx/MathConstants.h"
#include "gfx/Texture.h"
#include "gfx/TextureCache.h"
#include "globe/EarthModel.h"

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
  for (int i = 0; i <= div; ++i) {
    const float a = -kTwoPi * static_cast<float>(i) / static_cast<float>(div);
    const float s = std::sin(a), c = std::cos(a);
    const float u = kTurnsOfTexture * static_cast<float>(i) / static_cast<float>(div);
    positions_.push_back({s, c});
    texCoords_.push_back({u, 0.0f});
    positions_.push_back({height * s, height * c});
    texCoords_.push_back({u, vmax});
  }

  useBuffers_ = GlCapabilities::get().vertexBuffers;
  if (useBuffers_) {
    glGenBuffers(2, buffers_.data());
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(positions_.size() * sizeof(Vec2<float>)),
                 positions_.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[1]);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(texCoords_.size() * sizeof(Vec2<float>)),
                 texCoords_.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
  }
}

Konahen::~Konahen() {
  if (useBuffers_) glDeleteBuffers(2, buffers_.data());
}

float Konahen::scale() const { return size_ * track_.value().x; }

void Konahen::update(float dt) {
  if (!showing_) return;
  spin_ += rotate_ * dt;
  showing_ = track_.update(dt);
}

void Konahen::message(int code) {
  if (code == 17) {  // correct answer: ring at the tapped point
    point_ = context_->touchPoint;
    track_.restart();
    spin_ = 0.0f;
    showing_ = true;
  } else if (code == 12) {
    alive_ = false;
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

  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  if (useBuffers_) {
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[0]);
    glVertexPointer(2, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, buffers_[1]);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
  } else {
    glVertexPointer(2, GL_FLOAT, 0, positions_.data());
    glTexCoordPointer(2, GL_FLOAT, 0, texCoords_.data());
  }
  glDrawArrays(GL_TRIANGLE_STRIP, 0, static_cast<GLsizei>(positions_.size()));
  glPopClientAttrib();

  glFrontFace(static_cast<GLenum>(frontFace));
  if (!culling) glDisable(GL_CULL_FACE);
  glPopMatrix();
}

}  // namespace orb
