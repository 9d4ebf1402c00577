#include "editor/EditorScript.h"

#include <fstream>
#include <sstream>

namespace vw {

namespace {

constexpr int kMaxWait = 100000;
constexpr int kDragSteps = 5;

EditorAction mouseAt(float x, float y) { return {EditorAction::Kind::Mouse, {x, y}, "", false, false, false}; }
EditorAction plain(EditorAction::Kind kind) { return {kind, {0, 0}, "", false, false, false}; }

EditorAction keyAction(std::string layout) {
  EditorAction a = plain(EditorAction::Kind::Key);
  for (const auto& [prefix, flag] : {std::pair{"ctrl+", &a.ctrl}, {"shift+", &a.shift}, {"alt+", &a.alt}}) {
    // Modifiers in any order, each at most once.
    for (std::size_t at = layout.find(prefix); at == 0; at = layout.find(prefix)) {
      *flag = true;
      layout.erase(0, std::string(prefix).size());
    }
  }
  a.key = layout;
  return a;
}

}  // namespace

std::optional<std::vector<EditorAction>> parseEditorScript(const std::string& text, const std::string& name,
                                                           std::string& error) {
  std::vector<EditorAction> actions;
  std::istringstream in(text);
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string verb;
    if (!(words >> verb)) continue;
    auto fail = [&](const std::string& message) {
      error = name + ":" + std::to_string(number) + ": " + message;
      return std::nullopt;
    };
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    if (verb == "mouse" || verb == "click") {
      if (!(words >> x1 >> y1)) return fail(verb + " needs X Y");
      actions.push_back(mouseAt(x1, y1));
      if (verb == "click") {
        actions.push_back(plain(EditorAction::Kind::Down));
        actions.push_back(plain(EditorAction::Kind::Up));
      }
    } else if (verb == "down" || verb == "up") {
      actions.push_back(plain(verb == "down" ? EditorAction::Kind::Down : EditorAction::Kind::Up));
    } else if (verb == "drag") {
      if (!(words >> x1 >> y1 >> x2 >> y2)) return fail("drag needs X1 Y1 X2 Y2");
      actions.push_back(mouseAt(x1, y1));
      actions.push_back(plain(EditorAction::Kind::Down));
      for (int i = 1; i <= kDragSteps; ++i) {
        const float t = static_cast<float>(i) / kDragSteps;
        actions.push_back(mouseAt(x1 + (x2 - x1) * t, y1 + (y2 - y1) * t));
      }
      actions.push_back(plain(EditorAction::Kind::Up));
    } else if (verb == "key") {
      std::string layout;
      if (!(words >> layout)) return fail("key needs a key name");
      actions.push_back(keyAction(layout));
    } else if (verb == "wait") {
      int frames = 0;
      if (!(words >> frames) || frames < 0 || frames > kMaxWait) return fail("wait needs a frame count up to 100000");
      for (int i = 0; i < frames; ++i) actions.push_back(plain(EditorAction::Kind::Wait));
    } else if (verb == "screenshot") {
      EditorAction a = plain(EditorAction::Kind::Screenshot);
      if (!(words >> a.key)) return fail("screenshot needs a file");
      actions.push_back(a);
    } else {
      return fail("unknown action \"" + verb + "\"");
    }
    std::string extra;
    if (words >> extra) return fail("unexpected \"" + extra + "\"");
  }
  return actions;
}

std::optional<std::vector<EditorAction>> readEditorScript(const std::filesystem::path& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = path.string() + ": cannot read the editor script";
    return std::nullopt;
  }
  std::ostringstream text;
  text << in.rdbuf();
  return parseEditorScript(text.str(), path.string(), error);
}

}  // namespace vw
