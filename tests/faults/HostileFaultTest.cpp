// Hostile data and command lines, each run as a player would run the game:
// pipes, devices and directories where files belong, headers claiming huge
// pictures, other formats under a .png name, puzzles and lists far past every
// bound, paths leaving the data directory, names that would drive the
// terminal. None may crash or hang; each ends with a clear message and the
// status a player would expect, within a stated peak of memory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>

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

struct Case {
  const char* name;
  Run run;
  std::function<void(const fs::path& data, const fs::path& work)> make;
  std::vector<std::string> args;  // besides --data and the frame count
  int status;
  std::vector<std::string> mentions;  // each must stand in the output
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

std::vector<Case> cases() {
  return {
      {"texture list is a pipe", Run::Headless, replace(kTextures, Fault::Fifo), {}, 0, {"textureData.txt", "not a regular file"}},
      {"texture list is /dev/zero", Run::Headless, replace(kTextures, Fault::Device), {}, 0, {"textureData.txt", "not a regular file"}},
      {"puzzle list is a pipe", Run::Headless, replace(kList, Fault::Fifo), {}, 1, {"puzzleFileNames.txt", "not a regular file"}},
      {"a puzzle is /dev/zero", Run::Headless, replace(kPuzzle, Fault::Device), {}, 0, {"01-first-steps.txt", "not a regular file"}},
      {"a picture is a pipe", Run::Headless, replace(kPicture, Fault::Fifo), {}, 0, {"stone.png", "\"STONE\"", "not a regular file"}},
      {"a picture is a directory", Run::Headless, replace(kPicture, Fault::Directory), {}, 0, {"stone.png", "not a regular file"}},
      {"a header claims 16000 x 16000", Run::Headless, put(kPicture, text(pngHeader(16000, 16000))), {}, 0, {"stone.png", "\"STONE\"", "16000 x 16000"}},
      {"a 16-bit PNM under a .png name", Run::Headless, put(kPicture, text(kPnm16)), {}, 0, {"stone.png", "not a PNG file"}},
      {"150000 moving boxes", Run::Headless, put(kPuzzle, repeated("2000\n", "|MOVINGBOX|1|500|100|50|50\n", 150000, "|&")), {}, 0, {"01-first-steps.txt:", "past the bound"}},
      {"2000 steam jets", Run::Headless, put(kPuzzle, repeated("2000\n", "|STEAMJET|1|500|0|10|50|10000|200|1\n", 2000, "|&")), {}, 0, {"01-first-steps.txt:", "steam jets in the world"}},
      {"one large puzzle listed 50 times", Run::Headless,
       [](const fs::path& data, const fs::path&) {
         write(data / kPuzzle, "2000\n" + repeat("|BLOCK|500|0|100|100\n", 150000) + "|&");
         write(data / kList, repeat(kPuzzle + "\n|", 50) + "&");
       },
       {}, 0, {"blocks and elements in the world"}},
      {"1.4 million list entries", Run::Headless, put(kList, repeated("", kPuzzle + "\n|", 1400000, "&")), {}, 0,
       {"no '&' within the first 1 MiB", "more than 100 puzzles"}},
      {"the list names /etc/passwd", Run::Headless, put(kList, text("/etc/passwd\n|" + kPuzzle + "\n|&")), {}, 0,
       {"leaves the data directory"}},
      {"a name that clears the screen", Run::Headless, put(kList, text("Puzzles/\x1b[2J.txt\n|" + kPuzzle + "\n|&")), {}, 0,
       {"\\x1B[2J"}},
      {"a puzzle with CR line ends", Run::Headless, put(kPuzzle, text("2000\r|BLOCK|0|0|10|10\r|BLOK|1\r|&")), {}, 0,
       {"01-first-steps.txt:3:"}},
      {"a script step of 1e36 s", Run::Headless, [](auto&, const fs::path& work) { write(work / "s.txt", "dt 1e36\n10 D\n"); },
       {"--script", "s.txt"}, 2, {"s.txt:1:"}},
      {"the largest script allowed, one update a line", Run::Headless,
       [](auto&, const fs::path& work) { write(work / "s.txt", repeat("1\n", kMaxScriptBytes / 2)); },
       {"--script", "s.txt", "--frames", "1"}, 0, {}},
      {"a script that is a directory", Run::Headless, [](auto&, const fs::path& work) { fs::create_directory(work / "s"); },
       {"--script", "s"}, 2, {"not a regular file"}},
      {"a script that is /dev/zero", Run::Headless, [](auto&, auto&) {}, {"--script", "/dev/zero"}, 2, {"not a regular file"}},
      {"one file for two outputs", Run::Headless, [](auto&, auto&) {}, {"--dump-state", "x", "--record", "x"}, 2,
       {"name the same file"}},
      {"windowed: a 16-bit PNM picture", Run::Windowed, put(kPicture, text(kPnm16)), {}, 0, {"stone.png", "not a PNG file"}},
      {"windowed: a 16-bit PNM icon", Run::Windowed, put("Pictures/icon.png", text(kPnm16)), {}, 0, {"icon.png", "not a PNG file"}},
      {"windowed: a header claims 16000 x 16000", Run::Windowed, put(kPicture, text(pngHeader(16000, 16000))), {}, 0, {"16000 x 16000"}},
      {"windowed: a picture is /dev/zero", Run::Windowed, replace(kPicture, Fault::Device), {}, 0, {"stone.png", "not a regular file"}},
      {"windowed: the icon is a pipe", Run::Windowed, replace("Pictures/icon.png", Fault::Fifo), {}, 0, {"icon.png", "not a regular file"}},
      {"windowed: the shader is a pipe", Run::Windowed, replace("Shaders/sprite.glsl", Fault::Fifo), {}, 1, {"sprite.glsl", "not a regular file"}},
      {"windowed: the shader is /dev/zero", Run::Windowed, replace("Shaders/sprite.glsl", Fault::Device), {}, 1, {"sprite.glsl", "not a regular file"}},
      {"windowed: sixty keys name the largest picture", Run::Windowed,
       put(kTextures, [] {
         std::string records = "Pictures/background.png|BACKGROUND\n|";
         for (int i = 0; i < 60; ++i) records += "Pictures/background.png|K" + std::to_string(i) + "\n|";
         return records + "&";
       }),
       {}, 0, {}},
  };
}

bool sanitized() {
#if defined(__SANITIZE_ADDRESS__)
  return true;
#else
  return false;
#endif
}

void runCase(const Case& c) {
  ScratchDir scratch;
  const fs::path data = scratch.path() / "data";
  const fs::path work = scratch.path() / "work";
  setenv("LSAN_OPTIONS", "suppressions=" VAPORWICK_LSAN_SUPPRESSIONS ":print_suppressions=0", 0);
  setenv("XDG_CACHE_HOME", (scratch.path() / "cache").c_str(), 1);
  fs::copy(kData, data, fs::copy_options::recursive);
  fs::create_directories(work);
  c.make(data, work);
  std::vector<std::string> args{"--data", data.string(), "--seed", "5"};
  if (c.run == Run::Headless) {
    args.insert(args.end(), {"--headless", "--frames", "30"});
  } else {
    args.insert(args.end(), {"--frames", "20", "--mute"});
  }
  args.insert(args.end(), c.args.begin(), c.args.end());
  const RunResult r = runProgram(kGame, args, work, kLimit);
  const std::string what = std::string(c.name) + ": status " + std::to_string(r.status) + "\nstderr:\n" +
                           r.err.substr(0, 4000);
  EXPECT_FALSE(r.timedOut) << what;
  EXPECT_EQ(r.status, c.status) << what;
  EXPECT_EQ(r.err.find("Sanitizer"), std::string::npos) << what;
  EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << what << ": a raw control character reached the terminal";
  for (const std::string& text : c.mentions) {
    EXPECT_NE(r.err.find(text), std::string::npos) << what << "\nmissing: " << text;
  }
  if (!sanitized()) {
    EXPECT_LT(r.maxRssKb, c.run == Run::Headless ? kHeadlessPeakKb : kWindowedPeakKb) << c.name;
  }
  std::cout << "  " << c.name << ": status " << r.status << ", peak " << r.maxRssKb / 1024 << " MiB\n";
}

TEST(HeadlessHostile, NoneCrashesHangsOrOutgrowsItsMemory) {
  for (const Case& c : cases()) {
    if (c.run == Run::Headless) runCase(c);
  }
}

TEST(WindowedHostile, NoneCrashesHangsOrOutgrowsItsMemory) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) GTEST_SKIP() << "no display";
  for (const Case& c : cases()) {
    if (c.run == Run::Windowed) runCase(c);
  }
}

}  // namespace

}  // namespace vw::faults
