#pragma once
#include <string>

namespace orb::test {

// The checkout's root, with a trailing slash: the folder that holds devdata/.
std::string sourceDir();

// A fresh, empty directory under the build tree for one test's files, with a
// trailing slash; named after name and the test process.
std::string scratchDir(const std::string& name);

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);

}  // namespace orb::test
