#pragma once
#include <streambuf>
#include <string>

#include "app/DbgStreambuf.h"

namespace orb {

// What the process sets up before anything else and keeps until exit: the
// debug stream behind std::cout and the two directories every path is built on.
class PlatformContext {
 public:
  // executablePath: where the running program lives (to find devdata/ beside it).
  // installDataDir: the installed share folder, tried last.
  PlatformContext(const std::string& executablePath, const std::string& installDataDir);
  ~PlatformContext();
  PlatformContext(const PlatformContext&) = delete;
  PlatformContext& operator=(const PlatformContext&) = delete;

  // The folder that holds devdata/ ("" when none was found), with a trailing slash.
  const std::string& dataDir() const { return dataDir_; }
  // $XDG_DATA_HOME/globaro/ (default ~/.local/share/globaro/), created on first write.
  const std::string& saveDir() const { return saveDir_; }

  // Candidate folders for devdata/, in order: beside the executable, one level
  // above it (a build tree inside the source tree), <exe dir>/../share/globaro
  // (an installed tree wherever its prefix is), the compiled-in share folder.
  static std::string findDataDir(const std::string& executablePath, const std::string& installDataDir);
  static std::string saveDirFromEnvironment();

 private:
  DbgStreambuf debug_;
  std::streambuf* previous_ = nullptr;
  std::string dataDir_;
  std::string saveDir_;
};

}  // namespace orb
