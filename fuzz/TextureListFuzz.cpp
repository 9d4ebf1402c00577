// Feeds arbitrary bytes to the texture list reader: the input, split at NUL
// bytes, is the list file and up to three pictures P0.png, P1.png, P2.png
// beside it, read and decoded as the windowed game does. Every key ends with
// a texture that exists.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <vector>

#include "render/TextureRegistry.h"

namespace {

constexpr int kPictures = 3;
std::filesystem::path dataDir;

void removeDataDir() {
  std::error_code ec;
  std::filesystem::remove_all(dataDir, ec);
}

// Decodes like the desktop and counts what it was given.
class DecodingContext : public vw::NullRenderContext {
 public:
  bool wantsPixels() const override { return true; }
  vw::TextureId createTexture(int width, int height, const std::uint8_t* rgba) override {
    if (width <= 0 || height <= 0 || !rgba) std::abort();
    created = NullRenderContext::createTexture(width, height, rgba);
    return created;
  }
  vw::TextureId created = 0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/vaporwick-texfuzz-XXXXXX";
  if (!mkdtemp(pattern)) std::abort();
  dataDir = pattern;
  std::filesystem::create_directories(dataDir / "Settings");
  std::atexit(removeDataDir);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  for (std::size_t nul; parts.size() < kPictures && (nul = input.find('\0')) != std::string_view::npos;) {
    parts.push_back(input.substr(0, nul));
    input.remove_prefix(nul + 1);
  }
  parts.push_back(input);
  for (int i = 0; i <= kPictures; ++i) {
    const std::filesystem::path file = i == 0 ? dataDir / "Settings/textureData.txt" : dataDir / ("P" + std::to_string(i - 1) + ".png");
    std::error_code ec;
    std::filesystem::remove(file, ec);
    if (static_cast<std::size_t>(i) < parts.size()) {
      std::ofstream(file, std::ios::binary).write(parts[i].data(), static_cast<std::streamsize>(parts[i].size()));
    }
  }
  DecodingContext context;
  vw::Diagnostics diagnostics;
  {
    vw::TextureRegistry textures(context, dataDir);
    textures.loadTextureList("Settings/textureData.txt", diagnostics, {"P0"});
    textures.finishLoading(diagnostics);
    for (std::string_view key : {"A", "B", "P0", "STONE"}) {
      const vw::TextureId id = textures.get(key);
      if (id <= 0 || id > context.created) std::abort();
    }
  }
  return 0;
}
