#include "data/DzFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace orb::dz {
namespace {

// Makes the rename itself durable: without this a power cut soon after a save
// could bring back the previous file. Best effort; the data is already safe
// in one of the two names.
void syncFolderOf(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  ::close(fd);
}

// fsync, where the file system can do it. Some cannot (EINVAL, and on some
// network and FUSE file systems ENOTSUP or EROFS): the bytes are then as safe
// as that file system makes them, and refusing every save would lose more.
bool syncFile(int fd) {
  if (fsync(fd) == 0) return true;
  return errno == EINVAL || errno == ENOTSUP || errno == EOPNOTSUPP || errno == EROFS;
}

constexpr std::size_t kChunk = 0x4000;

}  // namespace

const std::size_t kMaxInflatedBytes = std::size_t{64} << 20;

bool compress(const Bytes& input, Bytes& out) {
  const std::size_t start = out.size();
  z_stream zs{};
  if (deflateInit(&zs, Z_DEFAULT_COMPRESSION) != Z_OK) return false;
  // avail_in is 32 bits wide: a larger input is handed over in slices.
  const unsigned char* next = input.data();
  std::size_t left = input.size();
  unsigned char chunk[kChunk];
  int ret = Z_OK;
  do {
    if (zs.avail_in == 0 && left > 0) {
      const std::size_t slice = std::min<std::size_t>(left, 1u << 30);
      zs.next_in = const_cast<Bytef*>(next);
      zs.avail_in = static_cast<uInt>(slice);
      next += slice;
      left -= slice;
    }
    zs.next_out = chunk;
    zs.avail_out = kChunk;
    ret = deflate(&zs, left > 0 ? Z_NO_FLUSH : Z_FINISH);
    out.insert(out.end(), chunk, chunk + (kChunk - zs.avail_out));
  } while (ret == Z_OK || (ret == Z_BUF_ERROR && zs.avail_out == 0));
  deflateEnd(&zs);
  // Anything short of the stream's end is no stream at all: leave out as it was.
  if (ret != Z_STREAM_END) {
    out.resize(start);
    return false;
  }
  return true;
}

bool decompress(const Bytes& input, Bytes& out) {
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return false;
  zs.next_in = const_cast<Bytef*>(input.data());
  zs.avail_in = static_cast<uInt>(input.size());
  unsigned char chunk[kChunk];
  int ret = Z_OK;
  for (;;) {
    zs.next_out = chunk;
    zs.avail_out = kChunk;
    ret = inflate(&zs, Z_NO_FLUSH);
    out.insert(out.end(), chunk, chunk + (kChunk - zs.avail_out));
    // A few kilobytes of zeros inflate to gigabytes: past what any of the
    // game's files could hold, the stream is refused like a damaged one.
    if (zs.total_out > kMaxInflatedBytes) {
      ret = Z_DATA_ERROR;
      break;
    }
    if (ret == Z_STREAM_END) break;
    // Z_BUF_ERROR with a full chunk only means "more room needed"; anything
    // else, or running out of input before the end, is a damaged stream.
    const bool needsRoom = (ret == Z_OK || ret == Z_BUF_ERROR) && zs.avail_out == 0;
    if (!needsRoom && !(ret == Z_OK && zs.avail_in > 0)) break;
  }
  inflateEnd(&zs);
  return ret == Z_STREAM_END;
}

bool writeCompressedFile(const std::string& path, const Bytes& bytes) {
  Bytes packed;
  if (!compress(bytes, packed)) {
    // Writing nothing keeps the previous save; an empty stream would replace it.
    std::cerr << "globaro: cannot save " << path << ": compression failed; the previous file is kept\n";
    return false;
  }
  const std::string temp = path + ".tmp";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) {
    std::cerr << "globaro: cannot write " << temp << ": " << std::strerror(errno) << "\n";
    return false;
  }
  const bool written = std::fwrite(packed.data(), 1, packed.size(), f) == packed.size();
  const bool flushed = std::fflush(f) == 0 && syncFile(fileno(f));
  const bool closed = std::fclose(f) == 0;
  if (!written || !flushed || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::cerr << "globaro: cannot save " << path << ": " << std::strerror(errno) << "\n";
    std::remove(temp.c_str());
    return false;
  }
  syncFolderOf(path);
  return true;
}

bool readCompressedFile(const std::string& path, Bytes& out) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  if (size < 0) return false;
  Bytes packed(static_cast<std::size_t>(size));
  in.seekg(0);
  if (size > 0 && !in.read(reinterpret_cast<char*>(packed.data()), size)) return false;
  return decompress(packed, out);
}

std::string variantPath(const std::string& path) {
  const auto at = path.rfind(".json");
  if (at == std::string::npos) return {};
  return path.substr(0, at) + ".dz";
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

bool variantExists(const std::string& path) {
  const std::string variant = variantPath(path);
  return fileExists(variant.empty() ? path : variant);
}

bool variantOf(const std::string& path, std::string& outPath) {
  const std::string variant = variantPath(path);
  if (variant.empty()) return false;
  outPath = variant;
  return fileExists(variant);
}

}  // namespace orb::dz
