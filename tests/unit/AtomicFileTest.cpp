// Every file the game writes is replaced whole, keeps the permissions a plain
// write would give it, and leaves nothing behind when it cannot be written.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/AtomicFile.h"
#include "support/TempDataDir.h"

namespace vw {
namespace {

namespace fs = std::filesystem;

std::size_t entries(const fs::path& dir) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

TEST(AtomicFile, KeepsAnOldFilesPermissionsAndGivesANewOneTheUsualOnes) {
  const mode_t oldMask = ::umask(022);
  test::TempDataDir dir;
  dir.write("old.txt", "old");
  fs::permissions(dir.path() / "old.txt", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const std::pair<const char*, fs::perms> cases[] = {
      {"old.txt", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read},
      {"new.txt", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read},
  };
  for (const auto& [name, perms] : cases) {
    std::string reason;
    ASSERT_TRUE(writeAtomically(dir.path() / name, "new", reason)) << reason;
    EXPECT_EQ(fs::status(dir.path() / name).permissions(), perms) << name;
  }
  EXPECT_EQ(entries(dir.path()), 2u);
  ::umask(oldMask);
}

TEST(AtomicFile, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  test::TempDataDir dir;
  // Fits the folder; the temporary name beside it does not.
  const std::string longName = std::string(250, 'p') + ".txt";
  dir.write(longName, "old");
  std::string reason;
  EXPECT_FALSE(writeAtomically(dir.path() / longName, "new", reason));
  EXPECT_FALSE(reason.empty());
  EXPECT_EQ(entries(dir.path()), 1u);
  EXPECT_FALSE(writeAtomically(dir.path() / "missing-folder" / "x.txt", "new", reason));
  EXPECT_EQ(entries(dir.path()), 1u);
  // A folder where the file goes: the temporary file is written, cannot take its place, and goes.
  fs::create_directories(dir.path() / "taken" / "inside");
  EXPECT_FALSE(writeAtomically(dir.path() / "taken", "new", reason));
  EXPECT_EQ(entries(dir.path()), 2u);
  EXPECT_TRUE(fs::is_directory(dir.path() / "taken" / "inside"));
}

}  // namespace
}  // namespace vw
