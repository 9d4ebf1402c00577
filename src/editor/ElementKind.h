#pragma once
// The nine keywords of a puzzle file as the editor knows them: their fields
// in file order, with the role each field plays, its valid range and the
// value a newly placed element starts with.
#include <string_view>
#include <vector>

namespace vw {

enum class FieldRole { Plain, Ignored, Id, X, Y, Width, Height, Size, Target };

struct FieldSpec {
  const char* name;  // as the puzzle format names it
  FieldRole role;
  int min;
  int max;
  int initial;
};

struct ElementKind {
  const char* keyword;
  std::vector<FieldSpec> fields;
  float yShift;     // the loader places the element this far above the file's y
  bool switchable;  // registered under its id: a button or wheel may switch it
  bool isSwitch;    // a button or wheel: it names a target id
  const char* summary;
};

// Every keyword, in palette order.
const std::vector<ElementKind>& elementKinds();
// The index of a keyword in elementKinds(), or -1.
int findKind(std::string_view keyword);

// Coordinates a single puzzle may use (it is never wider than this).
constexpr int kMaxCoordinate = 1000000;

}  // namespace vw
