#include "audio/WavFile.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace orb {

namespace {

constexpr std::uint16_t kFormatPcm = 1;
// Multi-channel writers (sox among them) label plain PCM this way; the real
// format tag then sits at the start of the sub-format GUID.
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::size_t kRiffHeader = 12;   // "RIFF", size, "WAVE"
constexpr std::size_t kChunkHeader = 8;   // id, size
constexpr std::size_t kFmtMinimum = 16;   // the fields of a PCM "fmt " chunk
constexpr std::size_t kFmtExtensible = 40;

std::uint16_t u16(const std::string& b, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) |
                                    static_cast<unsigned char>(b[at + 1]) << 8);
}

std::uint32_t u32(const std::string& b, std::size_t at) {
  return static_cast<std::uint32_t>(u16(b, at)) | static_cast<std::uint32_t>(u16(b, at + 2)) << 16;
}

// A chunk id fit for a message: garbage bytes shown as '?'.
std::string printableId(const std::string& b, std::size_t at) {
  std::string id = b.substr(at, 4);
  for (char& c : id) {
    if (c < 0x20 || c > 0x7e) c = '?';
  }
  return id;
}

// Where a chunk was found: the offset of its header and the size it declares.
struct Chunk {
  std::size_t at = 0;
  std::uint32_t size = 0;
};

// Walks the chunk list from `from` up to `end` looking for `id`. Each chunk's
// declared body must lie inside the file; RIFF pads odd-sized chunks with one
// byte, which the walk steps over. All arithmetic is 64-bit so that a huge
// size cannot wrap the position back into the file.
bool findChunk(const std::string& b, const char* id, std::size_t from, std::size_t end, Chunk& out,
               std::string& error) {
  std::uint64_t pos = from;
  while (pos + kChunkHeader <= end) {
    const std::uint32_t size = u32(b, pos + 4);
    const std::uint64_t bodyEnd = pos + kChunkHeader + size;
    if (bodyEnd > b.size()) {
      error = "chunk \"" + printableId(b, static_cast<std::size_t>(pos)) + "\" runs past the end of the file";
      return false;
    }
    if (std::memcmp(b.data() + pos, id, 4) == 0) {
      out.at = static_cast<std::size_t>(pos);
      out.size = size;
      return true;
    }
    pos = bodyEnd + (size & 1u);
  }
  error = std::string("no \"") + id + "\" chunk";
  return false;
}

}  // namespace

void WavFile::clear() {
  channels_ = 0;
  sampleRate_ = 0;
  samples_.clear();
}

bool WavFile::load(const std::string& path, std::string& error) {
  clear();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) {
    error = std::filesystem::exists(path, ec) ? "not a regular file" : "cannot open file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot open file";
    return false;
  }
  std::string bytes;
  try {
    // The stream buffer reports read errors by throwing, not through the stream state.
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  } catch (const std::exception&) {
    error = "read error";
    return false;
  }
  return parse(bytes, error);
}

bool WavFile::parse(const std::string& b, std::string& error) {
  clear();
  if (b.size() < kRiffHeader || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) {
    error = b.empty() ? "empty file" : "not a RIFF WAVE file";
    return false;
  }
  // The RIFF size bounds the chunk list; a file cut short is bounded by its
  // real length instead, and any chunk reaching past that is caught below.
  const std::uint64_t riffEnd = std::uint64_t{8} + u32(b, 4);
  const std::size_t end = static_cast<std::size_t>(std::min<std::uint64_t>(riffEnd, b.size()));

  Chunk fmt;
  if (!findChunk(b, "fmt ", kRiffHeader, end, fmt, error)) return false;
  if (fmt.size < kFmtMinimum) {
    error = "\"fmt \" chunk too short";
    return false;
  }
  const std::size_t f = fmt.at + kChunkHeader;
  std::uint16_t tag = u16(b, f);
  if (tag == kFormatExtensible && fmt.size >= kFmtExtensible) tag = u16(b, f + 24);
  const int channels = u16(b, f + 2);
  const std::uint32_t rate = u32(b, f + 4);
  const std::uint16_t bits = u16(b, f + 14);
  if (tag != kFormatPcm) {
    error = "not PCM (format tag " + std::to_string(tag) + ")";
    return false;
  }
  if (bits != kBitsPerSample) {
    error = std::to_string(bits) + "-bit samples (need 16-bit)";
    return false;
  }
  if (channels == 0 || rate == 0 || rate > static_cast<std::uint32_t>(INT32_MAX)) {
    error = "no channels or zero sample rate";
    return false;
  }

  Chunk data;
  if (!findChunk(b, "data", fmt.at, end, data, error)) return false;
  const std::size_t frameBytes = static_cast<std::size_t>(channels) * 2;
  const std::size_t frames = data.size / frameBytes;  // a trailing partial frame is dropped
  if (frames == 0) {
    error = "no samples";
    return false;
  }
  samples_.resize(frames * channels);
  const std::size_t s = data.at + kChunkHeader;
  for (std::size_t i = 0; i < samples_.size(); ++i) {
    samples_[i] = static_cast<std::int16_t>(u16(b, s + 2 * i));
  }
  channels_ = channels;
  sampleRate_ = static_cast<int>(rate);
  return true;
}

}  // namespace orb
