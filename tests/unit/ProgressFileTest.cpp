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

// Sets XDG_DATA_HOME for one test and puts it back afterwards.
class DataHome {
 public:
  explicit DataHome(const std::string& value) {
    if (const char* old = std::getenv("XDG_DATA_HOME")) old_ = old;
    setenv("XDG_DATA_HOME", value.c_str(), 1);
  }
  ~DataHome() { old_ ? setenv("XDG_DATA_HOME", old_->c_str(), 1) : unsetenv("XDG_DATA_HOME"); }

 private:
  std::optional<std::string> old_;
};

TEST(ProgressFile, ReadsFurthestNAndIgnoresAnythingElseWithOneWarning) {
  struct Case {
    const char* name;
    std::optional<std::string> content;  // none: no file at all, and no warning
    std::optional<int> expected;
  };
  const Case cases[] = {
      {"no line break, spaces", "  furthest   7", 7},
      {"zero", "furthest 0\n", 0},
      {"no file", std::nullopt, std::nullopt},
      {"empty", "", std::nullopt},
      {"other word", "further 2\n", std::nullopt},
      {"negative", "furthest -1\n", std::nullopt},
      {"not a number", "furthest two\n", std::nullopt},
      {"trailing junk", "furthest 2 3\n", std::nullopt},
      {"too large", "furthest 99999999999999\n", std::nullopt},
      {"huge", "furthest 3" + std::string(1 << 20, ' '), std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDataDir dir;
    if (c.content) dir.write("progress.txt", *c.content);
    ProgressFile file(dir.path() / "progress.txt");
    Diagnostics diagnostics;
    EXPECT_EQ(file.load(diagnostics), c.expected);
    EXPECT_EQ(diagnostics.all().size(), c.expected || !c.content ? 0u : 1u);
    for (const Diagnostic& d : diagnostics.all()) {
      EXPECT_EQ(d.severity, Severity::Warning);
      EXPECT_NE(d.file.find("progress.txt"), std::string::npos);
    }
  }
}

// A save makes the file's folder; one that cannot be made says so, naming the file.
TEST(ProgressFile, SavesIntoItsFolderAndReadsBackOrSaysWhyNot) {
  TempDataDir dir;
  const fs::path path = dir.path() / "share" / "vaporwick" / "progress.txt";
  ProgressFile file(path);
  Diagnostics diagnostics;
  ASSERT_TRUE(file.save(3, diagnostics));
  ASSERT_TRUE(file.save(5, diagnostics));
  EXPECT_TRUE(diagnostics.empty());
  EXPECT_EQ(file.load(diagnostics), 5);
  dir.write("blocked", "not a folder");  // the folder the file should go into is a file
  Diagnostics failure;
  EXPECT_FALSE(ProgressFile(dir.path() / "blocked" / "progress.txt").save(2, failure));
  ASSERT_EQ(failure.all().size(), 1u);
  EXPECT_NE(failure.all()[0].file.find("progress.txt"), std::string::npos);
}

TEST(ProgressFile, LivesUnderTheXdgDataHomeElseTheHomeFolder) {
  {
    DataHome home("/tmp/xdg-data");
    EXPECT_EQ(defaultProgressPath(), fs::path("/tmp/xdg-data/vaporwick/progress.txt"));
  }
  DataHome relative("relative/is/ignored");
  const char* home = std::getenv("HOME");
  if (home && *home) {
    EXPECT_EQ(defaultProgressPath(), fs::path(home) / ".local/share/vaporwick/progress.txt");
  }
}

// Scripted, headless and --no-save runs use no progress; --progress turns it on in any run.
TEST(ProgressFile, OnlyPlayersRunsUseItUnlessAFileIsNamed) {
  TempDataDir dir;
  dir.write("walk.txt", "5 D\n");
  DataHome home((dir.path() / "xdg").string());  // a player's run would read the real progress file
  const std::string walk = (dir.path() / "walk.txt").string();
  const fs::path named = dir.path() / "named.txt";
  const std::pair<std::vector<std::string>, bool> cases[] = {
      {{}, true},  // a player's run
      {{"--no-save"}, false},
      {{"--script", walk}, false},
      {{"--headless", "--frames", "1"}, false},
      {{"--headless", "--script", walk, "--progress", named.string()}, true},
  };
  for (const auto& [args, uses] : cases) {
    SCOPED_TRACE(::testing::PrintToString(args));
    ParsedCommandLine parsed = parseCommandLine(args);
    ASSERT_EQ(parsed.error, "");
    parsed.options.dataDir = fs::path(VAPORWICK_TEST_DATA) / "game";
    NullRenderContext context;
    Session session(parsed.options, context, nullptr);
    ASSERT_EQ(session.start(), 0);
    ASSERT_EQ(session.progress() != nullptr, uses);
    if (uses && !args.empty()) EXPECT_EQ(static_cast<const ProgressFile*>(session.progress())->path(), named);
  }
  EXPECT_FALSE(fs::exists(dir.path() / "xdg")) << "starting a run writes no progress";
}

}  // namespace
}  // namespace vw
