#pragma once
// The furthest puzzle reached, kept in the page's local storage under
// "vaporwick.progress" in the same "furthest N" form as the desktop's file.
#include "app/ProgressStore.h"

namespace vw {

class PageProgress final : public ProgressStore {
 public:
  std::optional<int> load(Diagnostics& diagnostics) override;
  bool save(int furthestPuzzle, Diagnostics& diagnostics) override;
};

}  // namespace vw
