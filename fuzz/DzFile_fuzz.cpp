// The ".dz" decompressor on any bytes, and the compressor's round trip.
#include <cstdlib>

#include "data/DzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const orb::dz::Bytes input(data, data + size);
  orb::dz::Bytes out;
  (void)orb::dz::decompress(input, out);

  orb::dz::Bytes packed, unpacked;
  orb::dz::compress(input, packed);
  if (!orb::dz::decompress(packed, unpacked) || unpacked != input) std::abort();
  return 0;
}
