#define GL_GLEXT_PROTOTYPES 1
#include "globe/CloudedSurface.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <cmath>
#include <iostream>

#include "gfx/MathConstants.h"
#include "gfx/Texture.h"
#include "globe/GlowProfile.h"
#include "globe/SphereMesh.h"

namespace orb {
namespace {

// GLSL 1.10. gl_Color is the clamped lit colour; gl_TexCoord[0] the surface's
// texture coordinate, which the shadow shares (same mesh, same spin);
// gl_TexCoord[1] the shell's (st) and the glow's (pq). The arithmetic is the
// blending of the passes it replaces: reverse subtract, then (1, 1 - source
// colour), then (1, 1). A round glow is looked up in its profile by the
// distance from the image's centre (see GlowProfile). Without CLOUDS the sky
// is clear (shadow and shell both 0): the same sum with the shell's lookup,
// a third of the program's cost, left out.
constexpr const char* kVersion = "#version 110\n";
constexpr const char* kRoundGlow = "#define ROUND_GLOW 1\n";
constexpr const char* kClouds = "#define CLOUDS 1\n";
constexpr const char* kSource = R"(
uniform sampler2D surface;
#ifdef ROUND_GLOW
uniform sampler1D glow;
#else
uniform sampler2D glow;
#endif
uniform float shadow;
uniform float shell;
uniform float glowLevel;
void main() {
  vec4 ground = texture2D(surface, gl_TexCoord[0].st);
#ifdef CLOUDS
  vec3 lit = max(gl_Color.rgb * ground.rgb - shadow * ground.a, 0.0);
  float above = shell * texture2D(surface, gl_TexCoord[1].st).a;
  vec3 seen = above + lit * (1.0 - above);
#else
  vec3 seen = gl_Color.rgb * ground.rgb;
#endif
#ifdef ROUND_GLOW
  vec3 haze = glowLevel * texture1D(glow, length(gl_TexCoord[1].pq - 0.5)).rgb;
#else
  vec3 haze = glowLevel * texture2D(glow, gl_TexCoord[1].pq).rgb;
#endif
  gl_FragColor = vec4(seen + haze, gl_Color.a);
}
)";

// Map images wrap east-west only (see EarthModel).
void bindRepeating(const Texture& texture) {
  texture.bind();
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

}  // namespace

CloudedSurface::Program::Program(bool roundGlow, bool clouds) {
  const char* sources[] = {kVersion, roundGlow ? kRoundGlow : "", clouds ? kClouds : "", kSource};
  shader = glCreateShader(GL_FRAGMENT_SHADER);
  glShaderSource(shader, 4, sources, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok) {
    name = glCreateProgram();
    glAttachShader(name, shader);
    glLinkProgram(name);
    glGetProgramiv(name, GL_LINK_STATUS, &ok);
  }
  if (!ok) {
    char log[512] = {};
    if (name) {
      glGetProgramInfoLog(name, sizeof log, nullptr, log);
    } else {
      glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    }
    std::cerr << (!clouds    ? "globe: the clear-sky program failed, using the cloud program: "
                  : roundGlow ? "globe: the glow profile's program failed, using the glow image: "
                              : "globe: the one-pass cloud program failed, drawing the clouds in passes: ")
              << log << "\n";
    if (name) glDeleteProgram(name);
    name = 0;
    return;
  }
  glUseProgram(name);
  glUniform1i(glGetUniformLocation(name, "surface"), 0);
  glUniform1i(glGetUniformLocation(name, "glow"), 1);
  shadowAt = glGetUniformLocation(name, "shadow");
  shellAt = glGetUniformLocation(name, "shell");
  glowAt = glGetUniformLocation(name, "glowLevel");
  glUseProgram(0);
}

CloudedSurface::Program::~Program() {
  if (name) glDeleteProgram(name);
  if (shader) glDeleteShader(shader);
}

CloudedSurface::CloudedSurface() : squareGlow_(false, true), roundGlow_(true, true), clearSky_(true, false) {}

void CloudedSurface::aim(const SphereMesh& sphere, const Layers& how) {
  // The eye in the globe's own frame: the model-view is a rotation R and a
  // translation t, so the eye (the origin of eye space) sits at -R^T t.
  double m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, m);
  const double ex = -(m[0] * m[12] + m[1] * m[13] + m[2] * m[14]);
  const double ey = -(m[4] * m[12] + m[5] * m[13] + m[6] * m[14]);
  const double ez = -(m[8] * m[12] + m[9] * m[13] + m[10] * m[14]);
  const double eyeSquared = ex * ex + ey * ey + ez * ez;
  // The glow's half-sphere faces the eye: its image's coordinates are the eye
  // space x and y of its points, over its radius, scaled about the centre.
  const double glowSpread = (2.0 - static_cast<double>(how.glowZoom)) / 2.0;
  aboveTexCoords_.resize(sphere.positions.size());
  for (std::size_t i = 0; i < sphere.positions.size(); ++i) {
    const Vec3& p = sphere.positions[i];
    const Vec2<float>& own = sphere.texCoords[i];
    const double dx = p.x - ex, dy = p.y - ey, dz = p.z - ez;
    const double a = dx * dx + dy * dy + dz * dz;
    const double b = ex * dx + ey * dy + ez * dz;
    const double surfaceSquared = p.x * p.x + p.y * p.y + p.z * p.z;
    // The line eye + s (p - eye) enters a sphere of radius r about the centre
    // at the smaller root s of |eye + s d|^2 = r^2; false when the eye is
    // inside it (or the line misses it).
    const auto enter = [&](double scale, Vec3& q) {
      const double c = eyeSquared - surfaceSquared * scale * scale;
      const double disc = b * b - a * c;
      if (!(a > 0.0) || disc < 0.0 || c < 0.0) return false;
      const double s = (-b - std::sqrt(disc)) / a;
      q = {static_cast<float>(ex + s * dx), static_cast<float>(ey + s * dy), static_cast<float>(ez + s * dz)};
      return true;
    };
    std::array<float, 4>& out = aboveTexCoords_[i];
    Vec3 q;
    if (enter(how.shellScale, q)) {
      // The mesh's own angles: theta from +x towards +z, phi from +y.
      double turn = (std::atan2(static_cast<double>(q.z), static_cast<double>(q.x)) -
                     std::atan2(static_cast<double>(p.z), static_cast<double>(p.x))) /
                    static_cast<double>(kTwoPi);
      turn -= std::floor(turn + 0.5);  // the short way round, so the seam never jumps
      const double qLength = std::sqrt(static_cast<double>(q.x) * q.x + static_cast<double>(q.y) * q.y +
                                       static_cast<double>(q.z) * q.z);
      const double phi = std::acos(std::fmax(-1.0, std::fmin(1.0, q.y / qLength)));
      // At a pole the vertex has no longitude of its own; its row is one colour.
      const bool pole = p.x == 0.0f && p.z == 0.0f;
      out[0] = own.x + (pole ? 0.0f : static_cast<float>(turn));
      out[1] = static_cast<float>(phi / static_cast<double>(kPi));
    } else {  // the eye inside the shell: keep the vertex's own
      out[0] = own.x;
      out[1] = own.y;
    }
    if (!enter(how.glowScale, q)) q = p;
    // The point's direction in eye space (the model-view's rotation).
    const double gx = m[0] * q.x + m[4] * q.y + m[8] * q.z;
    const double gy = m[1] * q.x + m[5] * q.y + m[9] * q.z;
    const double gz = m[2] * q.x + m[6] * q.y + m[10] * q.z;
    const double length = std::sqrt(gx * gx + gy * gy + gz * gz);
    out[2] = length > 0.0 ? static_cast<float>(0.5 + glowSpread * gx / length) : 0.5f;
    out[3] = length > 0.0 ? static_cast<float>(0.5 + glowSpread * gy / length) : 0.5f;
  }
}

void CloudedSurface::draw(const SphereMesh& sphere, const Texture& surface, const Layers& how) {
  const bool round = how.roundGlow && how.roundGlow->ready() && roundGlow_.name;
  const bool glowing = (round || how.glow) && how.glowLevel > 0.0f;
  // Zoomed in the clouds have faded out; their lookup would add nothing.
  const bool clear = round && how.shadow == 0.0f && how.shell == 0.0f && clearSky_.name;
  const Program& program = clear ? clearSky_ : round ? roundGlow_ : squareGlow_;
  aim(sphere, how);
  glActiveTexture(GL_TEXTURE1);
  if (glowing && round) {
    how.roundGlow->bind();
  } else if (glowing) {
    how.glow->bind();
  } else {
    glBindTexture(GL_TEXTURE_2D, 0);
  }
  glActiveTexture(GL_TEXTURE0);
  bindRepeating(surface);
  glUseProgram(program.name);
  glUniform1f(program.shadowAt, how.shadow);
  glUniform1f(program.shellAt, how.shell);
  glUniform1f(program.glowAt, glowing ? how.glowLevel : 0.0f);
  glClientActiveTexture(GL_TEXTURE1);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glTexCoordPointer(4, GL_FLOAT, 0, aboveTexCoords_.data());
  glClientActiveTexture(GL_TEXTURE0);
  sphere.draw();
  glClientActiveTexture(GL_TEXTURE1);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glClientActiveTexture(GL_TEXTURE0);
  glUseProgram(0);
  glActiveTexture(GL_TEXTURE1);
  glBindTexture(GL_TEXTURE_1D, 0);
  glBindTexture(GL_TEXTURE_2D, 0);
  glActiveTexture(GL_TEXTURE0);
}

}  // namespace orb
