// The one reader of run-time files: what it refuses, where it stops, and how
// names and paths from the files are shown and kept inside the data folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/Diagnostics.h"
#include "app/RunFile.h"
#include "support/TempDataDir.h"

namespace vw {
namespace {

namespace fs = std::filesystem;

TEST(RunFile, RefusesWhatIsNoRegularFileAndStopsAtItsBound) {
  test::TempDataDir dir;
  dir.write("small.txt", "12345");
  dir.write("big.txt", std::string(100000, 'x'));
  fs::create_directories(dir.path() / "folder");
  ASSERT_EQ(mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
  struct Case {
    fs::path path;
    std::uintmax_t bound;
    std::string problem;  // empty: readable
    std::size_t bytes;
    bool cut;
  };
  const Case cases[] = {
      {dir.path() / "small.txt", 5, "", 5, false},
      {dir.path() / "small.txt", 4, "", 4, true},
      {dir.path() / "big.txt", 70000, "", 70000, true},  // more than one piece of reading
      {dir.path() / "missing.txt", 10, "the file does not exist", 0, false},
      {dir.path() / "folder", 10, "it is not a regular file", 0, false},
      {"/dev/zero", 10, "it is not a regular file", 0, false},          // would never end
      {dir.path() / "pipe", 10, "it is not a regular file", 0, false},  // would block forever: last
  };
  for (const Case& c : cases) {
    std::string problem;
    std::optional<RunFile> file = readRunFile(c.path, c.bound, problem);
    ASSERT_EQ(problem, c.problem) << c.path;  // stop before a case that would block
    EXPECT_EQ(file.has_value(), c.problem.empty()) << c.path;
    if (!file) continue;
    EXPECT_EQ(file->bytes.size(), c.bytes) << c.path;
    EXPECT_EQ(file->cut, c.cut) << c.path;
  }
  std::string problem;
  EXPECT_FALSE(readWholeRunFile(dir.path() / "small.txt", 4, problem));
  EXPECT_EQ(problem, "the file is larger than 4 bytes");
}

TEST(RunFile, PathsFromDataFilesStayInsideTheDataDirectory) {
  const std::pair<const char*, bool> cases[] = {
      {"Puzzles/a.txt", true},     {"a.txt", true},           {"Puzzles/../a.txt", true},
      {"./Puzzles/a.txt", true},   {"/etc/passwd", false},    {"../a.txt", false},
      {"Puzzles/../../a", false},  {"", false},               {"a/b/../../../c", false},
  };
  for (const auto& [path, inside] : cases) EXPECT_EQ(staysInside(path), inside) << path;
}

TEST(RunFile, NamesInMessagesCannotDriveTheTerminal) {
  const std::pair<std::string, std::string> cases[] = {
      {"Puzzles/a.txt", "Puzzles/a.txt"},
      {"a\x1b[2Jb", "a\\x1B[2Jb"},  // clear-screen sequence
      {"line\nbreak\ttab", "line\\nbreak\\ttab"},
      {"bell\x07", "bell\\x07"},
      {"caf\xc3\xa9", "caf\\xC3\\xA9"},
      {"del\x7f", "del\\x7F"},
  };
  for (const auto& [raw, shown] : cases) {
    EXPECT_EQ(shownText(raw), shown);
    EXPECT_EQ(Diagnostic({Severity::Error, raw, 3, "m"}).format(), shown + ":3: error: m");
  }
}

}  // namespace
}  // namespace vw
