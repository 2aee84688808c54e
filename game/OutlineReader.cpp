#include "game/OutlineReader.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <filesystem>
#include <fstream>

#include "data/DzFile.h"

namespace orb {

namespace {
// Nesting deeper than this is not an outline; refusing it bounds the recursion.
constexpr int kMaxDepth = 64;
}  // namespace

bool OutlineReader::read(const std::string& path, std::vector<Polygon>& out) {
  error_.clear();
  skipped_ = 0;
  std::string text;
  std::string variant;
  if (dz::variantOf(path, variant)) {
    dz::Bytes bytes;
    if (!dz::readCompressedFile(variant, bytes)) return fail("damaged compressed file");
    text.assign(bytes.begin(), bytes.end());
  } else {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return fail("cannot open");
    std::ifstream in(path, std::ios::binary);
    if (!in) return fail("cannot open");
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) return fail("cannot open");
    text.resize(static_cast<std::size_t>(size));
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
  }
  return parse(text, out);
}

bool OutlineReader::fail(const char* why) {
  error_ = why;
  return false;
}

bool OutlineReader::failAt(const char* why) {
  error_ = std::string(why) + " at byte " + std::to_string(p_ - begin_) + " of " + std::to_string(end_ - begin_);
  return false;
}

bool OutlineReader::listStart(char close, bool& more) {
  space();
  if (p_ >= end_) return false;
  more = *p_ != close;
  if (!more) ++p_;
  return true;
}

void OutlineReader::space() {
  while (p_ < end_ && (*p_ == ' ' || *p_ == '\n' || *p_ == '\r' || *p_ == '\t')) ++p_;
}

bool OutlineReader::number(double& value) {
  // JSON numbers start with a digit or a minus sign; that check also keeps
  // from_chars from taking "inf" or "nan".
  const char* digit = (p_ < end_ && *p_ == '-') ? p_ + 1 : p_;
  if (digit >= end_ || *digit < '0' || *digit > '9') return false;
  const auto [stop, ec] = std::from_chars(p_, end_, value);
  if (stop == p_) return false;
  if (ec == std::errc::result_out_of_range) value = std::numeric_limits<double>::infinity();
  p_ = stop;
  return true;
}

bool OutlineReader::listStep(char close, bool& more) {
  space();
  if (p_ < end_ && *p_ == ',') {
    ++p_;
    return true;
  }
  if (p_ < end_ && *p_ == close) {
    ++p_;
    more = false;
    return true;
  }
  return false;
}

bool OutlineReader::skipValue(int depth) {
  if (depth > kMaxDepth) return false;
  space();
  if (p_ >= end_) return false;
  const char c = *p_;
  if (c == '"') {
    for (++p_; p_ < end_; ++p_) {
      if (*p_ == '\\') {
        if (++p_ == end_) return false;  // the escaped character is missing
      } else if (*p_ == '"') {
        ++p_;
        return true;
      }
    }
    return false;
  }
  if (c == '[' || c == '{') {
    const char close = c == '[' ? ']' : '}';
    ++p_;
    space();
    if (p_ < end_ && *p_ == close) {
      ++p_;
      return true;
    }
    for (;;) {
      if (c == '{') {
        if (!skipValue(depth + 1)) return false;  // the member name
        space();
        if (p_ >= end_ || *p_ != ':') return false;
        ++p_;
      }
      if (!skipValue(depth + 1)) return false;
      bool more = true;
      if (!listStep(close, more)) return false;
      if (!more) return true;
    }
  }
  for (const char* word : {"true", "false", "null"}) {
    const std::size_t n = std::char_traits<char>::length(word);
    if (static_cast<std::size_t>(end_ - p_) >= n && std::equal(word, word + n, p_)) {
      p_ += n;
      return true;
    }
  }
  double ignored;
  return number(ignored);
}

bool OutlineReader::parse(const std::string& text, std::vector<Polygon>& out) {
  error_.clear();
  skipped_ = 0;
  begin_ = p_ = text.data();
  end_ = p_ + text.size();
  const std::size_t first = out.size();
  auto malformed = [&]() {
    out.resize(first);
    return failAt("not valid JSON");
  };

  space();
  if (p_ >= end_ || *p_ != '[') {
    if (!skipValue(0)) return malformed();
    return fail("not an array of polygons");
  }
  ++p_;
  bool more = true;
  if (!listStart(']', more)) return malformed();
  while (more) {
    space();
    if (p_ < end_ && *p_ == '[') {
      ++p_;
      Polygon poly;
      bool moreVertices = true;
      if (!listStart(']', moreVertices)) return malformed();
      while (moreVertices) {
        space();
        if (p_ < end_ && *p_ == '[') {
          ++p_;
          double xy[2] = {0, 0};
          int numbers = 0;  // leading numeric elements, up to two
          bool leading = true;
          bool moreElements = true;
          if (!listStart(']', moreElements)) return malformed();
          for (int index = 0; moreElements; ++index) {
            space();
            double v;
            if (leading && index < 2 && number(v)) {
              if (std::isfinite(v)) {
                xy[numbers++] = v;
              } else {
                leading = false;  // overflowed: not a usable coordinate
              }
            } else {
              leading = leading && index >= 2;
              if (!skipValue(2)) return malformed();
            }
            if (!listStep(']', moreElements)) return malformed();
          }
          if (numbers == 2) {
            poly.push_back({static_cast<float>(xy[0]), static_cast<float>(xy[1])});
          } else {
            ++skipped_;
          }
        } else {
          if (!skipValue(2)) return malformed();
          ++skipped_;
        }
        if (!listStep(']', moreVertices)) return malformed();
      }
      if (!poly.empty()) out.push_back(std::move(poly));
    } else {
      if (!skipValue(1)) return malformed();
      ++skipped_;
    }
    if (!listStep(']', more)) return malformed();
  }
  space();
  if (p_ != end_) return malformed();
  return true;
}

}  // namespace orb
