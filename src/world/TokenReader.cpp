#include "world/TokenReader.h"

#include <climits>

namespace vw {

namespace {

std::string textMode(std::string raw) {
  std::string out;
  out.reserve(raw.size());
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\r' && i + 1 < raw.size() && raw[i + 1] == '\n') continue;
    out.push_back(raw[i]);
  }
  return out;
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

}  // namespace

TokenReader::TokenReader(std::string text, bool cut) : text_(textMode(std::move(text))), cut_(cut) {}

Token TokenReader::next() {
  Token token;
  token.line = line_;
  token.terminated = false;
  while (pos_ < text_.size()) {
    char c = text_[pos_++];
    if (c == '|') {
      token.terminated = true;
      break;
    }
    // CR LF pairs are one LF by now: a CR left is a line end of its own.
    if (c == '\n' || c == '\r') ++line_;
    if (token.text.size() < kMaxTokenLength) {
      token.text.push_back(c);
    } else {
      token.overlong = true;
    }
  }
  return token;
}

int toInt(std::string_view token) {
  std::size_t i = 0;
  while (i < token.size() && isSpace(token[i])) ++i;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  long long value = 0;
  for (; i < token.size() && token[i] >= '0' && token[i] <= '9'; ++i) {
    value = value * 10 + (token[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

std::filesystem::path filePath(std::string_view text) {
  std::string s(text);
  for (char& c : s) {
    if (c == '\\') c = '/';
  }
  return std::filesystem::path(s);
}

}  // namespace vw
