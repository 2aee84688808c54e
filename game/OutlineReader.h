#pragma once
// A fast reader for outline files. Outline files are the largest JSON the game
// reads while a round runs (thousands of vertices, read at every question), so
// they are scanned straight into points instead of through a general JSON tree.
// It accepts any JSON document and applies the same rules as Place::build.
#include <string>
#include <vector>

#include "gfx/Vec2.h"

namespace orb {

class OutlineReader {
 public:
  using Polygon = std::vector<Vec2<float>>;

  // Reads path (or its compressed ".dz" twin when that exists, like every
  // JSON document of the game) and appends its polygons, in grid units, to
  // out. Returns false with a reason in error() when the file cannot be read,
  // is not JSON, or is not an array; for text that does not read, error() says
  // at which byte reading stopped (never past the end). Vertices with fewer than two numbers and
  // elements that are not arrays are skipped and counted in skipped().
  [[nodiscard]] bool read(const std::string& path, std::vector<Polygon>& out);
  // The same for text already in memory.
  [[nodiscard]] bool parse(const std::string& text, std::vector<Polygon>& out);

  const std::string& error() const { return error_; }
  int skipped() const { return skipped_; }

 private:
  bool fail(const char* why);
  bool failAt(const char* why);  // fail(), naming the byte reading stopped at
  void space();
  bool skipValue(int depth);
  // After an element of a list: consumes the ',' (more stays true) or the
  // closing bracket (more becomes false). False when neither follows.
  bool listStep(char close, bool& more);
  // After an opening bracket: whether an element follows (more) or the list is
  // empty and closed. False when the text ends first.
  bool listStart(char close, bool& more);
  bool number(double& value);

  const char* begin_ = nullptr;
  const char* p_ = nullptr;
  const char* end_ = nullptr;
  std::string error_;
  int skipped_ = 0;
};

}  // namespace orb
