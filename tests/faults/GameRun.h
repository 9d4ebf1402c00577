#pragma once
// Runs the game binary as a player would, with a time limit, in a working
// directory of its own, and keeps its exit status and output. Also the
// scratch copies of the data directory the faults are made in.
#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vw::faults {

struct RunResult {
  int status = -1;      // exit status; 128 + N when killed by signal N
  bool timedOut = false;
  long maxRssKb = 0;    // the run's peak resident memory
  std::string out;
  std::string err;
};

// Runs program with args in workDir, stdin from /dev/null, killed after limit.
RunResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const std::filesystem::path& workDir, std::chrono::seconds limit);

// A fresh directory under the system's temporary folder, removed with the object.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The last two put something that is no regular file where the file was:
// a pipe nobody writes to, the endless device /dev/zero.
enum class Fault { Missing, Empty, Truncated, Garbage, Fifo, Device };
const char* faultName(Fault fault);
// Applies the fault to the file; random bytes come from a generator seeded by the file name.
void applyFault(const std::filesystem::path& file, Fault fault);

// The whole content of a file ("" when it cannot be read).
std::string readFile(const std::filesystem::path& file);

// Every regular file under root with its size and modification time.
using FileList = std::map<std::string, std::pair<std::uintmax_t, std::filesystem::file_time_type>>;
FileList listFiles(const std::filesystem::path& root);

}  // namespace vw::faults
