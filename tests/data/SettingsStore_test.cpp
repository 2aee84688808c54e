#include "data/SettingsStore.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "data/DzFile.h"
#include "data/Json.h"
#include "support/TestPaths.h"

namespace orb {
namespace {

// A data folder with devdata/settings.json and an empty save folder.
struct Folders {
  std::string data, save;
  explicit Folders(const std::string& name) {
    const std::string root = test::scratchDir(name);
    data = root + "data/";
    save = root + "save/";
    std::filesystem::create_directories(data + "devdata");
    test::writeFile(data + "devdata/settings.json",
                    "{\"width\":960,\"height\":640,\"volume\":1,\"advanced\":false,"
                    "\"places\":{\"a\":false,\"b\":false}}");
  }
};

TEST(SettingsStore, FirstRunReadsTheDefaultsAndSavesThemWithTheChanges) {
  Folders f("settings_first");
  SettingsStore s;
  s.open(f.data, f.save);
  EXPECT_EQ(json::integer(s.root(), "width"), 960);
  s.setNumber("width", 800);
  s.setNumber("volume", 0.5);
  s.setFlag("advanced", true);
  s.close();

  dz::Bytes bytes;
  ASSERT_TRUE(dz::readCompressedFile(f.save + "settings.dz", bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "{\"advanced\":true,\"height\":640,\"places\":{\"a\":false,\"b\":false},\"volume\":0.500000,"
            "\"width\":800}");
  EXPECT_FALSE(dz::fileExists(f.save + "settings.json")) << "a plain file is never written";
}

TEST(SettingsStore, SecondRunReadsTheSaveEvenIfTheDefaultsAreNewer) {
  Folders f("settings_second");
  {
    SettingsStore s;
    s.open(f.data, f.save);
    s.setNumber("width", 800);
    s.close();
  }
  test::writeFile(f.data + "devdata/settings.json", "{\"width\":1234}");
  test::writeFile(f.save + "settings.json", "{\"width\":4321}");  // never read
  SettingsStore s;
  s.open(f.data, f.save);
  EXPECT_EQ(json::integer(s.root(), "width"), 800);
}

TEST(SettingsStore, DamagedSaveIsKeptAsideAndTheDefaultsAreUsed) {
  Folders f("settings_damaged");
  std::filesystem::create_directories(f.save);
  test::writeFile(f.save + "settings.dz", "\x78\x9c garbage");
  SettingsStore s;
  s.open(f.data, f.save);
  EXPECT_EQ(json::integer(s.root(), "width"), 960);
  int kept = 0;
  for (const auto& e : std::filesystem::directory_iterator(f.save)) {
    if (e.path().filename().string().rfind("settings.dz.damaged-", 0) == 0) {
      ++kept;
      EXPECT_EQ(test::readFile(e.path().string()), "\x78\x9c garbage");
    }
  }
  EXPECT_EQ(kept, 1);
}

TEST(SettingsStore, NoFileAtAllStartsFromAUsableObject) {
  const std::string root = test::scratchDir("settings_none");
  SettingsStore s;
  s.open(root + "nodata/", root + "save/");
  EXPECT_EQ(json::integer(s.root(), "width"), 960);
  EXPECT_EQ(json::integer(s.root(), "height"), 640);
  EXPECT_FALSE(s.getFlag("advanced"));
  EXPECT_TRUE(s.save());
  EXPECT_TRUE(dz::fileExists(root + "save/settings.dz")) << "the save folder is created on first write";
}

TEST(SettingsStore, CorrectRateCountsTrueMembersOfPlaces) {
  Folders f("settings_rate");
  SettingsStore s;
  s.open(f.data, f.save);
  EXPECT_FLOAT_EQ(s.correctRate(), 0.0f);
  s.markPlace("a");
  EXPECT_FLOAT_EQ(s.correctRate(), 0.5f);
  s.markPlace("b");
  EXPECT_FLOAT_EQ(s.correctRate(), 1.0f);
}

}  // namespace
}  // namespace orb
