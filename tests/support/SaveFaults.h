#pragma once
// Failures of the system and zlib calls a save makes, for tests. The test
// program that links SaveFaults.cpp defines fsync and deflate itself; its
// definitions win over libc's and zlib's for every caller in the program and
// pass through to the real calls unless a fault is chosen here.
namespace orb::test {

enum class SaveFault {
  None,
  FsyncUnsupported,  // fsync fails with EINVAL, as on a file system that cannot sync
  FsyncIoError,      // fsync fails with EIO: the disk really failed
  DeflateFails,      // deflate returns Z_STREAM_ERROR
};

void setSaveFault(SaveFault fault);

// Chooses a fault for one scope and restores None when it ends.
class ScopedSaveFault {
 public:
  explicit ScopedSaveFault(SaveFault fault) { setSaveFault(fault); }
  ~ScopedSaveFault() { setSaveFault(SaveFault::None); }
  ScopedSaveFault(const ScopedSaveFault&) = delete;
  ScopedSaveFault& operator=(const ScopedSaveFault&) = delete;
};

}  // namespace orb::test
