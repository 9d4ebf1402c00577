// The campaign as a player meets it: each puzzle played alone with its
// walkthrough, and again with every hold of it a little longer or shorter;
// each puzzle after the first against a player who only walks right and
// jumps; and the whole strip from the title menu to "You Win!!".
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/Game.h"
#include "app/InputScript.h"
#include "render/RenderContext.h"
#include "render/RenderPass.h"
#include "world/PuzzleChecker.h"
#include "world/PuzzleLoader.h"

namespace vw {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceData = VAPORWICK_SOURCE_DATA;
const fs::path kWalkthroughs = VAPORWICK_WALKTHROUGHS;
constexpr std::uint64_t kNaiveUpdates = 60 * 60;  // a minute of play
constexpr int kSlack = 3;  // updates a hold may be longer or shorter and still solve its puzzle

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The puzzle files of the shipped list, in play order ("Puzzles/NN-name.txt").
std::vector<std::string> campaignPuzzles() {
  std::vector<std::string> names;
  std::string text = readFile(kSourceData / "Settings" / "puzzleFileNames.txt");
  std::string entry;
  for (char c : text) {
    if (c == '&') break;
    if (c == '|') {
      if (!entry.empty()) entry.pop_back();  // the line break before the '|'
      names.push_back(entry);
      entry.clear();
    } else {
      entry += c;
    }
  }
  return names;
}

std::string stem(const std::string& puzzleFile) { return fs::path(puzzleFile).stem().string(); }

InputScript parse(const std::string& text, const std::string& name) {
  std::istringstream in(text);
  std::string error;
  std::optional<InputScript> script = parseInputScript(in, name, error);
  if (!script) ADD_FAILURE() << error;
  return script.value_or(InputScript{});
}

InputScript load(const fs::path& path) {
  std::string error;
  std::optional<InputScript> script = readInputScript(path, error);
  if (!script) ADD_FAILURE() << error;
  return script.value_or(InputScript{});
}

// Clicks "Start Game", then per second either "1 D", "59 D W" (jump, then the
// umbrella while falling) or "1 D", "20 D W", "39 D" (jump, no umbrella).
InputScript naiveScript(bool umbrella) {
  std::string text = "seed 3\n1 mouse 300 400 down\n1 mouse 700 300\n";
  for (std::uint64_t second = 0; second < kNaiveUpdates / 60; ++second) {
    text += umbrella ? "1 D\n59 D W\n" : "1 D\n20 D W\n39 D\n";
  }
  return parse(text, umbrella ? "naive-umbrella" : "naive-jump");
}

// A data directory of its own whose list names one puzzle of the campaign.
class SinglePuzzleDir {
 public:
  explicit SinglePuzzleDir(const std::string& puzzleFile) {
    path_ = fs::temp_directory_path() / ("vaporwick-campaign-" + std::to_string(::getpid()) + "-" + stem(puzzleFile));
    fs::remove_all(path_);
    fs::create_directories(path_ / "Settings");
    fs::create_directories((path_ / puzzleFile).parent_path());
    fs::copy_file(kSourceData / puzzleFile, path_ / puzzleFile);
    std::ofstream(path_ / "Settings" / "puzzleFileNames.txt") << puzzleFile << "\n|&\n";
  }
  ~SinglePuzzleDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  SinglePuzzleDir(const SinglePuzzleDir&) = delete;
  SinglePuzzleDir& operator=(const SinglePuzzleDir&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// Where a run ended, and how far right it got on the way.
struct Outcome {
  bool started = false;
  Vec3 player{0};
  Vec3 camera{0};
  int respawns = 0;
  float furthest = -1e9f;  // right-most x while the player was still up at floor level
  float levelWidth = 0;
  float winX = 0;  // where "You Win!!" stands
  GameState state = GameState::Menu;
  bool endingShown = false;  // the player passed the win text
};

// Plays a script to its end (or for `updates`), drawing every frame as the
// game does: animations, such as a trap door's swing, advance while drawing.
Outcome play(const fs::path& dataDir, const InputScript& script, std::uint64_t updates = 0,
             bool keepEnding = false) {
  ScriptInputDevices devices(script);
  NullRenderContext context;
  Game game(context, devices, GameOptions{dataDir, script.seed.value_or(1), nullptr});
  Diagnostics diagnostics;
  Outcome out;
  out.started = game.startUp(diagnostics);
  if (!out.started) return out;
  for (std::uint64_t n = 0; updates ? n < updates : !devices.finished(); ++n) {
    devices.advance();
    game.updateGame(devices.dt());
    renderFrame(game, context);
    // A puzzle played alone has the win text inside it: note the closing
    // panel and play on past it.
    if (game.gameState == GameState::Ending && !keepEnding) {
      out.endingShown = true;
      game.gameState = GameState::Playing;
    }
    const Vec3 p = game.player->getPosition();
    // Falling below the floor and drifting under the next ground is not getting past.
    if (p.y > -100 && p.x > out.furthest) out.furthest = p.x;
  }
  out.player = game.player->getPosition();
  out.camera = game.cameraEye;
  out.respawns = game.player->getRespawnCount();
  out.levelWidth = game.levelWidth;
  out.winX = game.sharedText.lines.empty() ? 0.0f : static_cast<float>(game.sharedText.lines.back().x);
  out.state = game.gameState;
  return out;
}

// The x a player must pass to have solved a puzzle played alone: its right
// edge, or for the last puzzle, which ends in a wall, the win text before it.
float goalX(const Outcome& o, bool last) { return last ? o.winX : o.levelWidth; }

class PuzzleTest : public ::testing::TestWithParam<std::string> {
 protected:
  bool isFirst() const { return GetParam() == campaignPuzzles().front(); }
  bool isLast() const { return GetParam() == campaignPuzzles().back(); }
};

TEST_P(PuzzleTest, WalkthroughSolvesItWithoutARespawn) {
  const fs::path walkthrough = kWalkthroughs / (stem(GetParam()) + ".txt");
  ASSERT_TRUE(fs::exists(walkthrough)) << walkthrough;
  SinglePuzzleDir dir(GetParam());
  Outcome o = play(dir.path(), load(walkthrough));
  ASSERT_TRUE(o.started);
  EXPECT_EQ(o.state, GameState::Playing);
  EXPECT_GT(o.player.x, goalX(o, isLast())) << "the walkthrough ends at x " << o.player.x << ", y " << o.player.y;
  EXPECT_EQ(o.respawns, 0);
}

// A hold is a script line held for more than one update. The variants of a
// walkthrough: every hold `kSlack` updates longer, every hold shorter, and
// each hold alone longer and shorter (never below one update).
std::vector<std::pair<std::string, InputScript>> slackVariants(const InputScript& script) {
  std::vector<std::size_t> holds;
  for (std::size_t i = 0; i < script.steps.size(); ++i) {
    if (script.steps[i].count > 1) holds.push_back(i);
  }
  auto varied = [&](int delta, std::optional<std::size_t> only) {
    InputScript s = script;
    for (std::size_t i : holds) {
      if (only && i != *only) continue;
      std::int64_t count = static_cast<std::int64_t>(s.steps[i].count) + delta;
      s.steps[i].count = static_cast<std::uint64_t>(std::max<std::int64_t>(1, count));
    }
    return s;
  };
  std::vector<std::pair<std::string, InputScript>> variants;
  for (int delta : {kSlack, -kSlack}) {
    const std::string sign = delta > 0 ? "+" : "-";
    variants.emplace_back("every hold " + sign + std::to_string(kSlack), varied(delta, std::nullopt));
    for (std::size_t i : holds) {
      variants.emplace_back("step " + std::to_string(i + 1) + " " + sign + std::to_string(kSlack), varied(delta, i));
    }
  }
  return variants;
}

TEST_P(PuzzleTest, WalkthroughHasTimingSlack) {
  const fs::path walkthrough = kWalkthroughs / (stem(GetParam()) + ".txt");
  ASSERT_TRUE(fs::exists(walkthrough)) << walkthrough;
  SinglePuzzleDir dir(GetParam());
  for (const auto& [name, script] : slackVariants(load(walkthrough))) {
    Outcome o = play(dir.path(), script);
    ASSERT_TRUE(o.started);
    EXPECT_TRUE(o.player.x > goalX(o, isLast()) && o.respawns == 0)
        << name << ": ends at x " << o.player.x << ", y " << o.player.y << " after " << o.respawns << " respawns";
  }
}

TEST_P(PuzzleTest, WalkingRightAndJumpingDoesNotGetPast) {
  if (isFirst()) GTEST_SKIP() << "the first puzzle teaches moving and lets anyone through";
  SinglePuzzleDir dir(GetParam());
  for (bool umbrella : {true, false}) {
    Outcome o = play(dir.path(), naiveScript(umbrella), kNaiveUpdates + 2);
    ASSERT_TRUE(o.started);
    EXPECT_LT(o.furthest, goalX(o, isLast())) << (umbrella ? "with" : "without") << " the umbrella";
  }
}

INSTANTIATE_TEST_SUITE_P(Campaign, PuzzleTest, ::testing::ValuesIn(campaignPuzzles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                           std::string name;
                           for (char c : stem(info.param)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return "P" + name;
                         });

TEST(Campaign, HasTwentyPuzzlesEachWithAWalkthrough) {
  std::vector<std::string> puzzles = campaignPuzzles();
  EXPECT_GE(puzzles.size(), 20u);
  for (const std::string& p : puzzles) {
    EXPECT_TRUE(fs::is_regular_file(kSourceData / p)) << p;
    EXPECT_TRUE(fs::is_regular_file(kWalkthroughs / (stem(p) + ".txt"))) << p;
  }
}

// The strip is stitched from the single walkthroughs by vaporwick_stitch
// (docs/campaign.md); it ends on the closing panel, nothing pressed after it.
TEST(Campaign, WholeStripFromTheTitleMenuToTheClosingPanel) {
  Outcome o = play(kSourceData, load(kWalkthroughs / "campaign.txt"), 0, /*keepEnding=*/true);
  ASSERT_TRUE(o.started);
  EXPECT_EQ(o.state, GameState::Ending);
  EXPECT_EQ(o.respawns, 0);
  EXPECT_GT(o.player.x, o.winX) << "the campaign ends at x " << o.player.x;
}

TEST(Campaign, CheckerHasNothingToSay) {
  std::ostringstream out;
  EXPECT_EQ(checkPuzzles(kSourceData, out), 0) << out.str();
  EXPECT_NE(out.str().find(" 0 warnings, 0 errors"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace vw
