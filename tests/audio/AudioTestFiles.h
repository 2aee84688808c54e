#pragma once
// Making WAV files for the audio tests. Variants come from the real tools a
// sound designer would use (Python's wave module, sox), run as subprocesses,
// so the reader is tested against files it did not write itself.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/TestPaths.h"

namespace orb::test {

// Runs a shell command; fails the current test (with the command) if it does not exit 0.
inline bool run(const std::string& command) {
  const int status = std::system(command.c_str());
  EXPECT_EQ(status, 0) << "command failed: " << command;
  return status == 0;
}

// Python code after a preamble that imports wave, struct and math and opens
// `out` (the path) as a wave writer named w. Needs Debian's python3.
inline bool python(const std::string& path, const std::string& body) {
  const std::string script = "import wave, struct, math, sys\nw = wave.open(sys.argv[1], 'wb')\n" + body + "\nw.close()\n";
  const std::string scriptPath = path + ".py";
  writeFile(scriptPath, script);
  return run("python3 '" + scriptPath + "' '" + path + "'");
}

// A 16-bit sine of `seconds` at `rate` with `channels` identical channels,
// amplitude 0.5, written by Python's wave module.
inline bool pythonSine(const std::string& path, int channels, int rate, double seconds, double hz = 440.0) {
  return python(path, "w.setnchannels(" + std::to_string(channels) + ")\nw.setsampwidth(2)\nw.setframerate(" +
                          std::to_string(rate) + ")\nn = int(" + std::to_string(seconds) + " * " +
                          std::to_string(rate) + ")\nw.writeframes(b''.join(struct.pack('<h', int(16000 * math.sin(" +
                          "2 * math.pi * " + std::to_string(hz) + " * i / " + std::to_string(rate) + "))) * " +
                          std::to_string(channels) + " for i in range(n)))");
}

inline void putU32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Offset of the first occurrence of a chunk id in a file image (npos if none).
inline std::size_t chunkAt(const std::string& b, const char* id) { return b.find(id, 12); }

// Inserts a chunk (id + size + body + pad byte if odd) right before "data",
// fixing the RIFF size, as tagging tools do.
inline std::string withChunkBeforeData(std::string b, const std::string& id, const std::string& body) {
  std::string chunk = id + std::string(4, '\0') + body;
  putU32(chunk, 4, static_cast<std::uint32_t>(body.size()));
  if (body.size() % 2) chunk += '\0';
  b.insert(chunkAt(b, "data"), chunk);
  putU32(b, 4, static_cast<std::uint32_t>(b.size() - 8));
  return b;
}

}  // namespace orb::test
