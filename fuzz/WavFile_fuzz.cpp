// The WAV reader on any bytes: a clean refusal, or whole frames.
#include <cstdlib>
#include <string>

#include "audio/WavFile.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  orb::WavFile wav;
  std::string error;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (wav.parse(bytes, error)) {
    if (wav.channels() < 1 || wav.sampleRate() <= 0) std::abort();
    if (wav.samples().size() % static_cast<std::size_t>(wav.channels()) != 0) std::abort();
  } else if (error.empty() || !wav.samples().empty()) {
    std::abort();
  }
  return 0;
}
