#include "support/TestPaths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orb::test {

std::string sourceDir() { return GLOBARO_SOURCE_DIR; }

namespace {

// CTest runs tests in parallel processes, several of them with fixtures that
// ask for the same name, so each test process gets its own folders. The id is
// passed down the environment: a death test re-runs the test in a child
// process, which must find the same folders as its parent.
std::string processId() {
  constexpr const char* kVariable = "GLOBARO_TEST_SCRATCH_ID";
  if (const char* id = std::getenv(kVariable)) return id;
  const std::string id = std::to_string(::getpid());
  ::setenv(kVariable, id.c_str(), 1);
  return id;
}

}  // namespace

std::string scratchDir(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(GLOBARO_TEST_BINARY_DIR) / "scratch" / (name + "-" + processId());
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
