#include "data/Json.h"

#include <cmath>
#include <cstdio>

namespace orb::json {
namespace {

const picojson::value& nullValue() {
  static const picojson::value kNull;
  return kNull;
}

}  // namespace

picojson::value& member(picojson::value& v, const std::string& key) {
  if (!v.is<picojson::object>()) v = picojson::value(picojson::object());
  return v.get<picojson::object>()[key];
}

const picojson::value& at(const picojson::value& v, const std::string& key) {
  if (!v.is<picojson::object>()) return nullValue();
  const auto& obj = v.get<picojson::object>();
  const auto it = obj.find(key);
  return it == obj.end() ? nullValue() : it->second;
}

const picojson::value& element(const picojson::value& v, std::size_t i) {
  if (!v.is<picojson::array>()) return nullValue();
  const auto& arr = v.get<picojson::array>();
  if (arr.empty()) return nullValue();
  return arr[i < arr.size() ? i : arr.size() - 1];
}

double number(const picojson::value& v, double fallback) {
  return v.is<double>() ? v.get<double>() : fallback;
}

float real(const picojson::value& v, float fallback) {
  return v.is<double>() ? static_cast<float>(v.get<double>()) : fallback;
}

int integer(const picojson::value& v, int fallback) {
  if (!v.is<double>()) return fallback;
  const double d = v.get<double>();
  if (!std::isfinite(d) || d > 2147483647.0 || d < -2147483648.0) return fallback;
  return static_cast<int>(d);
}

bool boolean(const picojson::value& v, bool fallback) { return v.is<bool>() ? v.get<bool>() : fallback; }

std::string string(const picojson::value& v, const std::string& fallback) {
  return v.is<std::string>() ? v.get<std::string>() : fallback;
}

const picojson::array& array(const picojson::value& v) {
  static const picojson::array kEmpty;
  return v.is<picojson::array>() ? v.get<picojson::array>() : kEmpty;
}

const picojson::object& object(const picojson::value& v) {
  static const picojson::object kEmpty;
  return v.is<picojson::object>() ? v.get<picojson::object>() : kEmpty;
}

std::size_t size(const picojson::value& v) {
  if (v.is<picojson::array>()) return v.get<picojson::array>().size();
  if (v.is<picojson::object>()) return v.get<picojson::object>().size();
  return 0;
}

namespace {

void writeString(const std::string& s, std::string& out) {
  out += '"';
  for (const char ch : s) {
    const unsigned char c = static_cast<unsigned char>(ch);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '/': out += "\\/"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20 || c == 0x7f) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += ch;
        }
    }
  }
  out += '"';
}

void writeValue(const picojson::value& v, std::string& out) {
  if (v.is<picojson::null>()) {
    out += "null";
  } else if (v.is<bool>()) {
    out += v.get<bool>() ? "true" : "false";
  } else if (v.is<double>()) {
    const double d = v.get<double>();
    if (!std::isfinite(d)) {
      out += "null";  // JSON has no infinities; null reads back as absent
      return;
    }
    double whole = 0;
    char buf[512];
    std::snprintf(buf, sizeof buf, std::modf(d, &whole) == 0.0 ? "%.f" : "%f", d);
    out += buf;
  } else if (v.is<std::string>()) {
    writeString(v.get<std::string>(), out);
  } else if (v.is<picojson::array>()) {
    out += '[';
    bool first = true;
    for (const auto& e : v.get<picojson::array>()) {
      if (!first) out += ',';
      first = false;
      writeValue(e, out);
    }
    out += ']';
  } else {
    out += '{';
    bool first = true;
    for (const auto& [key, e] : v.get<picojson::object>()) {
      if (!first) out += ',';
      first = false;
      writeString(key, out);
      out += ':';
      writeValue(e, out);
    }
    out += '}';
  }
}

}  // namespace

std::string serialize(const picojson::value& v) {
  std::string out;
  writeValue(v, out);
  return out;
}

}  // namespace orb::json
