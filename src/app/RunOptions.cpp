#include "app/RunOptions.h"

#include <charconv>
#include <iterator>
#include <utility>
#include <system_error>

namespace vw {

namespace {

template <typename T>
bool parseNumber(const std::string& text, T& out) {
  if (text.empty() || text[0] == '-' || text[0] == '+') return false;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
  return ec == std::errc() && end == text.data() + text.size();
}

// One file named by two output options: one would silently overwrite the other.
std::string sharedOutput(const RunOptions& o) {
  const std::pair<const char*, const std::filesystem::path*> outputs[] = {
      {"--dump-state", &o.dumpState}, {"--record", &o.record}, {"--screenshot", &o.screenshot}, {"--progress", &o.progress}};
  for (std::size_t i = 0; i < std::size(outputs); ++i) {
    for (std::size_t j = i + 1; j < std::size(outputs); ++j) {
      const std::filesystem::path& a = *outputs[i].second;
      const std::filesystem::path& b = *outputs[j].second;
      if (a.empty() || b.empty()) continue;
      std::error_code ecA, ecB;
      const std::filesystem::path fullA = std::filesystem::weakly_canonical(a, ecA);
      const std::filesystem::path fullB = std::filesystem::weakly_canonical(b, ecB);
      if ((!ecA && !ecB && fullA == fullB) || a.lexically_normal() == b.lexically_normal()) {
        return std::string(outputs[i].first) + " and " + outputs[j].first + " name the same file: " + a.string();
      }
    }
  }
  return "";
}

}  // namespace

std::string usage() {
  return "Usage: vaporwick [options]\n"
         "  --data DIR          directory holding Settings/, the puzzles, pictures and shader\n"
         "  --seed N            seed the random generator with N (default: the clock)\n"
         "  --headless          no window: fixed 1/60 s steps, no pacing, nothing drawn\n"
         "  --script FILE       take keyboard and mouse from an input script\n"
         "  --record FILE       write this session's input as an input script\n"
         "  --frames N          quit after N updates\n"
         "  --dump-state FILE   write the game state as JSON at exit\n"
         "  --screenshot FILE   write the last drawn frame as PNG at exit (windowed)\n"
         "  --puzzle FILE       play this puzzle file alone, from its start\n"
         "  --edit FILE         open a puzzle file in the editor (a new puzzle if it does not exist)\n"
         "  --edit-script FILE  drive the editor from an editor script\n"
         "  --check-puzzles     load every puzzle, report problems, and exit\n"
         "  --mute              start with the sound off\n"
         "  --no-save           neither read nor write the progress file\n"
         "  --progress FILE     keep progress in FILE (also in scripted and headless runs)\n"
         "  --verbose           debug output on stderr\n"
         "  --help              this text\n"
         "  --version           print the version\n";
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed;
  RunOptions& o = parsed.options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= args.size()) {
        parsed.error = a + " needs a value";
        return false;
      }
      out = args[++i];
      return true;
    };
    std::string v;
    if (a == "--headless") {
      o.headless = true;
    } else if (a == "--verbose") {
      o.verbose = true;
    } else if (a == "--check-puzzles") {
      o.checkPuzzles = true;
    } else if (a == "--mute") {
      o.mute = true;
    } else if (a == "--no-save") {
      o.noSave = true;
    } else if (a == "--help" || a == "-h") {
      o.help = true;
    } else if (a == "--version") {
      o.version = true;
    } else if (a == "--data" || a == "--script" || a == "--dump-state" || a == "--screenshot" || a == "--record" ||
               a == "--progress" || a == "--puzzle" || a == "--edit" || a == "--edit-script") {
      if (!value(v)) return parsed;
      if (v.empty()) {
        parsed.error = a + " needs a non-empty value";
        return parsed;
      }
      if (a == "--data") o.dataDir = v;
      if (a == "--script") o.script = v;
      if (a == "--dump-state") o.dumpState = v;
      if (a == "--screenshot") o.screenshot = v;
      if (a == "--record") o.record = v;
      if (a == "--progress") o.progress = v;
      if (a == "--puzzle") o.puzzle = v;
      if (a == "--edit") o.edit = v;
      if (a == "--edit-script") o.editScript = v;
    } else if (a == "--seed") {
      if (!value(v)) return parsed;
      std::uint32_t seed = 0;
      if (!parseNumber(v, seed)) {
        parsed.error = "bad --seed value: " + v;
        return parsed;
      }
      o.seed = seed;
    } else if (a == "--frames") {
      if (!value(v)) return parsed;
      std::uint64_t frames = 0;
      if (!parseNumber(v, frames)) {
        parsed.error = "bad --frames value: " + v;
        return parsed;
      }
      o.frames = frames;
    } else {
      parsed.error = "unknown option: " + a;
      return parsed;
    }
  }
  if (o.noSave && !o.progress.empty()) {
    parsed.error = "--no-save and --progress cannot be combined";
    return parsed;
  }
  if (!o.edit.empty() && (o.headless || !o.puzzle.empty() || !o.script.empty())) {
    parsed.error = "--edit opens a window of its own: it takes no --headless, --puzzle or --script";
  }
  if (o.editScript.empty() == false && o.edit.empty()) parsed.error = "--edit-script needs --edit FILE";
  if (o.headless && !o.frames && o.script.empty() && !o.checkPuzzles) {
    parsed.error = "--headless needs --frames or --script";
  }
  if (parsed.error.empty()) parsed.error = sharedOutput(o);
  return parsed;
}

std::filesystem::path defaultDataDir(const std::filesystem::path& executable) {
  std::error_code ec;
  if (std::filesystem::is_directory("Settings", ec)) return std::filesystem::current_path(ec);
  std::filesystem::path dir = executable.parent_path();
  for (const std::filesystem::path& candidate : {dir / "data", dir / ".." / "share" / "vaporwick"}) {
    if (std::filesystem::is_directory(candidate / "Settings", ec)) return candidate;
  }
  return dir / "data";
}

}  // namespace vw
