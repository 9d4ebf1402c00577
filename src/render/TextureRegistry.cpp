#include "render/TextureRegistry.h"

#include <stb_image.h>

#include <cstdint>
#include <memory>
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

TextureRegistry::TextureRegistry(RenderContext& context, std::filesystem::path dataDir)
    : context_(context), dataDir_(std::move(dataDir)) {
  std::vector<std::uint8_t> checks = checkerPixels(64, 8);
  placeholder_ = context_.createTexture(64, 64, context_.wantsPixels() ? checks.data() : nullptr);
}

void TextureRegistry::load(const std::string& key, const std::string& path, Diagnostics& diagnostics) {
  if (has(key)) return;
  std::string file = (dataDir_ / filePath(path)).string();
  int width = 0, height = 0, channels = 0;
  if (context_.wantsPixels()) {
    std::unique_ptr<stbi_uc, StbFree> pixels(stbi_load(file.c_str(), &width, &height, &channels, 4));
    if (pixels) {
      textures_[key] = context_.createTexture(width, height, pixels.get());
      return;
    }
  } else if (stbi_info(file.c_str(), &width, &height, &channels)) {
    textures_[key] = context_.createTexture(width, height, nullptr);
    return;
  }
  const char* reason = stbi_failure_reason();
  diagnostics.warning(path, 0, std::string("cannot load picture for \"") + key + "\" (" +
                                   (reason ? reason : "unreadable") + "); using a placeholder");
  textures_[key] = placeholder_;
}

TextureId TextureRegistry::get(std::string_view key) const {
  auto it = textures_.find(key);
  return it == textures_.end() ? placeholder_ : it->second;
}

void TextureRegistry::loadTextureList(const std::string& listPath, Diagnostics& diagnostics) {
  std::optional<TokenReader> reader = TokenReader::open(dataDir_ / filePath(listPath));
  if (!reader) {
    diagnostics.error(listPath, 0, "cannot open the texture list");
    return;
  }
  for (int record = 1; reader->peek() != '&'; ++record) {
    int line = reader->line();
    std::string where = "record " + std::to_string(record);
    if (reader->atEnd()) {
      diagnostics.error(listPath, line, "the file ends before its '&' (at " + where + ")");
      return;
    }
    Token path = reader->next();
    Token key = reader->next();
    if (!path.terminated || !key.terminated) {
      diagnostics.error(listPath, line, "the file ends inside " + where + " (no closing '|' or '&')");
      return;
    }
    if (path.overlong || key.overlong) {
      diagnostics.error(listPath, line, where + " has a field longer than 49 characters");
      return;
    }
    if (key.text.empty()) {
      diagnostics.error(listPath, line, where + " has no key");
      return;
    }
    key.text.pop_back();  // the line break that ends the record
    load(key.text, path.text, diagnostics);
  }
}

}  // namespace vw
