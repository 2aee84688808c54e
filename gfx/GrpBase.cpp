#include "gfx/GrpBase.h"

#include <GL/gl.h>

#include "gfx/MathConstants.h"

namespace orb {

void GrpBase::pushTransform() const {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glTranslatef(x, y, 0.0f);
  glRotatef(rotation * 180.0f / kPi, 0.0f, 0.0f, 1.0f);
  glScalef(scaleX, scaleY, 1.0f);
  glTranslatef(-pivotX, -pivotY, 0.0f);
}

void GrpBase::popTransform() { glPopMatrix(); }

void GrpBase::applyColor() const { glColor4f(r, g, b, a); }

}  // namespace orb
