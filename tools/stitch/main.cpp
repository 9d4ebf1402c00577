// vaporwick_stitch: writes the whole-strip walkthrough built from the
// walkthroughs of the single puzzles (see Stitcher.h).
//   vaporwick_stitch DATA_DIR WALKTHROUGH_DIR OUT_FILE
#include <cstdio>
#include <fstream>

#include "Stitcher.h"
#include <unistd.h>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: vaporwick_stitch DATA_DIR WALKTHROUGH_DIR OUT_FILE\n");
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path scratch = fs::temp_directory_path() / ("vaporwick-stitch-" + std::to_string(::getpid()));
  vw::Stitcher stitcher(vw::StitchOptions{argv[1], argv[2], scratch, 1});
  std::string error;
  std::optional<std::string> script = stitcher.stitch(error);
  std::error_code ignored;
  fs::remove_all(scratch, ignored);
  std::fputs(stitcher.report().c_str(), stderr);
  if (!script) {
    std::fprintf(stderr, "vaporwick_stitch: %s\n", error.c_str());
    return 1;
  }
  // Written beside and renamed over, so a failed write leaves the old script.
  const fs::path target = argv[3];
  const fs::path temporary = target.string() + ".new";
  std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
  out << *script;
  out.close();
  std::error_code renamed;
  if (out) fs::rename(temporary, target, renamed);
  if (!out || renamed) {
    fs::remove(temporary, ignored);
    std::fprintf(stderr, "vaporwick_stitch: %s: cannot write\n", argv[3]);
    return 1;
  }
  return 0;
}
