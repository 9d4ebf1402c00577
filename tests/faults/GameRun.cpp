#include "GameRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace vw::faults {

RunResult runProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                     const std::filesystem::path& workDir, std::chrono::seconds limit) {
  const std::filesystem::path outFile = workDir.parent_path() / (workDir.filename().string() + ".stdout");
  const std::filesystem::path errFile = workDir.parent_path() / (workDir.filename().string() + ".stderr");
  std::vector<std::string> argv0{program.string()};
  argv0.insert(argv0.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argv0) argv.push_back(a.data());
  argv.push_back(nullptr);

  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
        chdir(workDir.c_str()) != 0) {
      _exit(126);
    }
    execv(argv[0], argv.data());
    _exit(127);
  }
  RunResult result;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  struct rusage usage {};
  for (;;) {
    const pid_t done = wait4(pid, &status, WNOHANG, &usage);
    if (done == pid) break;
    if (std::chrono::steady_clock::now() > deadline) {
      result.timedOut = true;
      kill(pid, SIGKILL);
      wait4(pid, &status, 0, &usage);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.maxRssKb = usage.ru_maxrss;
  result.out = readFile(outFile);
  result.err = readFile(errFile);
  std::filesystem::remove(outFile);
  std::filesystem::remove(errFile);
  return result;
}

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vaporwick-faults-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a temporary directory");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

const char* faultName(Fault fault) {
  static const char* const kNames[] = {"missing", "empty", "truncated", "random bytes", "a pipe", "/dev/zero"};
  return kNames[static_cast<int>(fault)];
}

void applyFault(const std::filesystem::path& file, Fault fault) {
  switch (fault) {
    case Fault::Missing:
      std::filesystem::remove(file);
      return;
    case Fault::Empty:
      std::filesystem::resize_file(file, 0);
      return;
    case Fault::Truncated:
      std::filesystem::resize_file(file, std::filesystem::file_size(file) / 2);
      return;
    case Fault::Garbage: {
      const std::uintmax_t size = std::max<std::uintmax_t>(std::filesystem::file_size(file), 64);
      const std::string name = file.filename().string();
      std::seed_seq seed(name.begin(), name.end());
      std::mt19937 random(seed);
      std::string bytes(size, '\0');
      for (char& b : bytes) b = static_cast<char>(random() & 0xff);
      std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
      return;
    }
    case Fault::Fifo:
      std::filesystem::remove(file);
      if (mkfifo(file.c_str(), 0600) != 0) throw std::runtime_error("cannot make a pipe");
      return;
    case Fault::Device:
      std::filesystem::remove(file);
      std::filesystem::create_symlink("/dev/zero", file);
      return;
  }
}

std::string readFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

FileList listFiles(const std::filesystem::path& root) {
  FileList files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    files[std::filesystem::relative(entry.path(), root).string()] = {entry.file_size(), entry.last_write_time()};
  }
  return files;
}

}  // namespace vw::faults
