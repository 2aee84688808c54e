#include "support/TestPaths.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace orb::test {

std::string sourceDir() { return GLOBARO_SOURCE_DIR; }

std::string scratchDir(const std::string& name) {
  namespace fs = std::filesystem;
  // CTest runs tests in parallel processes, several of them with fixtures that
  // ask for the same name: each process gets its own folder.
  const fs::path dir =
      fs::path(GLOBARO_TEST_BINARY_DIR) / "scratch" / (name + "-" + std::to_string(::getpid()));
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir);
  return dir.string() + "/";
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace orb::test
