#include "globe/Reticle.h"

#include <GL/gl.h>

#include <cmath>

#include "gfx/MathConstants.h"
#include "globe/GameContext.h"

namespace orb {
namespace {

constexpr int kSegments = 40;

void sight(float radius, float tick) {
  glBegin(GL_LINE_LOOP);
  for (int i = 0; i < kSegments; ++i) {
    const float a = 2.0f * kPi * static_cast<float>(i) / kSegments;
    glVertex2f(radius * std::cos(a), radius * std::sin(a));
  }
  glEnd();
  glBegin(GL_LINES);
  const float in = radius + 2.0f, out = radius + 2.0f + tick;
  glVertex2f(-out, 0.0f), glVertex2f(-in, 0.0f);
  glVertex2f(in, 0.0f), glVertex2f(out, 0.0f);
  glVertex2f(0.0f, -out), glVertex2f(0.0f, -in);
  glVertex2f(0.0f, in), glVertex2f(0.0f, out);
  glEnd();
  glPointSize(3.0f);
  glBegin(GL_POINTS);
  glVertex2f(0.0f, 0.0f);
  glEnd();
  glPointSize(1.0f);
}

}  // namespace

void Reticle::draw() {
  if (!context_->reticleShown) return;
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_LINE_SMOOTH);
  // White on a dark edge: information, not judgement, and readable on any ground.
  glLineWidth(4.0f);
  glColor4f(0.0f, 0.0f, 0.0f, 0.55f);
  sight(kRadius, kTick);
  glLineWidth(2.0f);
  glColor4f(1.0f, 1.0f, 1.0f, 0.9f);
  sight(kRadius, kTick);
  glLineWidth(1.0f);
  glDisable(GL_LINE_SMOOTH);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace orb
