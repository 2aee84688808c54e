#include "data/KeepAside.h"

#include <ctime>
#include <filesystem>
#include <iostream>

#include "data/DzFile.h"

namespace orb {

std::string keepAside(const std::string& path) {
  const std::string base = path + ".damaged-" + std::to_string(static_cast<long long>(std::time(nullptr)));
  std::string aside = base;
  for (int n = 1; dz::fileExists(aside); ++n) aside = base + "." + std::to_string(n);
  std::error_code ec;
  std::filesystem::rename(path, aside, ec);
  if (ec) {
    std::cerr << "globaro: " << path << " is damaged and could not be moved aside (" << ec.message()
              << "); using the defaults\n";
    return {};
  }
  std::cerr << "globaro: " << path << " is damaged; kept as " << aside << ", using the defaults\n";
  return aside;
}

}  // namespace orb
