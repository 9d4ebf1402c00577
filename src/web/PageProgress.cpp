#include "web/PageProgress.h"

#include <emscripten.h>

#include <algorithm>
#include <string>

namespace vw {

namespace {

constexpr const char* kStorageName = "local storage vaporwick.progress";

// The stored text's length in UTF-8 bytes, or -1 when there is none or
// storage is refused (private windows).
EM_JS(int, storedProgressBytes, (), {
  try {
    const text = window.localStorage.getItem('vaporwick.progress');
    return text === null ? -1 : lengthBytesUTF8(text);
  } catch (e) {
    return -1;
  }
});

EM_JS(void, copyStoredProgress, (char* out, int bytes), {
  try {
    stringToUTF8(window.localStorage.getItem('vaporwick.progress') || "", out, bytes);
  } catch (e) {
    stringToUTF8("", out, bytes);
  }
});

// Progress is a few bytes; anything longer is not progress.
constexpr int kMaxStoredBytes = 4096;

EM_JS(int, writeStoredProgress, (const char* text), {
  try {
    window.localStorage.setItem('vaporwick.progress', UTF8ToString(text));
    return 1;
  } catch (e) {
    return 0;
  }
});

}  // namespace

std::optional<int> PageProgress::load(Diagnostics& diagnostics) {
  const int bytes = storedProgressBytes();
  if (bytes < 0) return std::nullopt;
  std::string text(static_cast<std::size_t>(std::min(bytes, kMaxStoredBytes)) + 1, '\0');
  copyStoredProgress(text.data(), static_cast<int>(text.size()));
  text.resize(text.find('\0'));
  std::optional<int> furthest = parseProgress(text);
  if (!furthest) diagnostics.warning(kStorageName, 1, "the stored progress is not \"furthest N\"; it is ignored");
  return furthest;
}

bool PageProgress::save(int furthestPuzzle, Diagnostics& diagnostics) {
  if (writeStoredProgress(progressText(furthestPuzzle).c_str())) return true;
  diagnostics.warning(kStorageName, 1, "the browser refused to keep the progress");
  return false;
}

}  // namespace vw
