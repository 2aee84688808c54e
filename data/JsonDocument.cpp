#include "data/JsonDocument.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>

#include "data/DzFile.h"

namespace orb {

JsonDocument::JsonDocument(std::string path) : path_(std::move(path)) { load(); }

bool JsonDocument::load() {
  root_ = picojson::value();
  loaded_ = false;
  error_.clear();
  source_.clear();

  std::string variant;
  if (dz::variantOf(path_, variant)) {
    if (read(variant, true)) return true;
    // A damaged twin must not hide a good plain file beside it: the plain one
    // is what the game shipped with, so it is the better guess.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path_, ec)) return false;
    std::cerr << "globaro: " << error_ << "; reading " << path_ << " instead\n";
    error_.clear();
  }
  return read(path_, false);
}

bool JsonDocument::read(const std::string& file, bool compressed) {
  source_ = file;
  std::string text;
  if (compressed) {
    dz::Bytes bytes;
    if (!dz::readCompressedFile(file, bytes)) {
      error_ = file + ": damaged compressed file";
      return false;
    }
    text.assign(bytes.begin(), bytes.end());
  } else {
    std::error_code ec;
    std::ifstream in;
    // A folder opens as a stream on Linux but fails on the first read.
    if (std::filesystem::is_regular_file(file, ec)) in.open(file, std::ios::binary);
    if (!in) {
      source_.clear();
      error_ = file + ": cannot open";
      return false;
    }
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

  picojson::value parsed;
  std::string message;
  try {
    picojson::parse(parsed, text.begin(), text.end(), &message);
  } catch (const std::overflow_error&) {
    // picojson throws for a number beyond the range of a double (1e999).
    message = "a number is out of range";
  }
  if (!message.empty()) {
    // A half-parsed tree would silently miss keys; treat the document as absent.
    error_ = file + ": " + message;
    return false;
  }
  root_ = std::move(parsed);
  loaded_ = true;
  return true;
}

}  // namespace orb
