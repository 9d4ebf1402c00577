#include "app/InputScript.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "app/KeyCodes.h"
#include "app/RunFile.h"

namespace vw {

namespace {

template <typename T>
bool parseValue(const std::string& text, T& out) {
  if (text.empty() || text[0] == '+') return false;
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, out);
  return result.ec == std::errc() && result.ptr == end;
}

std::string formatFloat(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
  return buffer;
}

}  // namespace

std::uint64_t InputScript::totalUpdates() const {
  std::uint64_t total = 0;
  for (const ScriptStep& s : steps) total += s.count;
  return total;
}

std::optional<InputScript> parseInputScript(std::istream& in, const std::string& fileName, std::string& error) {
  InputScript script;
  float dt = kDefaultStep;
  Vec2 cursor(500, 400);
  std::string line;
  for (int lineNumber = 1; std::getline(in, line); ++lineNumber) {
    auto fail = [&](const std::string& message) {
      error = fileName + ":" + std::to_string(lineNumber) + ": " + message;
      return std::nullopt;
    };
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty()) continue;
    if (w[0] == "dt") {
      if (w.size() != 2 || !parseValue(w[1], dt) || !std::isfinite(dt) || dt < 0 || dt > kMaxStep) {
        return fail("expected 'dt SECONDS' with a number of seconds from 0 to " + formatFloat(kMaxStep));
      }
      continue;
    }
    if (w[0] == "seed") {
      std::uint32_t seed = 0;
      if (w.size() != 2 || !parseValue(w[1], seed)) return fail("expected 'seed N' with a whole number");
      if (!script.steps.empty()) return fail("a seed line must come before the first step line");
      script.seed = seed;
      continue;
    }
    ScriptStep step;
    if (!parseValue(w[0], step.count)) return fail("expected 'dt', 'seed' or a count of updates, got '" + w[0] + "'");
    for (std::size_t i = 1; i < w.size(); ++i) {
      if (w[i] == "mouse") {
        if (i + 2 >= w.size() || !parseValue(w[i + 1], cursor.x) || !parseValue(w[i + 2], cursor.y) ||
            !std::isfinite(cursor.x) || !std::isfinite(cursor.y)) {
          return fail("expected 'mouse X Y' with two numbers");
        }
        i += 2;
      } else if (w[i] == "down") {
        step.buttonDown = true;
      } else if (auto code = keyCodeForName(w[i])) {
        step.keys.push_back(*code);
      } else {
        return fail("unknown key '" + w[i] + "'");
      }
    }
    step.cursor = cursor;
    step.dt = dt;
    script.steps.push_back(std::move(step));
  }
  return script;
}

std::optional<InputScript> readInputScript(const std::filesystem::path& path, std::string& error) {
  std::string problem;
  std::optional<std::string> text = readWholeRunFile(path, kMaxInputScriptBytes, problem);
  if (!text) {
    error = shownPath(path) + ": cannot read the input script: " + problem;
    return std::nullopt;
  }
  std::istringstream in(std::move(*text));
  return parseInputScript(in, shownPath(path), error);
}

ScriptInputDevices::ScriptInputDevices(InputScript script) : script_(std::move(script)) {}

bool ScriptInputDevices::finished() const {
  std::size_t s = step_;
  std::uint64_t used = usedInStep_;
  while (s < script_.steps.size() && used >= script_.steps[s].count) {
    ++s;
    used = 0;
  }
  return s >= script_.steps.size();
}

bool ScriptInputDevices::advance() {
  while (step_ < script_.steps.size() && usedInStep_ >= script_.steps[step_].count) {
    ++step_;
    usedInStep_ = 0;
  }
  keys_.fill(0);
  if (step_ >= script_.steps.size()) {
    buttonDown_ = false;
    return false;
  }
  const ScriptStep& s = script_.steps[step_];
  for (int code : s.keys) keys_[code] = 0x80;
  buttonDown_ = s.buttonDown;
  cursor_ = s.cursor;
  dt_ = s.dt;
  ++usedInStep_;
  return true;
}

PollResult ScriptInputDevices::pollKeyboard(KeyArray& keys) {
  keys = keys_;
  return PollResult::Ok;
}

PollResult ScriptInputDevices::pollMouse(MouseState& mouse) {
  mouse = MouseState{};
  mouse.buttons[0] = buttonDown_ ? 0x80 : 0;
  return PollResult::Ok;
}

void InputRecorder::record(const Input& input, float dt) {
  std::string keys;
  for (int code = 0; code < 256; ++code) {
    std::string_view name = keyNameForCode(code);
    if (!name.empty() && input.isKeyDown(code)) {
      keys += ' ';
      keys += name;
    }
  }
  Vec3 c = input.mouseClientPosition();
  keys += " mouse " + formatFloat(c.x) + " " + formatFloat(c.y);
  if (input.isLeftButtonDown()) keys += " down";
  if (!lines_.empty() && lines_.back().keys == keys && lines_.back().dt == dt) {
    ++lines_.back().count;
  } else {
    lines_.push_back({1, keys, dt});
  }
}

std::string InputRecorder::text() const {
  std::string out = "# Recorded by vaporwick --record\nseed " + std::to_string(seed_) + "\n";
  float dt = -1;
  for (const Line& line : lines_) {
    if (line.dt != dt) {
      dt = line.dt;
      out += "dt " + formatFloat(dt) + "\n";
    }
    out += std::to_string(line.count) + line.keys + "\n";
  }
  return out;
}

}  // namespace vw
