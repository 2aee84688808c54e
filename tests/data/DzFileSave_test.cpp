// The save side of DzFile under failing system calls: what reaches the disk
// when zlib or fsync fails. The faults come from support/SaveFaults, which
// this test program links in place of the real fsync and deflate.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/DzFile.h"
#include "data/Json.h"
#include "data/SettingsStore.h"
#include "support/SaveFaults.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

using test::SaveFault;
using test::ScopedSaveFault;

// A settings store whose save file already holds width 800.
struct SavedSettings {
  std::string data, save;
  SettingsStore store;
  explicit SavedSettings(const std::string& name) {
    const std::string root = test::scratchDir(name);
    data = root + "data/";
    save = root + "save/";
    std::filesystem::create_directories(data + "devdata");
    test::writeFile(data + "devdata/settings.json", "{\"width\":960}");
    store.open(data, save);
    store.setNumber("width", 800);
    EXPECT_TRUE(store.save());
  }
  int widthOnDisk() const {
    dz::Bytes bytes;
    if (!dz::readCompressedFile(store.savePath(), bytes)) return -1;
    picojson::value v;
    picojson::parse(v, std::string(bytes.begin(), bytes.end()));
    return json::integer(v, "width", -2);
  }
  bool tempLeft() const { return dz::fileExists(store.savePath() + ".tmp"); }
};

TEST(DzFileSave, AFailedCompressionKeepsThePreviousSave) {
  SavedSettings s("save_deflate_fails");
  s.store.setNumber("width", 1024);
  {
    ScopedSaveFault fault(SaveFault::DeflateFails);
    EXPECT_FALSE(s.store.save());
    dz::Bytes out{1, 2, 3};
    EXPECT_FALSE(dz::compress(dz::Bytes(100, 'x'), out));
    EXPECT_EQ(out, (dz::Bytes{1, 2, 3})) << "a failed compression appends nothing";
  }
  EXPECT_EQ(s.widthOnDisk(), 800);
  EXPECT_FALSE(s.tempLeft());
  EXPECT_TRUE(s.store.save()) << "the next save after zlib recovers goes through";
  EXPECT_EQ(s.widthOnDisk(), 1024);
}

TEST(DzFileSave, AFileSystemThatCannotSyncStillSaves) {
  SavedSettings s("save_fsync_einval");
  s.store.setNumber("width", 1024);
  ScopedSaveFault fault(SaveFault::FsyncUnsupported);
  EXPECT_TRUE(s.store.save());
  EXPECT_EQ(s.widthOnDisk(), 1024);
  EXPECT_FALSE(s.tempLeft());
}

TEST(DzFileSave, ADiskErrorDuringSyncKeepsThePreviousSave) {
  SavedSettings s("save_fsync_eio");
  s.store.setNumber("width", 1024);
  {
    ScopedSaveFault fault(SaveFault::FsyncIoError);
    EXPECT_FALSE(s.store.save());
  }
  EXPECT_EQ(s.widthOnDisk(), 800);
  EXPECT_FALSE(s.tempLeft());
}

}  // namespace
}  // namespace orb
