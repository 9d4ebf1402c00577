#pragma once
// The token syntax shared by the game's text files: tokens end at '|', hold
// at most 49 characters, and a '&' where a record or element would start
// ends the file. Files are read as text: a CR LF pair reads as one LF, and a
// CR alone ends a line too.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vw {

constexpr std::size_t kMaxTokenLength = 49;

struct Token {
  std::string text;      // at most kMaxTokenLength characters
  int line = 1;          // line on which the token starts
  bool overlong = false;  // the token ran past kMaxTokenLength (the rest was skipped)
  bool terminated = true; // a '|' ended it (false: the file ended first)
};

class TokenReader {
 public:
  // cut: the text is the start of a longer file (see RunFile).
  explicit TokenReader(std::string text, bool cut = false);

  bool atEnd() const { return pos_ >= text_.size(); }
  // The next character without taking it, or -1 at the end.
  int peek() const { return atEnd() ? -1 : static_cast<unsigned char>(text_[pos_]); }
  // Takes the characters up to the next '|' (which is taken and dropped).
  Token next();
  int line() const { return line_; }
  // The text ended because the file was longer than its bound, not because it ended.
  bool cut() const { return cut_; }

 private:
  std::string text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  bool cut_ = false;
};

// Integer conversion as atoi does it (leading white space, an optional sign,
// the digits that follow, 0 without digits), saturating instead of overflowing.
int toInt(std::string_view token);

// A run-time path as written in a file: '\' separators become '/'.
std::filesystem::path filePath(std::string_view text);

}  // namespace vw
