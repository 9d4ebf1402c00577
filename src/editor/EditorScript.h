#pragma once
// Editor scripts drive the editor window as a person would, for tests and
// the documentation's screenshot. One action per line, run one per frame:
//   mouse X Y                the pointer to window pixel (X, Y)
//   down | up                the left button
//   click X Y                mouse, down, up
//   drag X1 Y1 X2 Y2         mouse, down, a few moves, up
//   key [ctrl+][shift+][alt+]NAME   a key pressed for one frame (NAME as SDL names keys)
//   wait N                   N frames with nothing happening
//   screenshot FILE          the window as a PNG
// '#' starts a comment. When the script ends, the editor closes without asking.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "render/Matrix.h"

namespace vw {

struct EditorAction {
  enum class Kind { Mouse, Down, Up, Key, Wait, Screenshot } kind = Kind::Wait;
  Vec2 pointer{0, 0};
  std::string key;  // Key: the key's name; Screenshot: the file
  bool ctrl = false, shift = false, alt = false;
};

// The script as one action per frame; nullopt with "FILE:LINE: message".
std::optional<std::vector<EditorAction>> readEditorScript(const std::filesystem::path& path, std::string& error);
std::optional<std::vector<EditorAction>> parseEditorScript(const std::string& text, const std::string& name,
                                                           std::string& error);

}  // namespace vw
