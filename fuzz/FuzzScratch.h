#pragma once
// A private folder for fuzz targets whose reader takes a path: each input is
// written there as the file the game would find, read back, then removed.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace orb::fuzz {

class FuzzScratch {
 public:
  FuzzScratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "globaro-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder_ = pattern + "/";
  }
  ~FuzzScratch() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  FuzzScratch(const FuzzScratch&) = delete;
  FuzzScratch& operator=(const FuzzScratch&) = delete;

  // Ends with a slash, like the game's data and save folders.
  const std::string& folder() const { return folder_; }

  void write(const std::string& name, const void* data, std::size_t size) const {
    const std::filesystem::path path = folder_ + name;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  }

  // Empties the folder so one input never sees the files of the one before.
  void clear() const {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, ec)) {
      std::filesystem::remove_all(entry.path(), ec);
    }
  }

 private:
  std::string folder_;
};

// Inputs that start like a zlib stream (RFC 1950: CMF 0x78) are fed to the
// readers as ".dz" files, everything else as plain text, so shipped files of
// either kind seed the same target.
inline bool looksCompressed(const unsigned char* data, std::size_t size) { return size >= 2 && data[0] == 0x78; }

}  // namespace orb::fuzz
