// Every run-time file missing, empty, truncated and replaced by random
// bytes: the game never crashes or hangs, and ends or goes on as a player
// would want, naming the file. Headless where that suffices; the shader and
// decoded pictures need a window (the Windowed tests, run under Xvfb).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "GameRun.h"

namespace vw::faults {

namespace {

namespace fs = std::filesystem;

const fs::path kGame = VAPORWICK_GAME;
const fs::path kData = VAPORWICK_BUILT_DATA;
const Fault kAllFaults[] = {Fault::Missing, Fault::Empty, Fault::Truncated, Fault::Garbage};
// Generous: the sanitizer build starts a window in a few seconds.
constexpr std::chrono::seconds kLimit{60};

std::string readText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Data files (relative to the data directory) under folder whose names the list file mentions.
std::vector<std::string> listedFiles(const std::string& listFile, const std::string& folder) {
  const std::string list = readText(kData / listFile);
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(kData / folder)) {
    const std::string name = folder + "/" + entry.path().filename().string();
    if (list.find(name) != std::string::npos) files.push_back(name);
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::string> puzzleFiles() { return listedFiles("Settings/puzzleFileNames.txt", "Puzzles"); }
std::vector<std::string> pictureFiles() { return listedFiles("Settings/textureData.txt", "Pictures"); }

// A copy of the built data directory with one fault, and an empty working directory.
class FaultyCopy {
 public:
  FaultyCopy(const std::string& file, Fault fault) {
    // A sanitizer build of the game reports what Mesa and SDL keep until exit
    // unless it is told they do; scripts/test.sh sets the same.
    setenv("LSAN_OPTIONS", "suppressions=" VAPORWICK_LSAN_SUPPRESSIONS ":print_suppressions=0", 0);
    fs::copy(kData, data(), fs::copy_options::recursive);
    fs::create_directory(work());
    fs::create_directory(scratch_.path() / "cache");
    fs::create_directory(home());
    // Where a player's run would keep its progress: the scratch folder, never the user's.
    setenv("XDG_DATA_HOME", home().c_str(), 1);
    if (!file.empty()) applyFault(data() / file, fault);
  }
  fs::path data() const { return scratch_.path() / "data"; }
  fs::path work() const { return scratch_.path() / "work"; }
  fs::path home() const { return scratch_.path() / "home"; }

  RunResult headless(std::vector<std::string> extra = {}) const {
    std::vector<std::string> args{"--headless", "--data", data().string(), "--frames", "30", "--seed", "5"};
    args.insert(args.end(), extra.begin(), extra.end());
    return runProgram(kGame, args, work(), kLimit);
  }
  RunResult windowed(std::vector<std::string> extra = {}) const {
    // Mesa's shader cache goes to the scratch folder, not the user's home.
    setenv("XDG_CACHE_HOME", (scratch_.path() / "cache").c_str(), 1);
    std::vector<std::string> args{"--data", data().string(), "--frames", "20", "--seed", "5", "--mute"};
    args.insert(args.end(), extra.begin(), extra.end());
    return runProgram(kGame, args, work(), kLimit);
  }

 private:
  ScratchDir scratch_;
};

std::string context(const std::string& file, Fault fault, const RunResult& r) {
  return file + " " + faultName(fault) + ": status " + std::to_string(r.status) + "\nstderr:\n" + r.err;
}

bool mentions(const RunResult& r, const std::string& text) {
  return r.err.find(text) != std::string::npos || r.out.find(text) != std::string::npos;
}

// Never a crash, a hang or a sanitizer report.
void expectNoCrash(const std::string& what, const RunResult& r) {
  EXPECT_FALSE(r.timedOut) << what << ": hung";
  EXPECT_LT(r.status, 128) << what << ": killed by a signal";
  EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << what << ": sanitizer report";
  EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << what << ": undefined behaviour";
}

enum class Run { Headless, Windowed };

// Runs the game on a copy of the data with each fault in turn on each file;
// never a crash, and then check(file, fault, result, what).
template <typename Check>
void forEachFault(const std::vector<std::string>& files, Run run, Check check) {
  for (const std::string& file : files) {
    for (Fault fault : kAllFaults) {
      FaultyCopy copy(file, fault);
      const RunResult r = run == Run::Windowed ? copy.windowed() : copy.headless();
      const std::string what = context(file, fault, r);
      expectNoCrash(what, r);
      check(file, fault, r, what);
    }
  }
}

bool haveDisplay() {
  const char* display = std::getenv("DISPLAY");
  return display && *display;
}

TEST(HeadlessFaults, IntactDataRunsClean) {
  FaultyCopy copy("", Fault::Missing);
  const RunResult r = copy.headless();
  expectNoCrash("intact data", r);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "") << "the shipped data has problems";
}

// No puzzle list, or one that names no puzzle: the game cannot start.
TEST(HeadlessFaults, PuzzleList) {
  forEachFault({"Settings/puzzleFileNames.txt"}, Run::Headless, [](auto&, Fault fault, auto& r, auto& what) {
    EXPECT_TRUE(mentions(r, "puzzleFileNames.txt")) << what;
    // Half a list may still name a whole puzzle; then the game runs on.
    if (fault == Fault::Truncated) {
      EXPECT_TRUE(r.status == 0 || r.status == 1) << what;
    } else {
      EXPECT_EQ(r.status, 1) << what;
    }
  });
}

// A broken texture list is reported with its record; the game goes on with placeholders.
TEST(HeadlessFaults, TextureList) {
  forEachFault({"Settings/textureData.txt"}, Run::Headless, [](auto&, Fault fault, auto& r, auto& what) {
    EXPECT_EQ(r.status, 0) << what;
    EXPECT_TRUE(mentions(r, "textureData.txt")) << what;
    if (fault != Fault::Missing) {
      EXPECT_TRUE(mentions(r, "record")) << what;
    }
  });
}

// A puzzle that cannot be read is left out with a message; a garbled one is
// reported line by line; the rest of the strip still plays.
TEST(HeadlessFaults, EachPuzzleFile) {
  const std::vector<std::string> puzzles = puzzleFiles();
  ASSERT_FALSE(puzzles.empty());
  forEachFault(puzzles, Run::Headless, [&](const std::string& file, Fault fault, auto& r, auto& what) {
    EXPECT_TRUE(mentions(r, fs::path(file).filename().string())) << what;
    const bool leftOut = fault == Fault::Missing || fault == Fault::Empty;
    if (leftOut && puzzles.size() == 1) {
      EXPECT_EQ(r.status, 1) << what;  // nothing left to play
      EXPECT_TRUE(mentions(r, "puzzleFileNames.txt")) << what;
    } else {
      EXPECT_EQ(r.status, 0) << what;
    }
  });
}

// Headless runs read only the pictures' headers: a picture that is not one
// is replaced by the placeholder with a warning naming it.
TEST(HeadlessFaults, EachPicture) {
  const std::vector<std::string> pictures = pictureFiles();
  ASSERT_FALSE(pictures.empty());
  forEachFault(pictures, Run::Headless, [](const std::string& file, Fault fault, auto& r, auto& what) {
    EXPECT_EQ(r.status, 0) << what;
    if (fault != Fault::Truncated) {
      EXPECT_TRUE(mentions(r, file)) << what;
    }
  });
}

// The game writes the files --record and --dump-state name, and nothing else.
TEST(HeadlessFaults, WritesOnlyWhatItIsAskedTo) {
  FaultyCopy copy("", Fault::Missing);
  const FileList dataBefore = listFiles(copy.data());
  const RunResult r = copy.headless({"--record", "input.txt", "--dump-state", "state.json"});
  expectNoCrash("writes", r);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(listFiles(copy.data()), dataBefore) << "the data directory changed";
  FileList written = listFiles(copy.work());
  EXPECT_EQ(written.size(), 2u);
  EXPECT_EQ(written.count("input.txt"), 1u);
  EXPECT_EQ(written.count("state.json"), 1u);
  EXPECT_TRUE(listFiles(copy.home()).empty()) << "a headless run keeps no progress";
}

// A missing or broken shader ends a windowed game with status 1 and the reason.
TEST(WindowedFaults, Shader) {
  if (!haveDisplay()) GTEST_SKIP() << "no display";
  forEachFault({"Shaders/sprite.glsl"}, Run::Windowed, [](auto&, Fault, auto& r, auto& what) {
    EXPECT_EQ(r.status, 1) << what;
    EXPECT_TRUE(mentions(r, "sprite.glsl")) << what;
  });
}

// Decoding pictures: every fault on a few of them, the first, a middle and
// the last of the list, and the window icon.
TEST(WindowedFaults, SampleOfPictures) {
  if (!haveDisplay()) GTEST_SKIP() << "no display";
  const std::vector<std::string> pictures = pictureFiles();
  ASSERT_FALSE(pictures.empty());
  std::vector<std::string> sample{pictures.front(), pictures[pictures.size() / 2], pictures.back()};
  if (fs::exists(kData / "Pictures/icon.png")) sample.push_back("Pictures/icon.png");
  forEachFault(sample, Run::Windowed, [](const std::string& file, Fault, auto& r, auto& what) {
    EXPECT_EQ(r.status, 0) << what;
    EXPECT_TRUE(mentions(r, fs::path(file).filename().string())) << what;
  });
}

TEST(WindowedFaults, WritesOnlyTheScreenshot) {
  if (!haveDisplay()) GTEST_SKIP() << "no display";
  FaultyCopy copy("", Fault::Missing);
  const FileList dataBefore = listFiles(copy.data());
  const RunResult r = copy.windowed({"--screenshot", "shot.png"});
  expectNoCrash("screenshot", r);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("no record for the key"), std::string::npos) << "pictures still decoding count as listed: " << r.err;
  EXPECT_EQ(listFiles(copy.data()), dataBefore) << "the data directory changed";
  FileList written = listFiles(copy.work());
  EXPECT_EQ(written.size(), 1u);
  EXPECT_EQ(written.count("shot.png"), 1u);
  EXPECT_TRUE(listFiles(copy.home()).empty()) << "a run that reaches no new puzzle writes no progress";
}

}  // namespace

}  // namespace vw::faults
