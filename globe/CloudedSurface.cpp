#define GL_GLEXT_PROTOTYPES 1
#include "globe/CloudedSurface.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <iostream>

#include "gfx/MathConstants.h"
#include "gfx/Texture.h"
#include "globe/SphereMesh.h"

namespace orb {
namespace {

// GLSL 1.10. gl_Color is the clamped lit colour; gl_TexCoord[0] the surface's
// texture coordinate, which the shadow shares (same mesh, same spin);
// gl_TexCoord[1] the shell's. The arithmetic is the blending of the three
// passes it replaces: reverse subtract, then (1, 1 - source colour).
constexpr const char* kSource = R"(#version 110
uniform sampler2D surface;
uniform sampler2D clouds;
uniform float shadow;
uniform float shell;
void main() {
  vec4 lit = gl_Color * texture2D(surface, gl_TexCoord[0].st);
  vec3 ground = max(lit.rgb - shadow * texture2D(clouds, gl_TexCoord[0].st).rgb, 0.0);
  vec3 above = shell * texture2D(clouds, gl_TexCoord[1].st).rgb;
  gl_FragColor = vec4(above + ground * (1.0 - above), lit.a);
}
)";

// Map images wrap east-west only (see EarthModel).
void bindRepeating(const Texture& texture) {
  texture.bind();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

}  // namespace

CloudedSurface::CloudedSurface() {
  shader_ = glCreateShader(GL_FRAGMENT_SHADER);
  glShaderSource(shader_, 1, &kSource, nullptr);
  glCompileShader(shader_);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader_, GL_COMPILE_STATUS, &ok);
  if (ok) {
    program_ = glCreateProgram();
    glAttachShader(program_, shader_);
    glLinkProgram(program_);
    glGetProgramiv(program_, GL_LINK_STATUS, &ok);
  }
  if (!ok) {
    char log[512] = {};
    if (program_) {
      glGetProgramInfoLog(program_, sizeof log, nullptr, log);
    } else {
      glGetShaderInfoLog(shader_, sizeof log, nullptr, log);
    }
    std::cerr << "globe: the one-pass cloud program failed, drawing the clouds in passes: " << log << "\n";
    if (program_) glDeleteProgram(program_);
    program_ = 0;
    return;
  }
  glUseProgram(program_);
  glUniform1i(glGetUniformLocation(program_, "surface"), 0);
  glUniform1i(glGetUniformLocation(program_, "clouds"), 1);
  shadowAt_ = glGetUniformLocation(program_, "shadow");
  shellAt_ = glGetUniformLocation(program_, "shell");
  glUseProgram(0);
}

CloudedSurface::~CloudedSurface() {
  if (program_) glDeleteProgram(program_);
  if (shader_) glDeleteShader(shader_);
}

void CloudedSurface::aimShell(const SphereMesh& sphere, float shellScale) {
  // The eye in the globe's own frame: the model-view is a rotation R and a
  // translation t, so the eye (the origin of eye space) sits at -R^T t.
  double m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  const double ex = -(m[0] * m[12] + m[1] * m[13] + m[2] * m[14]);
  const double ey = -(m[4] * m[12] + m[5] * m[13] + m[6] * m[14]);
  const double ez = -(m[8] * m[12] + m[9] * m[13] + m[10] * m[14]);
  const double eyeSquared = ex * ex + ey * ey + ez * ez;
  shellTexCoords_.resize(sphere.positions.size());
  for (std::size_t i = 0; i < sphere.positions.size(); ++i) {
    const Vec3& p = sphere.positions[i];
    const Vec2<float>& own = sphere.texCoords[i];
    // The line eye + s (p - eye) enters the shell (radius shellScale |p|) at the
    // smaller root s of |eye + s d|^2 = r^2; the eye is outside it.
    const double dx = p.x - ex, dy = p.y - ey, dz = p.z - ez;
    const double r2 = (p.x * p.x + p.y * p.y + p.z * p.z) * shellScale * shellScale;
    const double a = dx * dx + dy * dy + dz * dz;
    const double b = ex * dx + ey * dy + ez * dz;
    const double c = eyeSquared - r2;
    const double disc = b * b - a * c;
    if (!(a > 0.0) || disc < 0.0 || c < 0.0) {  // no usable entry (eye inside the shell): keep the vertex's own
      shellTexCoords_[i] = own;
      continue;
    }
    const double s = (-b - std::sqrt(disc)) / a;
    const double qx = ex + s * dx, qy = ey + s * dy, qz = ez + s * dz;
    // The mesh's own angles: theta from +x towards +z, phi from +y.
    double turn = (std::atan2(qz, qx) - std::atan2(static_cast<double>(p.z), static_cast<double>(p.x))) /
                  static_cast<double>(kTwoPi);
    turn -= std::floor(turn + 0.5);  // the short way round, so the seam never jumps
    const double phi = std::acos(std::fmax(-1.0, std::fmin(1.0, qy / std::sqrt(qx * qx + qy * qy + qz * qz))));
    // At a pole the vertex has no longitude of its own; its row is one colour.
    const bool pole = p.x == 0.0f && p.z == 0.0f;
    shellTexCoords_[i] = {own.x + (pole ? 0.0f : static_cast<float>(turn)),
                          static_cast<float>(phi / static_cast<double>(kPi))};
  }
}

void CloudedSurface::draw(const SphereMesh& sphere, const Texture& surface, const Texture& clouds,
                          const Clouds& how) {
  aimShell(sphere, how.shellScale);
  glActiveTexture(GL_TEXTURE1);
  bindRepeating(clouds);
  glActiveTexture(GL_TEXTURE0);
  bindRepeating(surface);
  glUseProgram(program_);
  glUniform1f(shadowAt_, how.shadow);
  glUniform1f(shellAt_, how.shell);
  glClientActiveTexture(GL_TEXTURE1);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glTexCoordPointer(2, GL_FLOAT, 0, shellTexCoords_.data());
  glClientActiveTexture(GL_TEXTURE0);
  sphere.draw();
  glClientActiveTexture(GL_TEXTURE1);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glClientActiveTexture(GL_TEXTURE0);
  glUseProgram(0);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_2D, 0);
  glActiveTexture(GL_TEXTURE0);
}

}  // namespace orb
