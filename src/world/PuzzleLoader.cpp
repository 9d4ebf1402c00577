#include "world/PuzzleLoader.h"

#include <array>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <ostream>
#include <string_view>
#include <system_error>

#include "app/Random.h"
#include "app/RunFile.h"
#include "puzzle/Btn.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"
#include "puzzle/TrapDoor.h"
#include "puzzle/WaterWheel.h"
#include "world/TokenReader.h"

namespace vw {

namespace {

constexpr double kFirstOffset = -400;  // puzzle x = 0 of the first puzzle lies at world x -400
constexpr double kBridgeLength = 400;  // four stone blocks of 100
constexpr float kBridgeBlockSize = 100;
constexpr int kBridgeBlocks = 4;
constexpr float kRisingDoorLift = 100;  // placement offsets below the file's y
constexpr float kSteamjetDrop = 100;
constexpr float kTrapDoorDrop = 45;
constexpr float kButtonDrop = 46;
const Vec3 kSteamLift{0, 30, 0};

constexpr const char* kKeywords[] = {"BLOCK",    "ICEBLOCK", "MOVINGBOX",   "HEAVYBOX",  "RISINGDOOR",
                                     "STEAMJET", "TRAPDOOR", "PRESSBUTTON", "WATERWHEEL"};

bool isBlank(std::string_view text) {
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\v' && c != '\f') return false;
  }
  return true;
}

std::string inQuotes(std::string_view text) { return "\"" + shownText(text) + "\""; }

std::string trimmed(std::string_view text) {
  std::size_t b = 0;
  std::size_t e = text.size();
  while (b < e && isBlank(text.substr(b, 1))) ++b;
  while (e > b && isBlank(text.substr(e - 1, 1))) --e;
  return std::string(text.substr(b, e - b));
}

// What toInt reads in full: an optional sign and digits, with white space around.
bool isPlainNumber(std::string_view text) {
  std::string bare = trimmed(text);
  std::size_t i = !bare.empty() && (bare[0] == '+' || bare[0] == '-') ? 1 : 0;
  if (i == bare.size()) return false;
  for (; i < bare.size(); ++i) {
    if (bare[i] < '0' || bare[i] > '9') return false;
  }
  return true;
}

bool isKeyword(std::string_view text) {
  for (const char* k : kKeywords) {
    if (text == k) return true;
  }
  return false;
}

bool isKeywordIgnoringCase(std::string_view text) {
  for (const char* k : kKeywords) {
    std::string_view key(k);
    if (key.size() != text.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < key.size() && same; ++i) {
      same = std::toupper(static_cast<unsigned char>(text[i])) == key[i];
    }
    if (same) return true;
  }
  return false;
}

// Truncates toward zero, limited to the int range.
int truncatedInt(double value) {
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

// A readable run-time file, or why it cannot be read.
struct OpenedFile {
  std::optional<TokenReader> reader;
  std::string problem;
};

OpenedFile openTextFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
  std::string problem;
  std::optional<RunFile> file = readRunFile(path, maxBytes, problem);
  if (!file) return {std::nullopt, problem};
  return {TokenReader(std::move(file->bytes), file->cut), ""};
}

// The end of the text before its '&': a plain end of file is a warning; a
// file cut at its bound holds more than a sane one can, and is an error.
void reportMissingEnd(const TokenReader& reader, const std::string& file, std::uintmax_t maxBytes,
                      Diagnostics& diagnostics) {
  if (reader.cut()) {
    diagnostics.error(file, reader.line(),
                      "no '&' within the first " + byteCount(maxBytes) + " of the file; the rest is not read");
  } else {
    diagnostics.warning(file, reader.line(), "the file ends before its '&'");
  }
}

// Takes the next token, reporting one that was cut to 49 characters.
Token takeToken(TokenReader& reader, const std::string& file, Diagnostics& diagnostics) {
  Token token = reader.next();
  if (token.overlong) {
    diagnostics.error(file, token.line,
                      "token longer than " + std::to_string(kMaxTokenLength) + " characters; its first " +
                          std::to_string(kMaxTokenLength) + " are used: " + inQuotes(token.text));
  }
  return token;
}

struct ListEntry {
  std::string name;  // as written, its last character dropped
  int line = 0;
};

std::vector<ListEntry> readPuzzleList(const std::filesystem::path& dataDir, Diagnostics& diagnostics) {
  const std::string file = kPuzzleListFile;
  OpenedFile opened = openTextFile(dataDir / filePath(file), kMaxListFileBytes);
  if (!opened.reader) {
    diagnostics.error(file, 0, "cannot read the puzzle list: " + opened.problem);
    return {};
  }
  TokenReader& reader = *opened.reader;
  std::vector<ListEntry> entries;
  int leftOut = 0;
  int firstLeftOut = 0;
  while (true) {
    if (reader.atEnd()) {
      reportMissingEnd(reader, file, kMaxListFileBytes, diagnostics);
      break;
    }
    if (reader.peek() == '&') break;
    Token token = takeToken(reader, file, diagnostics);
    if (!token.terminated && isBlank(token.text)) continue;  // trailing white space; the '&' is reported above
    // Every entry ends with the line break that stands before its '|'.
    char last = token.text.empty() ? '\n' : token.text.back();
    if (!token.text.empty()) token.text.pop_back();
    if (isBlank(token.text)) {
      diagnostics.warning(file, token.line, "empty entry skipped");
      continue;
    }
    if (!token.overlong && !isBlank(std::string_view(&last, 1))) {
      diagnostics.warning(file, token.line,
                          "entry " + inQuotes(token.text + last) +
                              " does not end with a line break before its '|': its last character is dropped, "
                              "leaving " +
                              inQuotes(token.text));
    }
    if (!staysInside(filePath(token.text))) {
      diagnostics.error(file, token.line,
                        "entry " + inQuotes(token.text) +
                            " leaves the data directory (an absolute path or one that climbs out with \"..\"); "
                            "skipped");
      continue;
    }
    if (static_cast<int>(entries.size()) >= kMaxPuzzles) {
      if (leftOut++ == 0) firstLeftOut = token.line;
      continue;
    }
    entries.push_back({token.text, token.line});
  }
  if (leftOut > 0) {
    diagnostics.error(file, firstLeftOut,
                      "the list names more than " + std::to_string(kMaxPuzzles) + " puzzles; the " +
                          std::to_string(leftOut) + " from this line on are left out");
  }
  return entries;
}

// What the whole strip holds so far of the kinds it bounds.
struct StripCounts {
  int elements = 0;  // blocks and elements, the bridges aside
  int steamjets = 0;
  int movingBoxes = 0;
};

// Elements of one kind left out for a bound: reported once, at the first.
struct LeftOut {
  int count = 0;
  int firstLine = 0;
  std::string bound;  // "2000 blocks and elements per puzzle"
};

// Reads one puzzle file's elements into the world, placed at `offset`.
class PuzzleReader {
 public:
  PuzzleReader(TokenReader& reader, std::string file, int puzzle, double offset, Random& random,
               Diagnostics& diagnostics, std::ostream* debug, LoadedWorld& world, StripCounts& strip)
      : reader_(reader),
        file_(std::move(file)),
        puzzle_(puzzle),
        offset_(offset),
        random_(random),
        diagnostics_(diagnostics),
        debug_(debug),
        world_(world),
        strip_(strip) {}

  // The first token: the puzzle's width.
  double readWidth();
  // Elements up to the '&' (or the end of the file, which is reported).
  void readElements();

 private:
  struct PendingLink {
    std::string keyword;
    int line = 0;
    int targetId = 0;
  };

  Token take() { return takeToken(reader_, file_, diagnostics_); }
  // Reads an element's fields as numbers; false (reported) when the file ends
  // first. The field at index `ignored` may hold any text.
  template <std::size_t N>
  bool readFields(const Token& keyword, std::array<int, N>& values, std::size_t ignored = N);
  bool build(const Token& keyword);
  void noteUnknown(const Token& token);
  void reportUnknown();
  void reportUnresolvedLinks();
  // Whether the element of this keyword fits the bounds; one that does not is counted and left out.
  bool admit(const Token& kw);
  void reportLeftOut();

  void buildBlock(const Token& kw, const char* key, bool heavy, bool frozen, bool ignoredFirst);
  void buildMovingBox(const Token& kw);
  void buildRisingDoor(const Token& kw);
  void buildSteamjet(const Token& kw);
  void buildTrapDoor(const Token& kw);
  void buildButton(const Token& kw);
  void buildWaterWheel(const Token& kw);

  float worldX(int x) const { return static_cast<float>(static_cast<double>(x) + offset_); }
  float size(const Token& kw, const char* name, int value);
  // True for 0 and 1; any other value is reported, and the caller then calls neither operation.
  bool twoState(const Token& kw, const char* name, int value);
  void warn(const Token& kw, const std::string& message) {
    diagnostics_.warning(file_, kw.line, kw.text + " " + message);
  }

  SourceLine source(const Token& kw) const { return {file_, kw.line, kw.text, puzzle_, std::nullopt, std::nullopt}; }
  void addBlock(std::unique_ptr<MapElement> block, const Token& kw);
  void addElement(std::unique_ptr<PuzzleElement> element, SourceLine where);
  void registerElement(int id, PuzzleElement* element, int line);
  PuzzleElement* findTarget(const Token& kw, int targetId);
  // Gives a switch and its target the target's marker colour, a new one when it has none yet.
  void shareLinkColor(const Token& kw, PuzzleElement& target, PuzzleElement& switcher);

  TokenReader& reader_;
  std::string file_;
  int puzzle_;
  double offset_;
  Random& random_;
  Diagnostics& diagnostics_;
  std::ostream* debug_;
  LoadedWorld& world_;
  StripCounts& strip_;
  int built_ = 0;  // blocks and elements of this file
  LeftOut pastPuzzleBound_;
  LeftOut pastWorldBound_;
  LeftOut pastJetBound_;
  LeftOut pastBoxBound_;

  // The link table of this file: ids and elements, in file order.
  std::vector<int> elementIds_;
  std::vector<PuzzleElement*> linkable_;
  std::vector<int> idLines_;
  std::vector<PendingLink> unresolved_;
  int linkColors_ = 0;  // marker colours handed out in this file

  // A run of tokens that are no keyword, reported once.
  std::optional<Token> unknown_;
  int unknownFollowers_ = 0;
};

double PuzzleReader::readWidth() {
  Token token = take();
  int width = toInt(token.text);
  if (!token.overlong && !isPlainNumber(token.text)) {
    diagnostics_.warning(
        file_, token.line,
        "puzzle width " + inQuotes(token.text) + " is not a plain number; read as " + std::to_string(width));
  }
  return static_cast<double>(width);
}

void PuzzleReader::readElements() {
  while (true) {
    if (reader_.atEnd()) {
      reportUnknown();
      reportMissingEnd(reader_, file_, kMaxPuzzleFileBytes, diagnostics_);
      break;
    }
    if (reader_.peek() == '&') break;
    Token keyword = take();
    if (!build(keyword)) noteUnknown(keyword);
  }
  reportUnknown();
  reportUnresolvedLinks();
  reportLeftOut();
}

bool PuzzleReader::admit(const Token& kw) {
  auto leaveOut = [&](LeftOut& out, std::string bound) {
    if (out.count++ == 0) {
      out.firstLine = kw.line;
      out.bound = std::move(bound);
    }
    return false;
  };
  if (built_ >= kMaxElementsPerPuzzle) {
    return leaveOut(pastPuzzleBound_, std::to_string(kMaxElementsPerPuzzle) + " blocks and elements per puzzle");
  }
  if (strip_.elements >= kMaxWorldElements) {
    return leaveOut(pastWorldBound_, std::to_string(kMaxWorldElements) + " blocks and elements in the world");
  }
  if (kw.text == "STEAMJET") {
    if (strip_.steamjets >= kMaxSteamjets) {
      return leaveOut(pastJetBound_, std::to_string(kMaxSteamjets) + " steam jets in the world");
    }
    ++strip_.steamjets;
  } else if (kw.text == "MOVINGBOX") {
    if (strip_.movingBoxes >= kMaxMovingBoxes) {
      return leaveOut(pastBoxBound_, std::to_string(kMaxMovingBoxes) + " moving boxes in the world");
    }
    ++strip_.movingBoxes;
  }
  ++built_;
  ++strip_.elements;
  return true;
}

void PuzzleReader::reportLeftOut() {
  for (const LeftOut* out : {&pastPuzzleBound_, &pastWorldBound_, &pastJetBound_, &pastBoxBound_}) {
    if (out->count == 0) continue;
    diagnostics_.error(file_, out->firstLine,
                       "past the bound of " + out->bound + ": this element" +
                           (out->count > 1 ? " and the " + std::to_string(out->count - 1) + " after it are"
                                           : " is") +
                           " left out");
  }
}

template <std::size_t N>
bool PuzzleReader::readFields(const Token& keyword, std::array<int, N>& values, std::size_t ignored) {
  for (std::size_t i = 0; i < N; ++i) {
    if (reader_.atEnd()) {
      diagnostics_.error(file_, keyword.line,
                         keyword.text + ": the file ends after " + std::to_string(i) + " of its " + std::to_string(N) +
                             " fields; the element is not built");
      return false;
    }
    Token field = take();
    values[i] = toInt(field.text);
    if (i != ignored && !field.overlong && !isPlainNumber(field.text)) {
      diagnostics_.warning(file_, field.line,
                           keyword.text + " field " + inQuotes(field.text) + " is not a plain number; read as " +
                               std::to_string(values[i]));
    }
  }
  return true;
}

bool PuzzleReader::build(const Token& kw) {
  const std::string& k = kw.text;
  if (!isKeyword(k)) return false;
  reportUnknown();
  if (k == "BLOCK") {
    buildBlock(kw, "STONE", false, false, false);
  } else if (k == "ICEBLOCK") {
    buildBlock(kw, "STONE", false, true, false);
  } else if (k == "MOVINGBOX") {
    buildMovingBox(kw);
  } else if (k == "HEAVYBOX") {
    buildBlock(kw, "HEAVYBOX", true, false, true);
  } else if (k == "RISINGDOOR") {
    buildRisingDoor(kw);
  } else if (k == "STEAMJET") {
    buildSteamjet(kw);
  } else if (k == "TRAPDOOR") {
    buildTrapDoor(kw);
  } else if (k == "PRESSBUTTON") {
    buildButton(kw);
  } else {
    buildWaterWheel(kw);
  }
  return true;
}

void PuzzleReader::noteUnknown(const Token& token) {
  if (!token.terminated && isBlank(token.text)) return;  // white space before the end of the file
  // Numbers after an unknown word are its fields; another word starts a new report.
  if (unknown_ && isPlainNumber(token.text)) {
    ++unknownFollowers_;
    return;
  }
  reportUnknown();
  unknown_ = token;
  unknownFollowers_ = 0;
}

void PuzzleReader::reportUnknown() {
  if (!unknown_) return;
  const std::string& text = unknown_->text;
  std::string message = "unknown keyword " + inQuotes(text);
  std::string bare = trimmed(text);
  if (bare != text && isKeyword(bare)) {
    message +=
        " (no white space may stand around a keyword: every line after the first starts with the '|' "
        "that ends the line before)";
  } else if (isKeywordIgnoringCase(bare)) {
    message += " (keywords are upper case)";
  }
  if (unknownFollowers_ > 0) {
    message += "; it and the " + std::to_string(unknownFollowers_) + " token" + (unknownFollowers_ > 1 ? "s" : "") +
               " after it are skipped";
  } else {
    message += "; skipped";
  }
  diagnostics_.error(file_, unknown_->line, message);
  unknown_.reset();
  unknownFollowers_ = 0;
}

void PuzzleReader::reportUnresolvedLinks() {
  for (const PendingLink& link : unresolved_) {
    std::string message = link.keyword + " target id " + std::to_string(link.targetId) +
                          " is not registered earlier in this file; it switches nothing";
    for (std::size_t i = 0; i < elementIds_.size(); ++i) {
      if (elementIds_[i] == link.targetId && idLines_[i] > link.line) {
        message += " (id " + std::to_string(link.targetId) + " is registered later, on line " +
                   std::to_string(idLines_[i]) + ": a target must come before what switches it)";
        break;
      }
    }
    diagnostics_.error(file_, link.line, message);
  }
  unresolved_.clear();
}

float PuzzleReader::size(const Token& kw, const char* name, int value) {
  if (value >= 0) return static_cast<float>(value);
  warn(kw, std::string(name) + " " + std::to_string(value) + " is negative; its magnitude is used");
  return std::fabs(static_cast<float>(value));
}

bool PuzzleReader::twoState(const Token& kw, const char* name, int value) {
  if (value == 0 || value == 1) return true;
  warn(kw, std::string(name) + " " + std::to_string(value) +
               " is neither 0 nor 1; the element keeps the state it was built with");
  return false;
}

void PuzzleReader::addBlock(std::unique_ptr<MapElement> block, const Token& kw) {
  world_.mapElements.push_back(std::move(block));
  world_.blockSources.push_back(source(kw));
}

void PuzzleReader::addElement(std::unique_ptr<PuzzleElement> element, SourceLine where) {
  world_.puzzleElements.push_back(std::move(element));
  world_.elementSources.push_back(std::move(where));
}

void PuzzleReader::registerElement(int id, PuzzleElement* element, int line) {
  elementIds_.push_back(id);
  linkable_.push_back(element);
  idLines_.push_back(line);
}

PuzzleElement* PuzzleReader::findTarget(const Token& kw, int targetId) {
  for (std::size_t i = elementIds_.size(); i-- > 0;) {
    if (elementIds_[i] == targetId) return linkable_[i];
  }
  unresolved_.push_back({kw.text, kw.line, targetId});
  return nullptr;
}

void PuzzleReader::shareLinkColor(const Token& kw, PuzzleElement& target, PuzzleElement& switcher) {
  if (target.getLinkColor() == kNoLinkColor) {
    if (linkColors_ == kLinkColorCount) {
      warn(kw, "switches the " + std::to_string(kLinkColorCount + 1) +
                   "th target of this puzzle; its link marker colour repeats an earlier one");
    }
    target.setLinkColor(linkColors_++ % kLinkColorCount);
  }
  switcher.setLinkColor(target.getLinkColor());
}

// BLOCK, ICEBLOCK: x, y, height, width. HEAVYBOX: ignored, x, y, height, width.
void PuzzleReader::buildBlock(const Token& kw, const char* key, bool heavy, bool frozen, bool ignoredFirst) {
  std::array<int, 5> f{};
  if (ignoredFirst) {
    if (!readFields(kw, f, 0)) return;
  } else {
    std::array<int, 4> g{};
    if (!readFields(kw, g)) return;
    f = {0, g[0], g[1], g[2], g[3]};
  }
  if (!admit(kw)) return;
  auto block = std::make_unique<MapElement>(key, heavy, size(kw, "width", f[4]), size(kw, "height", f[3]));
  block->translate(worldX(f[1]), static_cast<float>(f[2]), 0);
  // Blocks never move: their bounds are right from here on, near the camera or not.
  block->updateBounds();
  if (frozen) block->setState(BlockState::Frozen);
  addBlock(std::move(block), kw);
}

// MOVINGBOX: id, x, y, height, width.
void PuzzleReader::buildMovingBox(const Token& kw) {
  std::array<int, 5> f{};
  if (!readFields(kw, f) || !admit(kw)) return;
  auto box = std::make_unique<MovingBlock>("RUSTYBOX", size(kw, "width", f[4]), size(kw, "height", f[3]));
  box->translate(worldX(f[1]), static_cast<float>(f[2]), 0);
  registerElement(f[0], box.get(), kw.line);
  SourceLine where = source(kw);
  where.id = f[0];
  addElement(std::move(box), where);
}

// RISINGDOOR: id, x, y, height, width, travelTime, holdTime, mode, initial.
void PuzzleReader::buildRisingDoor(const Token& kw) {
  std::array<int, 9> f{};
  if (!readFields(kw, f) || !admit(kw)) return;
  float travelTime = static_cast<float>(f[5]);
  if (f[5] <= 0) {
    warn(kw, "travelTime " + std::to_string(f[5]) + " is not positive; 1 s is used");
    travelTime = 1;
  }
  int mode = f[7];
  if (mode != 0 && mode != 1) {
    warn(kw, "mode " + std::to_string(mode) + " is neither 0 (Active) nor 1 (Toggle); 1 (Toggle) is used");
    mode = 1;
  }
  if (debug_) *debug_ << (mode == 0 ? "Type: Active" : "Type: Toggle") << '\n';
  auto door = std::make_unique<RisingDoor>("RISINGDOOR", size(kw, "width", f[4]), size(kw, "height", f[3]), travelTime,
                                           static_cast<float>(f[6]), static_cast<DoorMode>(mode), nullptr);
  door->translate(worldX(f[1]), static_cast<float>(f[2]) + kRisingDoorLift, 0);
  if (twoState(kw, "initial", f[8])) {
    if (f[8] == 0) {
      door->activate();
    } else {
      door->deactivate();
    }
  }
  registerElement(f[0], door.get(), kw.line);
  SourceLine where = source(kw);
  where.id = f[0];
  addElement(std::move(door), where);
}

// STEAMJET: id, x, y, height, width, areaHeight, areaWidth, on.
void PuzzleReader::buildSteamjet(const Token& kw) {
  std::array<int, 8> f{};
  if (!readFields(kw, f) || !admit(kw)) return;
  auto area = [&](const char* name, int value) {
    if (value < 0) {
      warn(kw, std::string(name) + " " + std::to_string(value) + " is negative; 0 is used");
      return 0.0f;
    }
    if (value > kMaxSteamArea) {
      warn(kw, std::string(name) + " " + std::to_string(value) + " is above " + std::to_string(kMaxSteamArea) + "; " +
                   std::to_string(kMaxSteamArea) + " is used");
      return static_cast<float>(kMaxSteamArea);
    }
    return static_cast<float>(value);
  };
  float areaHeight = area("areaHeight", f[5]);
  float areaWidth = area("areaWidth", f[6]);
  auto jet = std::make_unique<Steamjet>("STONE2", size(kw, "width", f[4]), size(kw, "height", f[3]), areaWidth,
                                        areaHeight, kSteamLift, random_);
  jet->translate(worldX(f[1]), static_cast<float>(f[2]) - kSteamjetDrop, 0);
  if (twoState(kw, "on", f[7])) {
    if (f[7] == 1) {
      jet->activate();
    } else {
      jet->deactivate();
    }
  }
  registerElement(f[0], jet.get(), kw.line);
  SourceLine where = source(kw);
  where.id = f[0];
  addElement(std::move(jet), where);
}

// TRAPDOOR: id, x, y, thickness, size, facing, initial.
void PuzzleReader::buildTrapDoor(const Token& kw) {
  std::array<int, 7> f{};
  if (!readFields(kw, f) || !admit(kw)) return;
  float lid = size(kw, "size", f[4]);
  float thickness = size(kw, "thickness", f[3]);
  auto door = std::make_unique<TrapDoor>("TRAPDOOR", lid, thickness, static_cast<float>(f[5]));
  if (twoState(kw, "initial", f[6])) {
    if (f[6] == 0) {
      door->activate();
    } else {
      door->deactivate();
    }
  }
  door->setRows(3);
  door->setColumns(13);
  door->setFrameCount(2, 1);
  door->setFrameCount(0, 1);
  door->setFrameCount(1, 13);
  door->translate(worldX(f[1]), static_cast<float>(f[2]) - kTrapDoorDrop, 0);
  registerElement(f[0], door.get(), kw.line);
  SourceLine where = source(kw);
  where.id = f[0];
  addElement(std::move(door), where);
}

// PRESSBUTTON: ignored, x, y, width, height, momentary, targetId.
void PuzzleReader::buildButton(const Token& kw) {
  std::array<int, 7> f{};
  if (!readFields(kw, f, 0) || !admit(kw)) return;
  bool momentary = f[5] == 1;
  if (f[5] != 0 && f[5] != 1) {
    warn(kw, "momentary " + std::to_string(f[5]) + " is neither 0 nor 1; 0 (stays down) is used");
  }
  PuzzleElement* target = findTarget(kw, f[6]);
  auto button =
      std::make_unique<Btn>("BUTTONART", size(kw, "width", f[3]), size(kw, "height", f[4]), momentary, nullptr, target);
  button->translate(worldX(f[1]), static_cast<float>(f[2]) - kButtonDrop, 0);
  if (target) {
    target->setController(button.get());
    shareLinkColor(kw, *target, *button);
  }
  SourceLine where = source(kw);
  where.targetId = f[6];
  addElement(std::move(button), where);
}

// WATERWHEEL: ignored, x, y, width, height, targetId, spinDownTime.
void PuzzleReader::buildWaterWheel(const Token& kw) {
  std::array<int, 7> f{};
  if (!readFields(kw, f, 0) || !admit(kw)) return;
  float spinDownTime = static_cast<float>(f[6]);
  // 0 is well defined (the wheel stops in the update after the water does);
  // a negative time would make the spin grow while coasting.
  if (f[6] < 0) {
    warn(kw, "spinDownTime " + std::to_string(f[6]) + " is negative; 1 s is used");
    spinDownTime = 1;
  }
  PuzzleElement* target = findTarget(kw, f[5]);
  auto wheel = std::make_unique<WaterWheel>("WATERWHEEL", size(kw, "width", f[3]), size(kw, "height", f[4]), target,
                                            spinDownTime);
  wheel->translate(worldX(f[1]), static_cast<float>(f[2]), 0);
  if (target) {
    target->setController(wheel.get());
    shareLinkColor(kw, *target, *wheel);
  }
  SourceLine where = source(kw);
  where.targetId = f[5];
  addElement(std::move(wheel), where);
}

// The four stone blocks that join a puzzle to the next, from world x `at`.
void addBridge(LoadedWorld& world, double at, const std::string& file, int puzzle) {
  for (int i = 0; i < kBridgeBlocks; ++i) {
    auto block = std::make_unique<MapElement>("STONE", false, kBridgeBlockSize, kBridgeBlockSize);
    block->translate(static_cast<float>(at + i * static_cast<double>(kBridgeBlockSize)), 0, 0);
    block->updateBounds();
    world.mapElements.push_back(std::move(block));
    world.blockSources.push_back({file, 0, "bridge", puzzle, std::nullopt, std::nullopt});
  }
}

// The listed puzzle file, or nullopt (reported) when it cannot be a puzzle.
std::optional<TokenReader> openPuzzle(const std::filesystem::path& dataDir, const ListEntry& entry,
                                      Diagnostics& diagnostics) {
  OpenedFile opened = openTextFile(dataDir / filePath(entry.name), kMaxPuzzleFileBytes);
  if (!opened.reader) {
    diagnostics.error(kPuzzleListFile, entry.line,
                      "cannot read puzzle file " + inQuotes(entry.name) + ": " + opened.problem +
                          "; the puzzle is left out");
    return std::nullopt;
  }
  if (opened.reader->atEnd()) {
    diagnostics.error(entry.name, 0, "the puzzle file is empty; the puzzle is left out");
    return std::nullopt;
  }
  return std::move(opened.reader);
}

// Lays puzzles side by side, one at a time, into one world strip.
class StripBuilder {
 public:
  StripBuilder(Random& random, Diagnostics& diagnostics, std::ostream* debug)
      : random_(random), diagnostics_(diagnostics), debug_(debug) {}

  void add(TokenReader& file, const std::string& name) {
    if (count_ > 0) {
      // The bridge from the puzzle before, now that another one follows.
      addBridge(world_, offset_, world_.puzzles.back().file, count_ - 1);
      offset_ += kBridgeLength;
    }
    PuzzleReader reader(file, name, count_, offset_, random_, diagnostics_, debug_, world_, strip_);
    double width = reader.readWidth();
    levelWidth_ += width + kBridgeLength;
    world_.puzzles.push_back({name, static_cast<float>(width), static_cast<float>(offset_)});
    reader.readElements();
    offset_ += width;
    ++count_;
  }

  LoadedWorld finish() {
    if (count_ > 0) levelWidth_ -= 2 * kBridgeLength;
    world_.levelWidth = static_cast<float>(levelWidth_);
    world_.winLine = Font{"You Win!!", truncatedInt(levelWidth_ - 1000), 100, 40};
    world_.puzzleCount = count_;
    return std::move(world_);
  }

 private:
  Random& random_;
  Diagnostics& diagnostics_;
  std::ostream* debug_;
  LoadedWorld world_;
  StripCounts strip_;
  double offset_ = kFirstOffset;
  double levelWidth_ = 0;
  int count_ = 0;
};

}  // namespace

LoadedWorld loadPuzzles(const std::filesystem::path& dataDir, Random& random, Diagnostics& diagnostics,
                        std::ostream* debug) {
  StripBuilder strip(random, diagnostics, debug);
  // One file at a time: each is read, built and let go before the next.
  for (const ListEntry& entry : readPuzzleList(dataDir, diagnostics)) {
    std::optional<TokenReader> file = openPuzzle(dataDir, entry, diagnostics);
    if (file) strip.add(*file, entry.name);
  }
  return strip.finish();
}

LoadedWorld loadPuzzleText(const std::string& name, std::string text, Random& random, Diagnostics& diagnostics,
                           std::ostream* debug) {
  StripBuilder strip(random, diagnostics, debug);
  TokenReader reader(std::move(text));
  if (reader.atEnd()) {
    diagnostics.error(name, 0, "the puzzle file is empty; the puzzle is left out");
  } else {
    strip.add(reader, name);
  }
  return strip.finish();
}

}  // namespace vw
