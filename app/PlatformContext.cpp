#include "app/PlatformContext.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace orb {
namespace fs = std::filesystem;

PlatformContext::PlatformContext(const std::string& executablePath, const std::string& installDataDir)
    : dataDir_(findDataDir(executablePath, installDataDir)), saveDir_(saveDirFromEnvironment()) {
  previous_ = std::cout.rdbuf(&debug_);
}

PlatformContext::~PlatformContext() {
  std::cout.flush();
  std::cout.rdbuf(previous_);
}

std::string PlatformContext::findDataDir(const std::string& executablePath,
                                         const std::string& installDataDir) {
  std::error_code ec;
  fs::path exe = fs::weakly_canonical(fs::path(executablePath), ec);
  if (ec) exe = fs::path(executablePath);
  const fs::path exeDir = exe.parent_path();
  // <exe dir>/../share/globaro comes before the compiled-in folder so that an
  // installed tree still finds its own data after being moved or unpacked elsewhere.
  const fs::path candidates[] = {exeDir, exeDir.parent_path(), exeDir.parent_path() / "share" / "globaro",
                                 fs::path(installDataDir)};
  for (const fs::path& dir : candidates) {
    if (dir.empty()) continue;
    if (fs::exists(dir / "devdata" / "params.json", ec) || fs::exists(dir / "devdata" / "params.dz", ec)) {
      std::string s = dir.string();
      if (s.back() != '/') s += '/';
      return s;
    }
  }
  return {};
}

std::string PlatformContext::saveDirFromEnvironment() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  std::string base;
  if (xdg && *xdg && fs::path(xdg).is_absolute()) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::string(home && *home ? home : ".") + "/.local/share";
  }
  if (base.back() != '/') base += '/';
  return base + "globaro/";
}

}  // namespace orb
