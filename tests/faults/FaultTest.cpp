// The real binary on copies of the built data directory, as a player would
// run it: every run-time file missing, empty, truncated or replaced by random
// bytes; pipes, devices and directories where files belong; headers claiming
// huge pictures, other formats under a .png name, puzzles and lists far past
// every bound, paths leaving the data directory, names that would drive the
// terminal. None may crash or hang; each ends with a clear message naming the
// file and the status a player would expect, within a stated peak of memory,
// and writes only what it is asked to. Headless where that suffices; the
// shader and decoded pictures need a window (the Windowed tests, under Xvfb).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iostream>

#include "GameRun.h"

namespace vw::faults {

namespace {

namespace fs = std::filesystem;

const fs::path kGame = VAPORWICK_GAME;
const fs::path kData = VAPORWICK_BUILT_DATA;
constexpr std::chrono::seconds kLimit{90};
// The peak resident memory of any run on hostile data (the shipped data
// takes about 10 MiB headless and 210 MiB in a window). Sanitizer builds
// keep shadow memory besides, and are not measured.
constexpr long kHeadlessPeakKb = 256L << 10;
constexpr long kWindowedPeakKb = 1024L << 10;
// As kMaxInputScriptBytes: the tests run the binary and do not link the game.
constexpr std::size_t kMaxScriptBytes = 4u << 20;

void write(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

std::string repeat(const std::string& text, std::size_t times) {
  std::string out;
  out.reserve(text.size() * times);
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

// A PNG signature and header claiming width x height, and no pixels (119 bytes in all).
std::string pngHeader(std::uint32_t width, std::uint32_t height) {
  std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
  for (std::uint32_t v : {width, height}) {
    for (int i = 3; i >= 0; --i) png.push_back(static_cast<char>(v >> (8 * i)));
  }
  png += std::string("\x08\x06\0\0\0", 5);
  return png + std::string(119 - png.size(), '\0');
}

// A 16-bit PNM, the format that crashed the all-format decoder.
const std::string kPnm16 = "P6\n64 64\n65535\n" + std::string(64 * 64 * 6, '\x7f');

enum class Run { Headless, Windowed };

// The scratch folders of one run: the data copy, the working directory and
// the home the progress would go to.
struct Folders {
  fs::path data, work, home;
};

struct Case {
  std::string name;
  Run run;
  std::function<void(const fs::path& data, const fs::path& work)> make;
  std::vector<std::string> args;  // besides --data and the frame count
  std::vector<int> statuses;      // the exit statuses allowed
  std::vector<std::string> mentions;  // each must stand in the output
  // Further checks on what the run left behind.
  std::function<void(const Folders&, const RunResult&)> check = nullptr;
};

std::function<void(const fs::path&, const fs::path&)> replace(const std::string& file, Fault f) {
  return [file, f](const fs::path& data, const fs::path&) { applyFault(data / file, f); };
}

// The bytes are made when the case runs, so the test itself stays small:
// the game's peak memory is measured from the fork, which starts as a copy of the test.
std::function<void(const fs::path&, const fs::path&)> put(const std::string& file, std::function<std::string()> bytes) {
  return [file, bytes](const fs::path& data, const fs::path&) { write(data / file, bytes()); };
}

std::function<std::string()> text(std::string bytes) {
  return [bytes] { return bytes; };
}

std::function<std::string()> repeated(std::string head, std::string line, std::size_t times, std::string tail) {
  return [=] { return head + repeat(line, times) + tail; };
}

const std::string kList = "Settings/puzzleFileNames.txt";
const std::string kTextures = "Settings/textureData.txt";
const std::string kPuzzle = "Puzzles/01-first-steps.txt";
const std::string kPicture = "Pictures/stone.png";

// Data files (relative to the data directory) under folder whose names the list file mentions.
std::vector<std::string> listedFiles(const std::string& listFile, const std::string& folder) {
  const std::string list = readFile(kData / listFile);
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(kData / folder)) {
    const std::string name = folder + "/" + entry.path().filename().string();
    if (list.find(name) != std::string::npos) files.push_back(name);
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Nothing but the named files appear in the working directory; the data and the home stay untouched.
std::function<void(const Folders&, const RunResult&)> writesOnly(std::vector<std::string> names) {
  return [names](const Folders& f, const RunResult&) {
    FileList written = listFiles(f.work);
    EXPECT_EQ(written.size(), names.size());
    for (const std::string& name : names) EXPECT_EQ(written.count(name), 1u) << name;
    EXPECT_TRUE(listFiles(f.home).empty()) << "a run that reaches no new puzzle writes no progress";
  };
}

const Fault kAllFaults[] = {Fault::Missing, Fault::Empty, Fault::Truncated, Fault::Garbage};

// Each of the four plain faults on each file: the run goes on (status 0) or
// cannot (1), and names the file.
void addFaults(std::vector<Case>& cases, Run run, const std::vector<std::string>& files, std::vector<int> statuses,
               std::function<std::vector<std::string>(const std::string& file, Fault)> mentions) {
  for (const std::string& file : files) {
    for (Fault fault : kAllFaults) {
      cases.push_back({file + " " + faultName(fault), run, replace(file, fault), {}, statuses, mentions(file, fault)});
    }
  }
}

std::string fileName(const std::string& file) { return fs::path(file).filename().string(); }

std::vector<Case> cases() {
  std::vector<Case> all = {
      {"intact data", Run::Headless, [](auto&, auto&) {}, {"--record", "input.txt", "--dump-state", "state.json"}, {0}, {},
       [](const Folders& f, const RunResult& r) {
         EXPECT_EQ(r.err, "") << "the shipped data has problems";
         writesOnly({"input.txt", "state.json"})(f, r);
       }},
      {"windowed: intact data", Run::Windowed, [](auto&, auto&) {}, {"--screenshot", "shot.png"}, {0}, {},
       [](const Folders& f, const RunResult& r) {
         EXPECT_EQ(r.err.find("no record for the key"), std::string::npos) << "pictures still decoding count as listed";
         writesOnly({"shot.png"})(f, r);
       }},
      {"texture list is a pipe", Run::Headless, replace(kTextures, Fault::Fifo), {}, {0}, {"textureData.txt", "not a regular file"}},
      {"puzzle list is a pipe", Run::Headless, replace(kList, Fault::Fifo), {}, {1}, {"puzzleFileNames.txt", "not a regular file"}},
      {"a puzzle is /dev/zero", Run::Headless, replace(kPuzzle, Fault::Device), {}, {0}, {"01-first-steps.txt", "not a regular file"}},
      {"a picture is a pipe", Run::Headless, replace(kPicture, Fault::Fifo), {}, {0}, {"stone.png", "\"STONE\"", "not a regular file"}},
      {"a header claims 16000 x 16000", Run::Headless, put(kPicture, text(pngHeader(16000, 16000))), {}, {0}, {"stone.png", "\"STONE\"", "16000 x 16000"}},
      {"a 16-bit PNM under a .png name", Run::Headless, put(kPicture, text(kPnm16)), {}, {0}, {"stone.png", "not a PNG file"}},
      {"150000 moving boxes", Run::Headless, put(kPuzzle, repeated("2000\n", "|MOVINGBOX|1|500|100|50|50\n", 150000, "|&")), {}, {0}, {"01-first-steps.txt:", "past the bound"}},
      {"2000 steam jets", Run::Headless, put(kPuzzle, repeated("2000\n", "|STEAMJET|1|500|0|10|50|10000|200|1\n", 2000, "|&")), {}, {0}, {"01-first-steps.txt:", "steam jets in the world"}},
      {"one large puzzle listed 50 times", Run::Headless,
       [](const fs::path& data, const fs::path&) {
         write(data / kPuzzle, "2000\n" + repeat("|BLOCK|500|0|100|100\n", 150000) + "|&");
         write(data / kList, repeat(kPuzzle + "\n|", 50) + "&");
       },
       {}, {0}, {"blocks and elements in the world"}},
      {"1.4 million list entries", Run::Headless, put(kList, repeated("", kPuzzle + "\n|", 1400000, "&")), {}, {0},
       {"no '&' within the first 1 MiB", "more than 100 puzzles"}},
      {"the list names /etc/passwd", Run::Headless, put(kList, text("/etc/passwd\n|" + kPuzzle + "\n|&")), {}, {0},
       {"leaves the data directory"}},
      {"a name that clears the screen", Run::Headless, put(kList, text("Puzzles/\x1b[2J.txt\n|" + kPuzzle + "\n|&")), {}, {0},
       {"\\x1B[2J"}},
      {"a puzzle with CR line ends", Run::Headless, put(kPuzzle, text("2000\r|BLOCK|0|0|10|10\r|BLOK|1\r|&")), {}, {0},
       {"01-first-steps.txt:3:"}},
      {"a script step of 1e36 s", Run::Headless, [](auto&, const fs::path& work) { write(work / "s.txt", "dt 1e36\n10 D\n"); },
       {"--script", "s.txt"}, {2}, {"s.txt:1:"}},
      {"the largest script allowed, one update a line", Run::Headless,
       [](auto&, const fs::path& work) { write(work / "s.txt", repeat("1\n", kMaxScriptBytes / 2)); },
       {"--script", "s.txt", "--frames", "1"}, {0}, {}},
      {"a script that is a directory", Run::Headless, [](auto&, const fs::path& work) { fs::create_directory(work / "s"); },
       {"--script", "s"}, {2}, {"not a regular file"}},
      {"one file for two outputs", Run::Headless, [](auto&, auto&) {}, {"--dump-state", "x", "--record", "x"}, {2},
       {"name the same file"}},
      {"windowed: a 16-bit PNM picture", Run::Windowed, put(kPicture, text(kPnm16)), {}, {0}, {"stone.png", "not a PNG file"}},
      {"windowed: a 16-bit PNM icon", Run::Windowed, put("Pictures/icon.png", text(kPnm16)), {}, {0}, {"icon.png", "not a PNG file"}},
      {"windowed: a header claims 16000 x 16000", Run::Windowed, put(kPicture, text(pngHeader(16000, 16000))), {}, {0}, {"16000 x 16000"}},
      {"windowed: a picture is /dev/zero", Run::Windowed, replace(kPicture, Fault::Device), {}, {0}, {"stone.png", "not a regular file"}},
      {"windowed: the icon is a pipe", Run::Windowed, replace("Pictures/icon.png", Fault::Fifo), {}, {0}, {"icon.png", "not a regular file"}},
      {"windowed: the shader is a pipe", Run::Windowed, replace("Shaders/sprite.glsl", Fault::Fifo), {}, {1}, {"sprite.glsl", "not a regular file"}},
      {"windowed: sixty keys name the largest picture", Run::Windowed,
       put(kTextures, [] {
         std::string records = "Pictures/background.png|BACKGROUND\n|";
         for (int i = 0; i < 60; ++i) records += "Pictures/background.png|K" + std::to_string(i) + "\n|";
         return records + "&";
       }),
       {}, {0}, {}},
  };
  // No puzzle list, or one that names no puzzle: the game cannot start; half
  // a list may still name a whole puzzle.
  for (Fault fault : kAllFaults) {
    all.push_back({kList + " " + faultName(fault), Run::Headless, replace(kList, fault), {},
                   fault == Fault::Truncated ? std::vector<int>{0, 1} : std::vector<int>{1}, {"puzzleFileNames.txt"}});
  }
  // A broken texture list is reported with its record; the game goes on with placeholders.
  addFaults(all, Run::Headless, {kTextures}, {0}, [](const std::string&, Fault fault) {
    return fault == Fault::Missing ? std::vector<std::string>{"textureData.txt"}
                                   : std::vector<std::string>{"textureData.txt", "record"};
  });
  // A puzzle that cannot be read is left out; a garbled one is reported line by line.
  addFaults(all, Run::Headless, listedFiles(kList, "Puzzles"), {0},
            [](const std::string& file, Fault) { return std::vector<std::string>{fileName(file)}; });
  // Headless runs read only the pictures' headers: half a picture still has one.
  const std::vector<std::string> pictures = listedFiles(kTextures, "Pictures");
  addFaults(all, Run::Headless, pictures, {0}, [](const std::string& file, Fault fault) {
    return fault == Fault::Truncated ? std::vector<std::string>{} : std::vector<std::string>{file};
  });
  // A broken shader ends a windowed game; broken pictures (a few of them, and the icon) are placeholders.
  addFaults(all, Run::Windowed, {"Shaders/sprite.glsl"}, {1},
            [](const std::string&, Fault) { return std::vector<std::string>{"sprite.glsl"}; });
  addFaults(all, Run::Windowed, {pictures.front(), pictures[pictures.size() / 2], pictures.back(), "Pictures/icon.png"},
            {0}, [](const std::string& file, Fault) { return std::vector<std::string>{fileName(file)}; });
  return all;
}

void runCase(const Case& c) {
  ScratchDir scratch;
  const Folders f{scratch.path() / "data", scratch.path() / "work", scratch.path() / "home"};
  // A sanitizer build of the game reports what Mesa and SDL keep until exit
  // unless it is told they do; scripts/test.sh sets the same.
  setenv("LSAN_OPTIONS", "suppressions=" VAPORWICK_LSAN_SUPPRESSIONS ":print_suppressions=0", 0);
  // Mesa's shader cache and a player's progress go to the scratch folder, never the user's.
  setenv("XDG_CACHE_HOME", (scratch.path() / "cache").c_str(), 1);
  setenv("XDG_DATA_HOME", f.home.c_str(), 1);
  fs::copy(kData, f.data, fs::copy_options::recursive);
  fs::create_directories(f.work);
  fs::create_directories(f.home);
  const FileList dataBefore = listFiles(f.data);
  c.make(f.data, f.work);
  std::vector<std::string> args{"--data", f.data.string(), "--seed", "5"};
  if (c.run == Run::Headless) {
    args.insert(args.end(), {"--headless", "--frames", "30"});
  } else {
    args.insert(args.end(), {"--frames", "20", "--mute"});
  }
  args.insert(args.end(), c.args.begin(), c.args.end());
  const RunResult r = runProgram(kGame, args, f.work, kLimit);
  const std::string what = c.name + ": status " + std::to_string(r.status) + "\nstderr:\n" + r.err.substr(0, 4000);
  const std::string output = r.out + r.err;
  EXPECT_FALSE(r.timedOut) << what;
  EXPECT_NE(std::find(c.statuses.begin(), c.statuses.end(), r.status), c.statuses.end()) << what;
  EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << what;
  EXPECT_EQ(r.err.find("runtime error"), std::string::npos) << what << ": undefined behaviour";
  EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << what << ": a raw control character reached the terminal";
  for (const std::string& text : c.mentions) {
    EXPECT_NE(output.find(text), std::string::npos) << what << "\nmissing: " << text;
  }
#if !defined(__SANITIZE_ADDRESS__)
  EXPECT_LT(r.maxRssKb, c.run == Run::Headless ? kHeadlessPeakKb : kWindowedPeakKb) << c.name;
#endif
  if (c.check) {
    EXPECT_EQ(listFiles(f.data), dataBefore) << c.name << ": the data directory changed";
    c.check(f, r);
  }
  std::cout << "  " << c.name << ": status " << r.status << ", peak " << r.maxRssKb / 1024 << " MiB\n";
}

TEST(HeadlessFaults, NoneCrashesHangsOrOutgrowsItsMemory) {
  for (const Case& c : cases()) {
    if (c.run == Run::Headless) runCase(c);
  }
}

TEST(WindowedFaults, NoneCrashesHangsOrOutgrowsItsMemory) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) GTEST_SKIP() << "no display";
  for (const Case& c : cases()) {
    if (c.run == Run::Windowed) runCase(c);
  }
}

}  // namespace

}  // namespace vw::faults
