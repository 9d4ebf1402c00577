// Runs a hostile data pack or command line could ask for: steps that would
// throw the player to infinity, scripts that are no files, one file named by
// two outputs, and more steam than any frame can carry.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <sstream>

#include "app/Game.h"
#include "app/InputScript.h"
#include "app/RunFile.h"
#include "app/RunOptions.h"
#include "support/ScriptedDevices.h"
#include "support/TempDataDir.h"

namespace vw {
namespace {

TEST(HostileRun, AScriptStepOutsideZeroToOneSecondIsAnErrorAtItsLine) {
  const std::pair<const char*, bool> cases[] = {
      {"dt 0", true},     {"dt 1", true},   {"dt 0.0166667", true}, {"dt 1.5", false},
      {"dt 1e36", false}, {"dt -1", false}, {"dt inf", false},      {"dt nan", false},
  };
  for (const auto& [line, fine] : cases) {
    std::istringstream in(std::string("10 D\n") + line + "\n1\n");
    std::string error;
    EXPECT_EQ(parseInputScript(in, "s.txt", error).has_value(), fine) << line;
    if (!fine) {
      EXPECT_EQ(error.rfind("s.txt:2: ", 0), 0u) << line << ": " << error;
    }
  }
}

TEST(HostileRun, AScriptMustBeARegularFileWithinItsBound) {
  test::TempDataDir dir;
  std::filesystem::create_directories(dir.path() / "folder");
  ASSERT_EQ(mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
  dir.write("huge.txt", std::string(kMaxInputScriptBytes + 1, '\n'));
  const std::pair<std::filesystem::path, const char*> cases[] = {
      {dir.path() / "folder", "it is not a regular file"},
      {dir.path() / "pipe", "it is not a regular file"},
      {"/dev/zero", "it is not a regular file"},
      {dir.path() / "huge.txt", "the file is larger than 4 MiB"},
  };
  for (const auto& [path, problem] : cases) {
    std::string error;
    EXPECT_FALSE(readInputScript(path, error)) << path;
    EXPECT_NE(error.find(problem), std::string::npos) << error;
  }
}

TEST(HostileRun, OneFileForTwoOutputsIsAUsageError) {
  const std::vector<std::string> cases[] = {
      {"--dump-state", "x", "--record", "x"},
      {"--record", "out/x", "--screenshot", "out/./x"},
      {"--dump-state", "a/../x", "--screenshot", "x"},
  };
  for (const auto& args : cases) {
    EXPECT_NE(parseCommandLine(args).error.find("name the same file"), std::string::npos) << args[1];
  }
  EXPECT_EQ(parseCommandLine({"--dump-state", "x", "--record", "y"}).error, "");
}

TEST(HostileRun, TheSteamOfAllJetsStaysWithinItsBound) {
  // Jets whose columns each hold up to 10000 puffs, all beside the player.
  test::TempDataDir dir;
  std::string puzzle = "2000\n";
  for (int i = 0; i < 40; ++i) puzzle += "|STEAMJET|" + std::to_string(i) + "|" + std::to_string(i * 20) + "|0|10|10|10000|400|1\n";
  dir.list("p.txt\n|&");
  dir.write("p.txt", puzzle + "|&");
  dir.write("Settings/textureData.txt", "&");
  NullRenderContext context;
  test::ScriptedDevices devices;
  Game game(context, devices, GameOptions{dir.path(), 3});
  Diagnostics diagnostics;
  ASSERT_TRUE(game.startUp(diagnostics));
  game.gameState = GameState::Playing;
  std::size_t most = 0;
  for (int i = 0; i < 120; ++i) {
    game.updateGame(kDefaultStep);
    most = std::max(most, game.steamParticles());
  }
  EXPECT_EQ(most, kMaxSteamParticles);
}

}  // namespace
}  // namespace vw
