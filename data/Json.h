#pragma once
// Reading values out of picojson trees. The parameter file, the settings, the
// results and the places are all read through these helpers, so a missing key
// or a value of another type gives a neutral value (0, false, "", empty array)
// instead of undefined memory.
#include <picojson.h>

#include <string>

namespace orb::json {

// The object's entry for key, created as null when absent. Used on documents
// the game writes back (settings, results), where inserted keys are saved.
// If v is not an object it becomes an empty object first.
picojson::value& member(picojson::value& v, const std::string& key);

// Read-only lookup: the entry for key, or a shared null value when v is not an
// object or has no such key. Never inserts.
const picojson::value& at(const picojson::value& v, const std::string& key);

// Element i of an array; an index past the end reads the last element, and a
// non-array or empty array reads null. Tables indexed by mode or level rely on
// this clamping.
const picojson::value& element(const picojson::value& v, std::size_t i);

double number(const picojson::value& v, double fallback = 0.0);
float real(const picojson::value& v, float fallback = 0.0f);
// Truncated toward zero, as the game's integer settings are stored as numbers.
int integer(const picojson::value& v, int fallback = 0);
bool boolean(const picojson::value& v, bool fallback = false);
std::string string(const picojson::value& v, const std::string& fallback = {});
const picojson::array& array(const picojson::value& v);
const picojson::object& object(const picojson::value& v);
std::size_t size(const picojson::value& v);  // elements of an array, members of an object, else 0

// Shorthands for the common "section"."key" reads. A string literal as the
// second argument is always a key (these overloads are exact matches, so a
// literal never converts to a bool fallback by accident).
inline float real(const picojson::value& v, const char* key, float fallback = 0.0f) {
  return real(at(v, key), fallback);
}
inline int integer(const picojson::value& v, const char* key, int fallback = 0) {
  return integer(at(v, key), fallback);
}
inline bool boolean(const picojson::value& v, const char* key, bool fallback = false) {
  return boolean(at(v, key), fallback);
}
inline std::string string(const picojson::value& v, const char* key) { return string(at(v, key)); }

// Element i of a numeric array as float (clamped like element()).
inline float realAt(const picojson::value& v, std::size_t i) { return real(element(v, i)); }

// The compact writer's text: no white space, members in key order, integral
// numbers without a fraction, other numbers with six decimals.
std::string serialize(const picojson::value& v);

}  // namespace orb::json
