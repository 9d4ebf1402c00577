#pragma once
// Input scripts: keyboard and mouse for a run, one step per line.
//   dt SECONDS                      the step of the following updates
//   seed N                          as --seed, only before the first step line
//   N [KEY ...] [mouse X Y] [down]  N updates holding exactly these keys, the
//                                   cursor at back-buffer pixel (X, Y), the
//                                   left button held when `down` is given
// '#' starts a comment; blank lines are ignored. After the last line every
// key and the button are released.
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/Input.h"

namespace vw {

constexpr float kDefaultStep = 1.0f / 60.0f;
// The longest step a script may ask for: the game's motion is meant for
// steps of a frame or a few, and a huge one sends the player to infinity.
constexpr float kMaxStep = 1.0f;

struct ScriptStep {
  std::uint64_t count = 0;
  std::vector<int> keys;  // scan codes
  Vec2 cursor{500, 400};
  bool buttonDown = false;
  float dt = kDefaultStep;
};

struct InputScript {
  std::optional<std::uint32_t> seed;
  std::vector<ScriptStep> steps;

  std::uint64_t totalUpdates() const;
};

// Parses a script; on a malformed line, error holds "FILE:LINE: message".
// readInputScript takes a regular file of at most kMaxInputScriptBytes.
std::optional<InputScript> parseInputScript(std::istream& in, const std::string& fileName, std::string& error);
std::optional<InputScript> readInputScript(const std::filesystem::path& path, std::string& error);

// Feeds a script's steps to the game as device snapshots, one step per update.
class ScriptInputDevices : public InputDevices {
 public:
  explicit ScriptInputDevices(InputScript script);

  // Moves to the next update's snapshot; false once the script is over
  // (then everything is released).
  bool advance();
  // The step of the current update.
  float dt() const { return dt_; }
  bool finished() const;

  PollResult pollKeyboard(KeyArray& keys) override;
  PollResult pollMouse(MouseState& mouse) override;
  Vec2 cursorPosition() const override { return cursor_; }
  Vec2 clientSize() const override { return Vec2(1000, 800); }

 private:
  InputScript script_;
  std::size_t step_ = 0;
  std::uint64_t usedInStep_ = 0;
  KeyArray keys_{};
  bool buttonDown_ = false;
  Vec2 cursor_{500, 400};
  float dt_ = kDefaultStep;
};

// Writes what the game saw, update by update, as an input script that
// replays it: identical consecutive updates share one line.
class InputRecorder {
 public:
  explicit InputRecorder(std::uint32_t seed) : seed_(seed) {}
  // One update: the keys down in the snapshot the game read, the cursor, the
  // button and the step.
  void record(const Input& input, float dt);
  // The whole script so far, ready to save.
  std::string text() const;

 private:
  struct Line {
    std::uint64_t count = 0;
    std::string keys;  // "W D mouse 10 20 down"
    float dt = 0;
  };
  std::uint32_t seed_;
  std::vector<Line> lines_;
};

}  // namespace vw
