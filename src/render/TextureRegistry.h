#pragma once
// Textures by key, filled once from Settings/textureData.txt. A picture that
// cannot be loaded, or a key never loaded, gives a magenta-and-black
// placeholder instead of nothing.
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "app/Diagnostics.h"
#include "render/RenderContext.h"

namespace vw {

class TextureRegistry {
 public:
  TextureRegistry(RenderContext& context, std::filesystem::path dataDir);

  // Loads the picture at path (relative to the data directory) under key;
  // a key already present keeps its first texture.
  void load(const std::string& key, const std::string& path, Diagnostics& diagnostics);
  TextureId get(std::string_view key) const;
  bool has(std::string_view key) const { return textures_.find(key) != textures_.end(); }
  std::size_t size() const { return textures_.size(); }
  TextureId placeholder() const { return placeholder_; }

  // Reads the texture list file; problems end the reading with a diagnostic
  // and the game goes on with what was read.
  void loadTextureList(const std::string& listPath, Diagnostics& diagnostics);

 private:
  RenderContext& context_;
  std::filesystem::path dataDir_;
  // Looked up by string_view, so a draw never builds a key string.
  std::map<std::string, TextureId, std::less<>> textures_;
  TextureId placeholder_ = 0;
};

}  // namespace vw
