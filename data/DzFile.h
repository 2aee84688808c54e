#pragma once
// The ".dz" container: a file that holds exactly one zlib stream (RFC 1950) of
// the bytes the plain file would hold. Save files and optional data files use it.
#include <cstddef>
#include <string>
#include <vector>

namespace orb::dz {

using Bytes = std::vector<unsigned char>;

// Appends the zlib stream of all of input to out (default level, 16 KiB chunks).
// False when zlib fails (out is then as it was): callers that save must not
// write a file from a failed compression.
bool compress(const Bytes& input, Bytes& out);

// The most a stream may inflate to; the game's largest file is a fraction of it.
extern const std::size_t kMaxInflatedBytes;

// Appends the bytes of the zlib stream in input to out. Returns false on a
// corrupt, truncated or empty stream, or one that inflates past
// kMaxInflatedBytes; out may then hold a partial result.
[[nodiscard]] bool decompress(const Bytes& input, Bytes& out);

// Compresses bytes into path atomically: a temporary file beside it is written
// and renamed over path, so a failed write leaves the previous file intact.
// Returns false (and says why on stderr) when it could not compress or write.
// A file system that cannot fsync (EINVAL, ENOTSUP, EROFS) does not fail it.
bool writeCompressedFile(const std::string& path, const Bytes& bytes);

// Reads path and decompresses it into out. False when the file cannot be opened
// (out unchanged) or its stream is damaged.
[[nodiscard]] bool readCompressedFile(const std::string& path, Bytes& out);

// For a path containing ".json": the path cut at the last ".json" with ".dz"
// appended. Empty for any other path.
std::string variantPath(const std::string& path);

// Whether the compressed variant exists (or, for a path without ".json", the path itself).
bool variantExists(const std::string& path);

// For a path containing ".json": sets outPath to the variant and returns whether
// it exists. For other paths returns false and leaves outPath unchanged.
bool variantOf(const std::string& path, std::string& outPath);

bool fileExists(const std::string& path);

}  // namespace orb::dz
