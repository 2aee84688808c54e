#include "app/DbgStreambuf.h"

#include <cstdio>

namespace orb {

DbgStreambuf::int_type DbgStreambuf::overflow(int_type ch) {
  if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
  line_.push_back(traits_type::to_char_type(ch));
  if (line_.back() == '\n') sync();
  return ch;
}

int DbgStreambuf::sync() {
  if (!line_.empty()) {
    std::fwrite(line_.data(), 1, line_.size(), stderr);
    std::fflush(stderr);
    line_.clear();
  }
  return 0;
}

}  // namespace orb
