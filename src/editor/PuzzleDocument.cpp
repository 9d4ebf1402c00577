#include "editor/PuzzleDocument.h"

#include <algorithm>
#include <map>

#include "world/TokenReader.h"

namespace vw {

namespace {

bool isSizeRole(FieldRole wanted, FieldRole actual) {
  return actual == wanted || (actual == FieldRole::Size && (wanted == FieldRole::Width || wanted == FieldRole::Height));
}

}  // namespace

bool EditorElement::has(FieldRole role) const {
  for (const FieldSpec& f : layout().fields) {
    if (isSizeRole(role, f.role)) return true;
  }
  return false;
}

int EditorElement::get(FieldRole role) const {
  const auto& layouts = layout().fields;
  for (std::size_t i = 0; i < layouts.size() && i < fields.size(); ++i) {
    if (isSizeRole(role, layouts[i].role)) return fields[i];
  }
  return 0;
}

void EditorElement::set(FieldRole role, int value) {
  const auto& layouts = layout().fields;
  for (std::size_t i = 0; i < layouts.size() && i < fields.size(); ++i) {
    if (isSizeRole(role, layouts[i].role)) {
      fields[i] = std::clamp(value, layouts[i].min, layouts[i].max);
      return;
    }
  }
}

EditRect EditorElement::rect() const {
  // The loader uses the magnitude of a negative size.
  const float w = std::abs(static_cast<float>(get(FieldRole::Width)));
  const float h = std::abs(static_cast<float>(get(FieldRole::Height)));
  const float x = static_cast<float>(get(FieldRole::X));
  const float y = static_cast<float>(get(FieldRole::Y)) + layout().yShift;
  return {x - w / 2, y - h / 2, x + w / 2, y + h / 2};
}

std::optional<EditRect> EditorElement::steamColumn() const {
  if (std::string_view(layout().keyword) != "STEAMJET") return std::nullopt;
  const float x = static_cast<float>(get(FieldRole::X));
  const float y = static_cast<float>(get(FieldRole::Y)) + layout().yShift;
  const float areaHeight = static_cast<float>(std::clamp(fields[5], 0, 10000));
  const float areaWidth = static_cast<float>(std::clamp(fields[6], 0, 10000));
  return EditRect{x - areaWidth / 2, y, x + areaWidth / 2, y + areaHeight};
}

PuzzleDocument PuzzleDocument::parse(const std::string& text, std::vector<DroppedText>& dropped) {
  PuzzleDocument doc;
  doc.width = 0;
  TokenReader reader(text);
  if (reader.atEnd()) return doc;
  doc.width = toInt(reader.next().text);
  while (!reader.atEnd() && reader.peek() != '&') {
    Token keyword = reader.next();
    int kind = findKind(keyword.text);
    if (kind < 0) {
      bool blankTail = !keyword.terminated && keyword.text.find_first_not_of(" \t\r\n") == std::string::npos;
      if (!blankTail) dropped.push_back({keyword.text, keyword.line});
      continue;
    }
    EditorElement element{kind, {}};
    const auto& layouts = element.layout().fields;
    while (element.fields.size() < layouts.size() && !reader.atEnd()) {
      Token field = reader.next();
      bool ignored = layouts[element.fields.size()].role == FieldRole::Ignored;
      element.fields.push_back(ignored ? 0 : toInt(field.text));
    }
    if (element.fields.size() < layouts.size()) {
      dropped.push_back({keyword.text + " (cut short by the end of the file)", keyword.line});
      break;
    }
    doc.elements.push_back(std::move(element));
  }
  return doc;
}

std::string PuzzleDocument::text() const {
  std::string out = std::to_string(width) + "\n";
  for (const EditorElement& e : elements) {
    out += '|';
    out += e.layout().keyword;
    for (int v : e.fields) out += '|' + std::to_string(v);
    out += '\n';
  }
  out += "|&\n";
  return out;
}

std::optional<std::size_t> PuzzleDocument::elementOnLine(int line) const {
  if (line < 2 || static_cast<std::size_t>(line - 2) >= elements.size()) return std::nullopt;
  return static_cast<std::size_t>(line - 2);
}

EditorElement PuzzleDocument::makeElement(int kind, int x, int y) const {
  EditorElement e{kind, {}};
  for (const FieldSpec& f : e.layout().fields) e.fields.push_back(f.initial);
  e.set(FieldRole::X, x);
  e.set(FieldRole::Y, y - static_cast<int>(e.layout().yShift));
  if (e.layout().switchable) e.set(FieldRole::Id, freshId());
  if (e.layout().isSwitch) e.set(FieldRole::Target, freshId());  // names nothing until linked
  return e;
}

int PuzzleDocument::freshId() const {
  int highest = 0;
  for (const EditorElement& e : elements) {
    if (e.layout().switchable) highest = std::max(highest, e.get(FieldRole::Id));
    if (e.layout().isSwitch) highest = std::max(highest, e.get(FieldRole::Target));
  }
  return highest + 1;
}

std::optional<std::size_t> PuzzleDocument::targetOf(std::size_t switchIndex) const {
  if (switchIndex >= elements.size() || !elements[switchIndex].layout().isSwitch) return std::nullopt;
  const int wanted = elements[switchIndex].get(FieldRole::Target);
  for (std::size_t i = switchIndex; i-- > 0;) {
    if (elements[i].layout().switchable && elements[i].get(FieldRole::Id) == wanted) return i;
  }
  return std::nullopt;
}

std::optional<std::size_t> PuzzleDocument::link(std::size_t switchIndex, std::size_t target) {
  const std::size_t n = elements.size();
  if (switchIndex >= n || target >= n || !elements[switchIndex].layout().isSwitch || !elements[target].layout().switchable) {
    return std::nullopt;
  }
  std::vector<std::optional<std::size_t>> resolved(n);
  for (std::size_t i = 0; i < n; ++i) resolved[i] = targetOf(i);
  resolved[switchIndex] = target;
  const int id = elements[target].get(FieldRole::Id);
  for (std::size_t i = 0; i < n; ++i) {
    if (i != target && elements[i].layout().switchable && elements[i].get(FieldRole::Id) == id) {
      elements[target].set(FieldRole::Id, freshId());
      break;
    }
  }
  // A target must come before the switch: move it to just before the switch.
  std::vector<std::size_t> newIndex(n);
  for (std::size_t i = 0; i < n; ++i) newIndex[i] = i;
  if (target > switchIndex) {
    std::rotate(elements.begin() + static_cast<std::ptrdiff_t>(switchIndex),
                elements.begin() + static_cast<std::ptrdiff_t>(target),
                elements.begin() + static_cast<std::ptrdiff_t>(target) + 1);
    for (std::size_t i = switchIndex; i < target; ++i) newIndex[i] = i + 1;
    newIndex[target] = switchIndex;
  }
  std::vector<std::optional<std::size_t>> moved(n);
  for (std::size_t i = 0; i < n; ++i) {
    if (resolved[i]) moved[newIndex[i]] = newIndex[*resolved[i]];
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (moved[i]) elements[i].set(FieldRole::Target, elements[*moved[i]].get(FieldRole::Id));
  }
  return newIndex[switchIndex];
}

std::optional<std::size_t> PuzzleDocument::elementAt(float x, float y) const {
  for (std::size_t i = elements.size(); i-- > 0;) {
    EditRect r = elements[i].rect();
    // Thin elements stay easy to pick.
    const float growX = std::max(0.0f, (12 - (r.right - r.left)) / 2);
    const float growY = std::max(0.0f, (12 - (r.top - r.bottom)) / 2);
    if (EditRect{r.left - growX, r.bottom - growY, r.right + growX, r.top + growY}.contains(x, y)) return i;
  }
  return std::nullopt;
}

void PuzzleDocument::erase(std::vector<std::size_t> indices) {
  std::sort(indices.begin(), indices.end());
  indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
  for (std::size_t k = indices.size(); k-- > 0;) {
    if (indices[k] < elements.size()) elements.erase(elements.begin() + static_cast<std::ptrdiff_t>(indices[k]));
  }
}

std::vector<std::size_t> PuzzleDocument::paste(const std::vector<EditorElement>& copies, int dx, int dy) {
  std::map<int, int> renamed;
  int next = freshId();
  std::vector<std::size_t> added;
  for (EditorElement e : copies) {
    e.set(FieldRole::X, e.get(FieldRole::X) + dx);
    e.set(FieldRole::Y, e.get(FieldRole::Y) + dy);
    if (e.layout().switchable) {
      const int id = e.get(FieldRole::Id);
      if (!renamed.count(id)) renamed[id] = next++;
      e.set(FieldRole::Id, renamed[id]);
    }
    if (e.layout().isSwitch) {
      auto it = renamed.find(e.get(FieldRole::Target));
      if (it != renamed.end()) e.set(FieldRole::Target, it->second);
    }
    added.push_back(elements.size());
    elements.push_back(std::move(e));
  }
  return added;
}

}  // namespace vw
