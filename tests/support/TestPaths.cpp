#include "support/TestPaths.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace orb::test {

std::string sourceDir() { return GLOBARO_SOURCE_DIR; }

std::string scratchDir(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(GLOBARO_TEST_BINARY_DIR) / "scratch" / name;
  fs::remove_all(dir);
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
