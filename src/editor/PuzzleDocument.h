#pragma once
// The puzzle being edited: its width and its elements with every field, in
// file order. Reads a puzzle's text the way the loader does, writes it back
// one element per line, and manages the links between buttons or wheels and
// the elements they switch.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "editor/ElementKind.h"

namespace vw {

// The loader places a puzzle played alone with its x = 0 at world x -400.
constexpr float kAlonePuzzleOffset = -400;

// A rectangle in puzzle coordinates: x as in the file, y as the element stands in the world.
struct EditRect {
  float left = 0, bottom = 0, right = 0, top = 0;
  bool contains(float x, float y) const { return x >= left && x <= right && y >= bottom && y <= top; }
};

struct EditorElement {
  int kind = 0;             // index into elementKinds()
  std::vector<int> fields;  // in file order

  const ElementKind& layout() const { return elementKinds()[static_cast<std::size_t>(kind)]; }
  bool has(FieldRole role) const;
  // The first field with this role; Width and Height also read a Size field.
  int get(FieldRole role) const;
  void set(FieldRole role, int value);
  // Where the element's picture stands.
  EditRect rect() const;
  // A steam jet's column, the rectangle that lifts the player.
  std::optional<EditRect> steamColumn() const;
  bool operator==(const EditorElement&) const = default;
};

// Something in an opened file that is no element and is dropped by a save.
struct DroppedText {
  std::string text;
  int line = 0;
};

class PuzzleDocument {
 public:
  int width = 2000;
  std::vector<EditorElement> elements;

  // Reads a puzzle's text as the loader does; unknown tokens and an element
  // cut short by the end of the file go to dropped.
  static PuzzleDocument parse(const std::string& text, std::vector<DroppedText>& dropped);
  // The puzzle file: the width on the first line, one element per line, "|&".
  std::string text() const;
  // The file line of element i in text().
  static int lineOf(std::size_t i) { return static_cast<int>(i) + 2; }
  // The element written on a line of text(), if any.
  std::optional<std::size_t> elementOnLine(int line) const;

  // A new element of a kind centred at (x, y) in puzzle coordinates, with a fresh id.
  EditorElement makeElement(int kind, int x, int y) const;
  // An id no element is registered under.
  int freshId() const;
  // The element a button or wheel switches, by the loader's rule: the latest
  // element before it registered under its target id.
  std::optional<std::size_t> targetOf(std::size_t switchIndex) const;
  // Makes the switch at switchIndex switch target: gives the target an id of
  // its own if it shares one, moves it before the switch if it stands after
  // it, and keeps every other link as it was. Returns the switch's new index,
  // or nullopt (nothing changed) when the pair cannot be linked.
  std::optional<std::size_t> link(std::size_t switchIndex, std::size_t target);

  // The topmost element whose picture holds the point.
  std::optional<std::size_t> elementAt(float x, float y) const;
  // Removes the elements at the given indices.
  void erase(std::vector<std::size_t> indices);
  // Appends copies moved by (dx, dy); copied targets get fresh ids and copied
  // switches follow them. Returns the indices of the new elements.
  std::vector<std::size_t> paste(const std::vector<EditorElement>& copies, int dx, int dy);

  bool operator==(const PuzzleDocument&) const = default;
};

}  // namespace vw
