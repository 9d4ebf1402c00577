#include "render/TextureRegistry.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <set>
#include <thread>
#include <vector>

#include "app/RunFile.h"
#include "render/PngImage.h"
#include "world/TokenReader.h"

namespace vw {

namespace {

std::vector<std::uint8_t> checkerPixels(int size, int square) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size) * size * 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      bool magenta = ((x / square) + (y / square)) % 2 == 0;
      std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * size + x) * 4];
      p[0] = magenta ? 255 : 0;
      p[1] = 0;
      p[2] = magenta ? 255 : 0;
      p[3] = 255;
    }
  }
  return pixels;
}

constexpr const char* kNoFile = "(no file)";

// Where a list path points, for telling whether two records name one file.
std::string sameFileKey(const std::string& path) { return filePath(path).lexically_normal().string(); }

}  // namespace

struct TextureRegistry::Picture {
  Picture(std::string k, std::string p) : key(std::move(k)), path(std::move(p)) {}

  std::string key;
  std::string path;                  // as the list gives it
  std::vector<std::string> aliases;  // later keys whose records name the same file
  PictureSize size;
  bool readable = false;
  PixelBuffer pixels;   // when the context wants them
  std::string failure;  // why it is not readable
};

TextureRegistry::TextureRegistry(RenderContext& context, std::filesystem::path dataDir)
    : context_(context), dataDir_(std::move(dataDir)) {
  std::vector<std::uint8_t> checks = checkerPixels(64, 8);
  placeholder_ = context_.createTexture(64, 64, context_.wantsPixels() ? checks.data() : nullptr);
}

TextureRegistry::~TextureRegistry() {
  for (std::thread& worker : workers_) worker.join();
  // Keys that share a file share its texture: free each once.
  std::set<TextureId> made{placeholder_};
  for (const auto& entry : textures_) made.insert(entry.second);
  for (TextureId texture : made) context_.destroyTexture(texture);
}

void TextureRegistry::inspect(Picture& picture) {
  const std::filesystem::path relative = filePath(picture.path);
  if (picture.path.empty()) {
    picture.failure = "the record names no file";
    return;
  }
  if (!staysInside(relative)) {
    picture.failure = "the path leaves the data directory";
    return;
  }
  std::string why;
  std::optional<RunFile> head = readRunFile(dataDir_ / relative, kPngHeaderBytes, why);
  std::optional<PictureSize> size;
  if (head) size = readPngSize(head->bytes, why);
  if (size && (size->pixels() > kMaxPicturePixels || size->width > kMaxPictureSide || size->height > kMaxPictureSide)) {
    why = "the picture is " + std::to_string(size->width) + " x " + std::to_string(size->height) +
          " pixels, more than the " + std::to_string(kMaxPicturePixels) + " (at most " +
          std::to_string(kMaxPictureSide) + " a side) one picture may have";
    size.reset();
  } else if (size && pixelsTaken_ + size->pixels() > kMaxTotalPicturePixels) {
    why = "the pictures before it already take most of the " + std::to_string(kMaxTotalPicturePixels) +
          " pixels all pictures together may have";
    size.reset();
  }
  if (!size) {
    picture.failure = why;
    return;
  }
  pixelsTaken_ += size->pixels();
  picture.size = *size;
  picture.readable = true;
}

void TextureRegistry::decode(Picture& picture) const {
  if (!picture.readable || !context_.wantsPixels()) return;
  std::string why;
  std::optional<std::string> bytes = readWholeRunFile(dataDir_ / filePath(picture.path), kMaxPictureFileBytes, why);
  std::optional<RgbaPicture> decoded;
  // No more pixels than the header promised when the budget was taken.
  if (bytes) decoded = decodePng(*bytes, picture.size.pixels(), why);
  if (!decoded) {
    picture.readable = false;
    picture.failure = why;
    return;
  }
  picture.size = decoded->size;
  picture.pixels = std::move(decoded->pixels);
}

void TextureRegistry::install(Picture& picture, Diagnostics& diagnostics) {
  if (has(picture.key)) return;
  TextureId texture = 0;
  if (picture.readable) {
    texture = context_.createTexture(picture.size.width, picture.size.height, picture.pixels.get());
    if (texture == 0) picture.failure = "it does not fit in a texture of this graphics device";
    picture.pixels.reset();
  }
  if (texture == 0) texture = placeholder_;
  std::vector<std::string> keys{picture.key};
  keys.insert(keys.end(), picture.aliases.begin(), picture.aliases.end());
  for (const std::string& key : keys) {
    if (has(key)) continue;
    if (texture == placeholder_) {
      diagnostics.warning(picture.path.empty() ? kNoFile : picture.path, 0, "cannot load picture for \"" + shownText(key) + "\" (" + picture.failure +
                                               "); using a placeholder");
    }
    textures_[key] = texture;
  }
}

void TextureRegistry::load(const std::string& key, const std::string& path, Diagnostics& diagnostics) {
  if (has(key)) return;
  Picture picture(key, path);
  inspect(picture);
  decode(picture);
  install(picture, diagnostics);
}

TextureId TextureRegistry::get(std::string_view key) const {
  auto it = textures_.find(key);
  return it == textures_.end() ? placeholder_ : it->second;
}

bool TextureRegistry::awaitsDecoding(std::string_view key) const {
  return std::any_of(pending_.begin(), pending_.end(), [&](const Picture& picture) {
    return picture.key == key || std::find(picture.aliases.begin(), picture.aliases.end(), key) != picture.aliases.end();
  });
}

void TextureRegistry::reportMissing(const std::vector<std::string_view>& drawn, const std::string& listPath,
                                    Diagnostics& diagnostics) const {
  std::vector<std::string_view> reported;
  for (std::string_view key : drawn) {
    if (has(key) || awaitsDecoding(key) || std::find(reported.begin(), reported.end(), key) != reported.end()) continue;
    reported.push_back(key);
    diagnostics.warning(listPath, 0, "no record for the key \"" + std::string(key) + "\"; it is drawn as a placeholder");
  }
}

void TextureRegistry::loadTextureList(const std::string& listPath, Diagnostics& diagnostics,
                                      const std::vector<std::string_view>& firstKeys) {
  finishLoading(diagnostics);
  std::string problem;
  std::optional<RunFile> file = readRunFile(dataDir_ / filePath(listPath), kMaxListFileBytes, problem);
  if (!file) {
    diagnostics.error(listPath, 0, "cannot read the texture list: " + problem);
    return;
  }
  TokenReader reader(std::move(file->bytes), file->cut);
  // Read every record first; a problem that leaves the rest unreadable ends
  // the list, and is reported after the pictures before it, as if they had
  // been loaded one by one. A record without a key is skipped alone.
  std::vector<Picture> pictures;
  std::vector<Diagnostic> listProblems;
  auto problemAt = [&](int line, std::string message) {
    listProblems.push_back({Severity::Error, listPath, line, std::move(message)});
  };
  for (int record = 1; reader.peek() != '&'; ++record) {
    const int line = reader.line();
    const std::string where = "record " + std::to_string(record);
    if (reader.atEnd()) {
      problemAt(line, reader.cut() ? "no '&' within the first " + byteCount(kMaxListFileBytes) + " of the file"
                                   : "the file ends before its '&' (at " + where + ")");
      break;
    }
    Token path = reader.next();
    Token key = reader.next();
    if (!path.terminated || !key.terminated) {
      problemAt(line, "the file ends inside " + where + " (no closing '|' or '&')");
      break;
    }
    if (path.overlong || key.overlong) {
      problemAt(line, where + " has a field longer than 49 characters");
      break;
    }
    if (!key.text.empty()) key.text.pop_back();  // the line break that ends the record
    if (key.text.empty()) {
      problemAt(line, where + " has no key; it is skipped");
      continue;
    }
    pictures.emplace_back(std::move(key.text), std::move(path.text));
  }
  std::vector<Picture> unique = firstMentions(std::move(pictures));

  // The first frame's pictures are decoded here while the workers take the
  // rest; without pixels to decode (headless) everything is quick and done now.
  const bool deferRest = context_.wantsPixels() && !firstKeys.empty();
  std::vector<Picture> now;
  for (Picture& picture : unique) {
    inspect(picture);
    bool first = false;
    for (std::string_view k : firstKeys) {
      first = first || k == picture.key || std::find(picture.aliases.begin(), picture.aliases.end(), k) != picture.aliases.end();
    }
    if (deferRest && !first) {
      pending_.push_back(std::move(picture));
    } else {
      now.push_back(std::move(picture));
    }
  }
  if (!deferRest) {
    pending_ = std::move(now);
    startDecoding();
    finishLoading(diagnostics);
  } else {
    startDecoding();
    for (Picture& picture : now) {
      decode(picture);
      install(picture, diagnostics);
    }
  }
  for (const Diagnostic& d : listProblems) diagnostics.error(d.file, d.line, d.message);
}

std::vector<TextureRegistry::Picture> TextureRegistry::firstMentions(std::vector<Picture> records) const {
  std::vector<Picture> unique;
  std::unordered_map<std::string, std::size_t> byFile;
  std::unordered_map<std::string, bool> keys;
  for (Picture& record : records) {
    // A key listed twice keeps its first picture.
    if (has(record.key) || !keys.emplace(record.key, true).second) continue;
    auto [at, added] = byFile.emplace(sameFileKey(record.path), unique.size());
    if (added) {
      unique.push_back(std::move(record));
    } else {
      unique[at->second].aliases.push_back(std::move(record.key));
    }
  }
  return unique;
}

void TextureRegistry::startDecoding() {
  decodeOrder_.clear();
  std::vector<std::uint64_t> sizes(pending_.size(), 0);
  for (std::size_t i = 0; i < pending_.size(); ++i) {
    if (!pending_[i].readable) continue;
    decodeOrder_.push_back(i);
    sizes[i] = pending_[i].size.pixels();
  }
  // The biggest pictures first, so the cores finish together.
  std::stable_sort(decodeOrder_.begin(), decodeOrder_.end(),
                   [&](std::size_t a, std::size_t b) { return sizes[a] > sizes[b]; });
  nextToDecode_ = 0;
  auto work = [this] {
    for (std::size_t n = nextToDecode_++; n < decodeOrder_.size(); n = nextToDecode_++) decode(pending_[decodeOrder_[n]]);
  };
  // Reading headers only (no pixels wanted) is done already: no threads for that.
  if (!context_.wantsPixels()) return;
  // One core stays with the calling thread, which goes on starting the game.
  const unsigned helpers = std::max(2u, std::thread::hardware_concurrency()) - 1;
  for (unsigned i = 0; i < helpers && i < decodeOrder_.size(); ++i) workers_.emplace_back(work);
}

void TextureRegistry::finishLoading(Diagnostics& diagnostics) {
  for (std::thread& worker : workers_) worker.join();
  workers_.clear();
  for (Picture& picture : pending_) install(picture, diagnostics);
  pending_.clear();
  decodeOrder_.clear();
}

}  // namespace vw
