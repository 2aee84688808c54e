#pragma once
#include <picojson.h>

#include <string>

namespace orb {

// A JSON file loaded into memory. For a path containing ".json" the compressed
// twin (".dz", see DzFile) is read instead when it exists; when that twin is
// damaged (no stream or no JSON) and the plain file is there, the plain file is
// read, with one line on stderr.
class JsonDocument {
 public:
  // Stores the path and loads at once; check loaded() or error() afterwards.
  explicit JsonDocument(std::string path);

  // Reads the file again. Returns false (and keeps a message in error()) when the
  // file is missing, cannot be decompressed or does not parse; the root is then
  // null, never a half-built tree.
  bool load();

  const std::string& path() const { return path_; }
  picojson::value& root() { return root_; }
  const picojson::value& root() const { return root_; }
  bool loaded() const { return loaded_; }
  const std::string& error() const { return error_; }

  // Which file load() read last (the .dz twin or the path itself); empty if none.
  const std::string& sourceFile() const { return source_; }

 private:
  // Reads one file, compressed or plain, into the root; false with error() set.
  bool read(const std::string& file, bool compressed);

  std::string path_;
  picojson::value root_;
  bool loaded_ = false;
  std::string error_;
  std::string source_;
};

}  // namespace orb
