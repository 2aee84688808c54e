#include "app/WindowVisibility.h"

#include <GL/freeglut.h>

namespace orb {

bool WindowVisibility::status(int glutStatus) {
  const bool was = shown_;
  shown_ = glutStatus == GLUT_FULLY_RETAINED || glutStatus == GLUT_PARTIALLY_RETAINED;
  return shown_ && !was;
}

}  // namespace orb
