// Vaporwick: entry point. Parses the command line and starts the game in a
// window, headless, or as the puzzle checker.
#include <chrono>
#include <iostream>
#include <string>
#include <vector>

#include "app/Headless.h"
#include "app/RunOptions.h"
#include "world/PuzzleChecker.h"
#ifdef VAPORWICK_HAS_PLATFORM
#include "platform/Desktop.h"
#include "platform/EditorWindow.h"
#endif

int main(int argc, char** argv) {
  const auto startedAt = std::chrono::steady_clock::now();
  std::vector<std::string> args(argv + 1, argv + argc);
  vw::ParsedCommandLine parsed = vw::parseCommandLine(args);
  if (!parsed.error.empty()) {
    std::cerr << "vaporwick: " << parsed.error << "\n\n" << vw::usage();
    return 2;
  }
  vw::RunOptions options = parsed.options;
  options.startedAt = startedAt;
  if (options.help) {
    std::cout << vw::usage();
    return 0;
  }
  if (options.version) {
    std::cout << "Vaporwick, Version 1.0\n";
    return 0;
  }
  if (options.dataDir.empty()) {
    std::error_code ec;
    options.dataDir = vw::defaultDataDir(std::filesystem::read_symlink("/proc/self/exe", ec));
  }
  if (options.checkPuzzles) return vw::checkPuzzles(options.dataDir, std::cout);
  if (options.headless) return vw::runHeadless(options);
#ifdef VAPORWICK_HAS_PLATFORM
  if (!options.edit.empty()) return vw::runEditor(options);
  return vw::runDesktop(options);
#else
  std::cerr << "vaporwick: this build has no window; run it with --headless\n";
  return 1;
#endif
}
