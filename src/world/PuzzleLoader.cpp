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

// A token as it can be shown in a one-line message.
std::string shown(std::string_view text) {
  std::string out;
  for (char ch : text) {
    auto c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c < 0x20 || c == 0x7f) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02X", c);
      out += code;
    } else {
      out.push_back(ch);
    }
  }
  return out;
}

std::string inQuotes(std::string_view text) { return "\"" + shown(text) + "\""; }

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

OpenedFile openTextFile(const std::filesystem::path& path) {
  std::error_code ec;
  std::filesystem::file_status status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return {std::nullopt, "the file does not exist"};
  if (ec) return {std::nullopt, "the file cannot be read (" + ec.message() + ")"};
  // Directories, devices and pipes would never end or never answer.
  if (!std::filesystem::is_regular_file(status)) return {std::nullopt, "it is not a regular file"};
  std::ifstream in(path, std::ios::binary);
  if (!in) return {std::nullopt, "the file cannot be opened"};
  // Read in pieces up to the limit: some files do not know their size.
  std::string text;
  std::array<char, 1 << 16> piece{};
  while (in) {
    in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    text.append(piece.data(), static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxPuzzleFileBytes) return {std::nullopt, "the file is larger than 4 MiB"};
  }
  if (in.bad()) return {std::nullopt, "the file cannot be read"};
  return {TokenReader(std::move(text)), ""};
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
  OpenedFile opened = openTextFile(dataDir / filePath(file));
  if (!opened.reader) {
    diagnostics.error(file, 0, "cannot read the puzzle list: " + opened.problem);
    return {};
  }
  TokenReader& reader = *opened.reader;
  std::vector<ListEntry> entries;
  while (true) {
    if (reader.atEnd()) {
      diagnostics.warning(file, reader.line(), "the file ends before its '&'");
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
    entries.push_back({token.text, token.line});
  }
  return entries;
}

// Reads one puzzle file's elements into the world, placed at `offset`.
class PuzzleReader {
 public:
  PuzzleReader(TokenReader& reader, std::string file, int puzzle, double offset, Random& random,
               Diagnostics& diagnostics, std::ostream* debug, LoadedWorld& world)
      : reader_(reader),
        file_(std::move(file)),
        puzzle_(puzzle),
        offset_(offset),
        random_(random),
        diagnostics_(diagnostics),
        debug_(debug),
        world_(world) {}

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

  TokenReader& reader_;
  std::string file_;
  int puzzle_;
  double offset_;
  Random& random_;
  Diagnostics& diagnostics_;
  std::ostream* debug_;
  LoadedWorld& world_;

  // The link table of this file: ids and elements, in file order.
  std::vector<int> elementIds_;
  std::vector<PuzzleElement*> linkable_;
  std::vector<int> idLines_;
  std::vector<PendingLink> unresolved_;

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
      diagnostics_.warning(file_, reader_.line(), "the file ends before its '&'");
      break;
    }
    if (reader_.peek() == '&') break;
    Token keyword = take();
    if (!build(keyword)) noteUnknown(keyword);
  }
  reportUnknown();
  reportUnresolvedLinks();
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
  if (!readFields(kw, f)) return;
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
  if (!readFields(kw, f)) return;
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
  if (!readFields(kw, f)) return;
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
  if (!readFields(kw, f)) return;
  float lid = size(kw, "size", f[4]);
  float thickness = size(kw, "thickness", f[3]);
  if (thickness == 0) {
    warn(kw, "thickness 0 leaves no lid; 1 is used");
    thickness = 1;
  }
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
  if (!readFields(kw, f, 0)) return;
  bool momentary = f[5] == 1;
  if (f[5] != 0 && f[5] != 1) {
    warn(kw, "momentary " + std::to_string(f[5]) + " is neither 0 nor 1; 0 (stays down) is used");
  }
  PuzzleElement* target = findTarget(kw, f[6]);
  auto button =
      std::make_unique<Btn>("BUTTONART", size(kw, "width", f[3]), size(kw, "height", f[4]), momentary, nullptr, target);
  button->translate(worldX(f[1]), static_cast<float>(f[2]) - kButtonDrop, 0);
  if (target) target->setController(button.get());
  SourceLine where = source(kw);
  where.targetId = f[6];
  addElement(std::move(button), where);
}

// WATERWHEEL: ignored, x, y, width, height, targetId, spinDownTime.
void PuzzleReader::buildWaterWheel(const Token& kw) {
  std::array<int, 7> f{};
  if (!readFields(kw, f, 0)) return;
  float spinDownTime = static_cast<float>(f[6]);
  if (f[6] <= 0) {
    warn(kw, "spinDownTime " + std::to_string(f[6]) + " is not positive; 1 s is used");
    spinDownTime = 1;
  }
  PuzzleElement* target = findTarget(kw, f[5]);
  auto wheel = std::make_unique<WaterWheel>("WATERWHEEL", size(kw, "width", f[3]), size(kw, "height", f[4]), target,
                                            spinDownTime);
  wheel->translate(worldX(f[1]), static_cast<float>(f[2]), 0);
  if (target) target->setController(wheel.get());
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

struct OpenPuzzle {
  ListEntry entry;
  TokenReader reader;
};

// Every listed puzzle that can be read; the others are reported and left out.
std::vector<OpenPuzzle> openPuzzles(const std::filesystem::path& dataDir, const std::vector<ListEntry>& entries,
                                    Diagnostics& diagnostics) {
  std::vector<OpenPuzzle> puzzles;
  for (const ListEntry& entry : entries) {
    OpenedFile opened = openTextFile(dataDir / filePath(entry.name));
    if (!opened.reader) {
      diagnostics.error(
          kPuzzleListFile, entry.line,
          "cannot read puzzle file " + inQuotes(entry.name) + ": " + opened.problem + "; the puzzle is left out");
      continue;
    }
    if (opened.reader->atEnd()) {
      diagnostics.error(entry.name, 0, "the puzzle file is empty; the puzzle is left out");
      continue;
    }
    puzzles.push_back({entry, std::move(*opened.reader)});
  }
  return puzzles;
}

// Lays the readable puzzles side by side into one world strip.
LoadedWorld buildStrip(std::vector<OpenPuzzle>& puzzles, Random& random, Diagnostics& diagnostics,
                       std::ostream* debug) {
  LoadedWorld world;
  double offset = kFirstOffset;
  double levelWidth = 0;
  const int count = static_cast<int>(puzzles.size());
  for (int i = 0; i < count; ++i) {
    const std::string& file = puzzles[i].entry.name;
    PuzzleReader reader(puzzles[i].reader, file, i, offset, random, diagnostics, debug, world);
    double width = reader.readWidth();
    levelWidth += width + kBridgeLength;
    world.puzzles.push_back({file, static_cast<float>(width), static_cast<float>(offset)});
    reader.readElements();
    offset += width;
    if (i + 1 < count) {
      addBridge(world, offset, file, i);
      offset += kBridgeLength;
    }
  }
  if (count > 0) levelWidth -= 2 * kBridgeLength;
  world.levelWidth = static_cast<float>(levelWidth);
  world.winLine = Font{"You Win!!", truncatedInt(levelWidth - 1000), 100, 40};
  world.puzzleCount = count;
  return world;
}

}  // namespace

LoadedWorld loadPuzzles(const std::filesystem::path& dataDir, Random& random, Diagnostics& diagnostics,
                        std::ostream* debug) {
  std::vector<OpenPuzzle> puzzles = openPuzzles(dataDir, readPuzzleList(dataDir, diagnostics), diagnostics);
  return buildStrip(puzzles, random, diagnostics, debug);
}

LoadedWorld loadPuzzleText(const std::string& name, std::string text, Random& random, Diagnostics& diagnostics,
                           std::ostream* debug) {
  std::vector<OpenPuzzle> puzzles;
  TokenReader reader(std::move(text));
  if (reader.atEnd()) {
    diagnostics.error(name, 0, "the puzzle file is empty; the puzzle is left out");
  } else {
    puzzles.push_back({ListEntry{name, 0}, std::move(reader)});
  }
  return buildStrip(puzzles, random, diagnostics, debug);
}

}  // namespace vw
