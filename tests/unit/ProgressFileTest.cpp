// The progress file: what it accepts, what it ignores, how it is written, and
// which runs use it at all.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/ProgressStore.h"
#include "app/Session.h"
#include "support/TempDataDir.h"

namespace vw {
namespace {

namespace fs = std::filesystem;
using test::TempDataDir;

TEST(ProgressFile, ReadsFurthestNAndIgnoresAnythingElseWithOneWarning) {
  struct Case {
    const char* name;
    std::string content;
    std::optional<int> expected;
  };
  const Case cases[] = {
      {"plain", "furthest 2\n", 2},
      {"no line break, spaces", "  furthest   7", 7},
      {"zero", "furthest 0\n", 0},
      {"empty", "", std::nullopt},
      {"other word", "further 2\n", std::nullopt},
      {"negative", "furthest -1\n", std::nullopt},
      {"not a number", "furthest two\n", std::nullopt},
      {"trailing junk", "furthest 2 3\n", std::nullopt},
      {"number with junk", "furthest 2x\n", std::nullopt},
      {"too large", "furthest 99999999999999\n", std::nullopt},
      {"binary", std::string("\0\xff\x01furthest", 11), std::nullopt},
      {"half written", "furth", std::nullopt},
      {"huge", std::string(1 << 20, 'f'), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDataDir dir;
    dir.write("progress.txt", c.content);
    ProgressFile file(dir.path() / "progress.txt");
    Diagnostics diagnostics;
    EXPECT_EQ(file.load(diagnostics), c.expected);
    EXPECT_EQ(diagnostics.all().size(), c.expected ? 0u : 1u);
    for (const Diagnostic& d : diagnostics.all()) {
      EXPECT_EQ(d.severity, Severity::Warning);
      EXPECT_NE(d.file.find("progress.txt"), std::string::npos);
    }
  }
}

TEST(ProgressFile, AMissingFileIsNoProgressAndNoWarning) {
  TempDataDir dir;
  ProgressFile file(dir.path() / "none" / "progress.txt");
  Diagnostics diagnostics;
  EXPECT_FALSE(file.load(diagnostics));
  EXPECT_TRUE(diagnostics.empty());
}

TEST(ProgressFile, SavesAtomicallyIntoItsFolderAndReadsBack) {
  TempDataDir dir;
  const fs::path path = dir.path() / "share" / "vaporwick" / "progress.txt";
  ProgressFile file(path);
  Diagnostics diagnostics;
  ASSERT_TRUE(file.save(3, diagnostics));
  ASSERT_TRUE(file.save(5, diagnostics));
  EXPECT_TRUE(diagnostics.empty());
  EXPECT_EQ(file.load(diagnostics), 5);
  // Only the file itself: no temporary file is left beside it.
  int entries = 0;
  for (const auto& entry : fs::directory_iterator(path.parent_path())) {
    ++entries;
    EXPECT_EQ(entry.path().filename(), "progress.txt");
  }
  EXPECT_EQ(entries, 1);
}

TEST(ProgressFile, AFailedSaveKeepsTheOldFileAndSaysSo) {
  TempDataDir dir;
  // The folder the file should go into is a file: nothing can be written.
  dir.write("blocked", "not a folder");
  ProgressFile blocked(dir.path() / "blocked" / "progress.txt");
  Diagnostics diagnostics;
  EXPECT_FALSE(blocked.save(2, diagnostics));
  ASSERT_EQ(diagnostics.all().size(), 1u);
  EXPECT_NE(diagnostics.all()[0].file.find("progress.txt"), std::string::npos);

  // The temporary file cannot be made (its name is too long for the folder,
  // which holds even for root): the old progress stays as it was.
  const std::string longName = std::string(250, 'p') + ".txt";
  dir.write(longName, "furthest 1\n");
  ProgressFile tooLong(dir.path() / longName);
  Diagnostics more;
  EXPECT_FALSE(tooLong.save(4, more));
  EXPECT_EQ(tooLong.load(more), 1);
}

TEST(ProgressFile, LivesUnderTheXdgDataHomeElseTheHomeFolder) {
  const char* oldData = std::getenv("XDG_DATA_HOME");
  const std::string savedData = oldData ? oldData : "";
  setenv("XDG_DATA_HOME", "/tmp/xdg-data", 1);
  EXPECT_EQ(defaultProgressPath(), fs::path("/tmp/xdg-data/vaporwick/progress.txt"));
  setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
  const char* home = std::getenv("HOME");
  if (home && *home) {
    EXPECT_EQ(defaultProgressPath(), fs::path(home) / ".local/share/vaporwick/progress.txt");
  }
  if (oldData) {
    setenv("XDG_DATA_HOME", savedData.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
}

// Scripted, headless and --no-save runs use no progress; --progress turns it on in any run.
TEST(ProgressFile, OnlyPlayersRunsUseItUnlessAFileIsNamed) {
  TempDataDir dir;
  dir.write("walk.txt", "5 D\n");
  // A player's run would read the real progress file: keep it in the test's folder.
  const char* oldData = std::getenv("XDG_DATA_HOME");
  const std::string savedData = oldData ? oldData : "";
  setenv("XDG_DATA_HOME", (dir.path() / "xdg").c_str(), 1);
  const fs::path data = fs::path(VAPORWICK_TEST_DATA) / "game";
  struct Case {
    const char* name;
    bool headless;
    bool script;
    bool noSave;
    bool named;
    bool uses;
  };
  const Case cases[] = {
      {"a player's run", false, false, false, false, true},
      {"--no-save", false, false, true, false, false},
      {"--script", false, true, false, false, false},
      {"--headless", true, false, false, false, false},
      {"--headless --script --progress", true, true, false, true, true},
      {"--script --progress", false, true, false, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunOptions options;
    options.dataDir = data;
    options.headless = c.headless;
    if (c.script) options.script = dir.path() / "walk.txt";
    options.noSave = c.noSave;
    if (c.named) options.progress = dir.path() / "named.txt";
    NullRenderContext context;
    Session session(options, context, nullptr);
    ASSERT_EQ(session.start(), 0);
    EXPECT_EQ(session.progress() != nullptr, c.uses);
    if (c.named && session.progress()) {
      EXPECT_EQ(static_cast<const ProgressFile*>(session.progress())->path(), dir.path() / "named.txt");
    }
  }
  EXPECT_FALSE(fs::exists(dir.path() / "xdg")) << "starting a run writes no progress";
  if (oldData) {
    setenv("XDG_DATA_HOME", savedData.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
}

}  // namespace
}  // namespace vw
