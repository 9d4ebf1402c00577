#include "Needs.h"

#include <charconv>
#include <sstream>

#include "app/RunFile.h"

namespace vw {

namespace {

constexpr std::uintmax_t kMaxNeedsBytes = 64 * 1024;

std::optional<Power> powerNamed(const std::string& name) {
  if (name == "Water") return Power::Water;
  if (name == "Steam") return Power::Steam;
  if (name == "Ice") return Power::Ice;
  return std::nullopt;
}

const char* powerName(Power power) {
  switch (power) {
    case Power::Steam: return "Steam";
    case Power::Ice: return "Ice";
    default: return "Water";
  }
}

std::optional<NeedKind> lineKind(const std::string& word) {
  if (word == "on") return NeedKind::On;
  if (word == "off") return NeedKind::Off;
  if (word == "wet") return NeedKind::Wet;
  if (word == "frozen") return NeedKind::Frozen;
  return std::nullopt;
}

std::string joined(const std::vector<std::string>& words) {
  std::string out;
  for (const std::string& word : words) out += (out.empty() ? "" : " ") + word;
  return out;
}

bool positiveNumber(const std::string& text, int& out) {
  const char* end = text.data() + text.size();
  auto result = std::from_chars(text.data(), end, out);
  return result.ec == std::errc() && result.ptr == end && out > 0;
}

}  // namespace

std::string Need::text() const {
  switch (kind) {
    case NeedKind::Sprayed: return std::string("sprayed ") + powerName(power);
    case NeedKind::On: return "on " + std::to_string(puzzleLine);
    case NeedKind::Off: return "off " + std::to_string(puzzleLine);
    case NeedKind::Wet: return "wet " + std::to_string(puzzleLine);
    case NeedKind::Frozen: return "frozen " + std::to_string(puzzleLine);
    case NeedKind::Umbrella: return "umbrella";
  }
  return "umbrella";
}

std::optional<Needs> parseNeeds(std::istream& in, const std::string& fileName, std::string& error) {
  Needs result{fileName, {}};
  std::string text;
  for (int lineNumber = 1; std::getline(in, text); ++lineNumber) {
    auto fail = [&](const std::string& message) {
      error = fileName + ":" + std::to_string(lineNumber) + ": " + message;
      return std::nullopt;
    };
    if (auto hash = text.find('#'); hash != std::string::npos) text.erase(hash);
    std::istringstream words(text);
    std::vector<std::string> w;
    for (std::string word; words >> word;) w.push_back(word);
    if (w.empty()) continue;
    Need need;
    need.line = lineNumber;
    if (w[0] == "umbrella" && w.size() == 1) {
      need.kind = NeedKind::Umbrella;
    } else if (w[0] == "sprayed" && w.size() == 2 && powerNamed(w[1])) {
      need.kind = NeedKind::Sprayed;
      need.power = *powerNamed(w[1]);
    } else if (auto kind = lineKind(w[0]); kind && w.size() == 2 && positiveNumber(w[1], need.puzzleLine)) {
      need.kind = *kind;
    } else {
      return fail("expected 'sprayed Water|Steam|Ice', 'on N', 'off N', 'wet N', 'frozen N' or 'umbrella', got '" +
                  shownText(joined(w)) + "'");
    }
    if (result.needs.size() == kMaxNeeds) return fail("more than " + std::to_string(kMaxNeeds) + " requirements");
    result.needs.push_back(need);
  }
  return result;
}

std::optional<Needs> readNeeds(const std::filesystem::path& path, std::string& error) {
  std::string problem;
  std::optional<std::string> text = readWholeRunFile(path, kMaxNeedsBytes, problem);
  if (!text) {
    error = shownPath(path) + ": cannot read the requirements: " + problem;
    return std::nullopt;
  }
  std::istringstream in(std::move(*text));
  return parseNeeds(in, shownPath(path), error);
}

}  // namespace vw
