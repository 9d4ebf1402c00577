#pragma once
// ProgressStore: where the furthest puzzle reached is kept between runs.
// ProgressFile keeps it in a small text file ("furthest N"); another platform
// may keep it elsewhere. The game only ever talks to the interface.
#include <filesystem>
#include <optional>
#include <string>

#include "app/Diagnostics.h"

namespace vw {

class ProgressStore {
 public:
  virtual ~ProgressStore() = default;
  // The furthest puzzle index saved, or nothing when there is none. A store
  // that cannot be read is reported once and counts as none.
  virtual std::optional<int> load(Diagnostics& diagnostics) = 0;
  // Keeps the furthest puzzle index; false (reported) when it cannot.
  virtual bool save(int furthestPuzzle, Diagnostics& diagnostics) = 0;
};

class ProgressFile : public ProgressStore {
 public:
  explicit ProgressFile(std::filesystem::path path) : path_(std::move(path)) {}

  std::optional<int> load(Diagnostics& diagnostics) override;
  // Writes a temporary file beside the real one, syncs it and renames it
  // over the real one, so the file is always either the old or the new one.
  bool save(int furthestPuzzle, Diagnostics& diagnostics) override;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// The stored form of progress, "furthest N": N, or nothing when the text is not that.
std::optional<int> parseProgress(const std::string& text);
std::string progressText(int furthestPuzzle);

// $XDG_DATA_HOME/vaporwick/progress.txt, else ~/.local/share/vaporwick/progress.txt;
// empty when neither variable is set.
std::filesystem::path defaultProgressPath();

}  // namespace vw
