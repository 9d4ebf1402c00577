#include "render/TextureRegistry.h"

#include <stb_image.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

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

struct StbFree {
  void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

}  // namespace

struct TextureRegistry::Picture {
  Picture(std::string k, std::string p) : key(std::move(k)), path(std::move(p)) {}

  std::string key;
  std::string path;  // as the list gives it
  int width = 0;
  int height = 0;
  bool readable = false;
  std::unique_ptr<stbi_uc, StbFree> pixels;  // when the context wants them
  std::string failure;                       // why it is not readable
};

TextureRegistry::TextureRegistry(RenderContext& context, std::filesystem::path dataDir)
    : context_(context), dataDir_(std::move(dataDir)) {
  std::vector<std::uint8_t> checks = checkerPixels(64, 8);
  placeholder_ = context_.createTexture(64, 64, context_.wantsPixels() ? checks.data() : nullptr);
}

TextureRegistry::~TextureRegistry() {
  for (std::thread& worker : workers_) worker.join();
}

TextureRegistry::Picture TextureRegistry::decode(const std::string& key, const std::string& path) const {
  Picture picture(key, path);
  const std::string file = (dataDir_ / filePath(path)).string();
  int channels = 0;
  if (context_.wantsPixels()) {
    picture.pixels.reset(stbi_load(file.c_str(), &picture.width, &picture.height, &channels, 4));
    picture.readable = picture.pixels != nullptr;
  } else {
    picture.readable = stbi_info(file.c_str(), &picture.width, &picture.height, &channels) != 0;
  }
  if (!picture.readable) {
    // stb keeps the reason per thread: read it on the thread that decoded.
    const char* reason = stbi_failure_reason();
    picture.failure = reason ? reason : "unreadable";
  }
  return picture;
}

void TextureRegistry::install(Picture& picture, Diagnostics& diagnostics) {
  if (has(picture.key)) return;
  if (picture.readable) {
    textures_[picture.key] = context_.createTexture(picture.width, picture.height, picture.pixels.get());
    return;
  }
  diagnostics.warning(picture.path, 0, "cannot load picture for \"" + picture.key + "\" (" + picture.failure +
                                           "); using a placeholder");
  textures_[picture.key] = placeholder_;
}

void TextureRegistry::load(const std::string& key, const std::string& path, Diagnostics& diagnostics) {
  if (has(key)) return;
  Picture picture = decode(key, path);
  install(picture, diagnostics);
}

TextureId TextureRegistry::get(std::string_view key) const {
  auto it = textures_.find(key);
  return it == textures_.end() ? placeholder_ : it->second;
}

void TextureRegistry::loadTextureList(const std::string& listPath, Diagnostics& diagnostics,
                                      const std::vector<std::string_view>& firstKeys) {
  finishLoading(diagnostics);
  std::optional<TokenReader> reader = TokenReader::open(dataDir_ / filePath(listPath));
  if (!reader) {
    diagnostics.error(listPath, 0, "cannot open the texture list");
    return;
  }
  // Read every record first; a problem ends the list, and is reported after
  // the pictures before it, as if they had been loaded one by one.
  std::vector<Picture> pictures;
  std::optional<Diagnostic> listProblem;
  for (int record = 1; reader->peek() != '&'; ++record) {
    const int line = reader->line();
    const std::string where = "record " + std::to_string(record);
    if (reader->atEnd()) {
      listProblem = Diagnostic{Severity::Error, listPath, line, "the file ends before its '&' (at " + where + ")"};
      break;
    }
    Token path = reader->next();
    Token key = reader->next();
    if (!path.terminated || !key.terminated) {
      listProblem = Diagnostic{Severity::Error, listPath, line,
                               "the file ends inside " + where + " (no closing '|' or '&')"};
      break;
    }
    if (path.overlong || key.overlong) {
      listProblem = Diagnostic{Severity::Error, listPath, line, where + " has a field longer than 49 characters"};
      break;
    }
    if (key.text.empty()) {
      listProblem = Diagnostic{Severity::Error, listPath, line, where + " has no key"};
      break;
    }
    key.text.pop_back();  // the line break that ends the record
    pictures.emplace_back(std::move(key.text), std::move(path.text));
  }

  // The first frame's pictures are decoded here while the workers take the
  // rest; without pixels to decode (headless) everything is quick and done now.
  const bool deferRest = context_.wantsPixels() && !firstKeys.empty();
  std::vector<Picture> now;
  for (Picture& picture : pictures) {
    const bool first = std::find(firstKeys.begin(), firstKeys.end(), picture.key) != firstKeys.end();
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
      if (has(picture.key)) continue;
      picture = decode(picture.key, picture.path);
      install(picture, diagnostics);
    }
  }
  if (listProblem) diagnostics.error(listProblem->file, listProblem->line, listProblem->message);
}

void TextureRegistry::startDecoding() {
  // A key listed twice keeps its first picture, so only first mentions are decoded.
  decodeOrder_.clear();
  std::vector<std::uintmax_t> sizes(pending_.size(), 0);
  for (std::size_t i = 0; i < pending_.size(); ++i) {
    const auto begin = pending_.begin();
    const auto here = begin + static_cast<std::ptrdiff_t>(i);
    if (has(pending_[i].key) || std::find_if(begin, here, [&](const Picture& p) { return p.key == here->key; }) != here) {
      continue;
    }
    decodeOrder_.push_back(i);
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(dataDir_ / filePath(pending_[i].path), ec);
    sizes[i] = ec ? 0 : size;
  }
  // The biggest files first, so the cores finish together.
  std::stable_sort(decodeOrder_.begin(), decodeOrder_.end(),
                   [&](std::size_t a, std::size_t b) { return sizes[a] > sizes[b]; });
  nextToDecode_ = 0;
  auto work = [this] {
    for (std::size_t n = nextToDecode_++; n < decodeOrder_.size(); n = nextToDecode_++) {
      Picture& picture = pending_[decodeOrder_[n]];
      picture = decode(picture.key, picture.path);
    }
  };
  // Reading headers only (no pixels wanted) is quick: no threads for that.
  if (!context_.wantsPixels()) {
    work();
    return;
  }
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
