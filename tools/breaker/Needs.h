#pragma once
// What a fair pass of a puzzle must have used, read from the `.needs` file
// beside its walkthrough. One requirement per line, '#' starts a comment:
//   sprayed Water|Steam|Ice   the power was sprayed at some update
//   on N / off N              the puzzle element on line N of the puzzle file was on / off
//   wet N / frozen N          the block on line N was wet / frozen
//   umbrella                  the umbrella was open
// Line numbers count the puzzle file's lines from 1 (the width line).
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "player/Power.h"

namespace vw {

enum class NeedKind { Sprayed, On, Off, Wet, Frozen, Umbrella };

struct Need {
  NeedKind kind = NeedKind::Umbrella;
  Power power = Power::Water;  // for Sprayed
  int puzzleLine = 0;          // for On, Off, Wet, Frozen
  int line = 0;                // where it stands in the needs file

  // As written in the file: "sprayed Steam", "on 29".
  std::string text() const;
};

struct Needs {
  std::string file;  // as the diagnostics name it
  std::vector<Need> needs;
};

// The most requirements one file may hold (the search keeps them in one word).
constexpr std::size_t kMaxNeeds = 64;

// On a bad line, error holds "FILE:LINE: message".
std::optional<Needs> parseNeeds(std::istream& in, const std::string& fileName, std::string& error);
std::optional<Needs> readNeeds(const std::filesystem::path& path, std::string& error);

}  // namespace vw
