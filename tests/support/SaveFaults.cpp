#include "support/SaveFaults.h"

#include <dlfcn.h>
#include <zlib.h>

#include <cerrno>

namespace orb::test {
namespace {
SaveFault gFault = SaveFault::None;

template <typename Fn>
Fn next(const char* name) {
  return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}
}  // namespace

void setSaveFault(SaveFault fault) { gFault = fault; }

}  // namespace orb::test

using orb::test::SaveFault;

extern "C" int fsync(int fd) {
  if (orb::test::gFault == SaveFault::FsyncUnsupported) {
    errno = EINVAL;
    return -1;
  }
  if (orb::test::gFault == SaveFault::FsyncIoError) {
    errno = EIO;
    return -1;
  }
  static const auto real = orb::test::next<int (*)(int)>("fsync");
  return real(fd);
}

extern "C" int deflate(z_streamp stream, int flush) {
  if (orb::test::gFault == SaveFault::DeflateFails) return Z_STREAM_ERROR;
  static const auto real = orb::test::next<int (*)(z_streamp, int)>("deflate");
  return real(stream, flush);
}
