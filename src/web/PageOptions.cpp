#include "web/PageOptions.h"

#include <charconv>

namespace vw {

namespace {

constexpr int kMaxSpeed = 1000;

// Decodes %XX and '+' in a query value; malformed escapes stay as they are.
std::string unescape(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    unsigned value = 0;
    if (c == '%' && i + 2 < text.size() &&
        std::from_chars(text.data() + i + 1, text.data() + i + 3, value, 16).ptr == text.data() + i + 3) {
      out += static_cast<char>(value);
      i += 2;
    } else {
      out += c == '+' ? ' ' : c;
    }
  }
  return out;
}

bool isDecimal(std::string_view text) {
  if (text.empty() || text.size() > 10) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A packed script is named by its file name alone.
bool isScriptName(std::string_view name) {
  if (name.empty() || name.size() > 100 || name.front() == '.') return false;
  for (char c : name) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '_' || c == '.';
    if (!plain) return false;
  }
  return true;
}

}  // namespace

PageOptions parsePageOptions(std::string_view query, const std::string& scriptDir) {
  PageOptions options;
  if (!query.empty() && query.front() == '?') query.remove_prefix(1);
  while (!query.empty()) {
    const std::size_t end = query.find('&');
    const std::string_view pair = query.substr(0, end);
    query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
    if (pair.empty()) continue;
    const std::size_t eq = pair.find('=');
    const std::string name = unescape(pair.substr(0, eq));
    const std::string value = eq == std::string_view::npos ? std::string() : unescape(pair.substr(eq + 1));
    if (name == "seed" && isDecimal(value)) {
      options.arguments.insert(options.arguments.end(), {"--seed", value});
    } else if (name == "script" && isScriptName(value)) {
      options.arguments.insert(options.arguments.end(), {"--script", scriptDir + "/" + value});
    } else if (name == "speed" && isDecimal(value) && std::stoll(value) >= 1 && std::stoll(value) <= kMaxSpeed) {
      options.speed = static_cast<int>(std::stoll(value));
    } else if ((name == "mute" || name == "verbose") && value.empty()) {
      options.arguments.push_back("--" + name);
    } else {
      options.warnings.push_back("URL option '" + name + (value.empty() ? "" : "=" + value) +
                                 "' left out: use seed=N, script=NAME, speed=1..1000, mute or verbose");
    }
  }
  return options;
}

}  // namespace vw
