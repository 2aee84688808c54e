#pragma once
#include <streambuf>
#include <vector>

namespace orb {

// A stream buffer that collects characters and passes each finished line to
// the platform's debug output (stderr here). Installed as the buffer of
// std::cout so stray standard-output writes end up in the debug log.
class DbgStreambuf : public std::streambuf {
 protected:
  int_type overflow(int_type ch) override;
  int sync() override;

 private:
  std::vector<char> line_;
};

}  // namespace orb
