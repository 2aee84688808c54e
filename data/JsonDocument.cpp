#include "data/JsonDocument.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "data/DzFile.h"

namespace orb {

JsonDocument::JsonDocument(std::string path) : path_(std::move(path)) { load(); }

bool JsonDocument::load() {
  root_ = picojson::value();
  loaded_ = false;
  error_.clear();
  source_.clear();

  std::string text;
  std::string variant;
  if (dz::variantOf(path_, variant)) {
    source_ = variant;
    dz::Bytes bytes;
    if (!dz::readCompressedFile(variant, bytes)) {
      error_ = variant + ": damaged compressed file";
      return false;
    }
    text.assign(bytes.begin(), bytes.end());
  } else {
    std::error_code ec;
    std::ifstream in;
    // A folder opens as a stream on Linux but fails on the first read.
    if (std::filesystem::is_regular_file(path_, ec)) in.open(path_, std::ios::binary);
    if (!in) {
      error_ = path_ + ": cannot open";
      return false;
    }
    source_ = path_;
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  picojson::value parsed;
  std::string message;
  picojson::parse(parsed, text.begin(), text.end(), &message);
  if (!message.empty()) {
    // A half-parsed tree would silently miss keys; treat the document as absent.
    error_ = source_ + ": " + message;
    return false;
  }
  root_ = std::move(parsed);
  loaded_ = true;
  return true;
}

}  // namespace orb
