#pragma once
// Textures by key, filled once from Settings/textureData.txt. A picture that
// cannot be loaded, or a key never loaded, gives a magenta-and-black
// placeholder instead of nothing. Pictures are PNG files within a pixel
// bound each and for all of them together; a file named by several keys is
// decoded once.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "app/Diagnostics.h"
#include "render/RenderContext.h"

namespace vw {

// The most pixels all pictures together may have (about 128 MiB decoded).
constexpr std::uint64_t kMaxTotalPicturePixels = std::uint64_t{32} << 20;

class TextureRegistry {
 public:
  TextureRegistry(RenderContext& context, std::filesystem::path dataDir);
  // Waits for pictures still being decoded.
  ~TextureRegistry();
  TextureRegistry(const TextureRegistry&) = delete;
  TextureRegistry& operator=(const TextureRegistry&) = delete;

  // Loads the picture at path (relative to the data directory) under key;
  // a key already present keeps its first texture.
  void load(const std::string& key, const std::string& path, Diagnostics& diagnostics);
  TextureId get(std::string_view key) const;
  bool has(std::string_view key) const { return textures_.find(key) != textures_.end(); }
  std::size_t size() const { return textures_.size(); }
  TextureId placeholder() const { return placeholder_; }
  // Reports, once each, the keys among `drawn` that no record loaded.
  void reportMissing(const std::vector<std::string_view>& drawn, const std::string& listPath,
                     Diagnostics& diagnostics) const;

  // Reads the texture list file; problems end the reading with a diagnostic
  // and the game goes on with what was read. The pictures are decoded on
  // every core at once and uploaded in list order. When the context decodes
  // pixels and firstKeys is not empty, only those pictures are ready on
  // return (what the first frame shows); the others go on decoding in the
  // background until finishLoading, and draw as the placeholder until then.
  void loadTextureList(const std::string& listPath, Diagnostics& diagnostics,
                       const std::vector<std::string_view>& firstKeys = {});
  // Uploads the pictures still decoding; their warnings go to diagnostics.
  void finishLoading(Diagnostics& diagnostics);

 private:
  struct Picture;
  // Reads the size from the file's header and takes its share of the pixel
  // budget; a picture refused here is never decoded.
  void inspect(Picture& picture);
  // Decodes an inspected picture (when the context wants pixels).
  void decode(Picture& picture) const;
  // The records that load something: the first of each key; a record naming
  // the file of an earlier one becomes that picture's alias.
  std::vector<Picture> firstMentions(std::vector<Picture> records) const;
  // Starts decoding pending_ on worker threads, biggest files first.
  void startDecoding();
  // Whether key names a picture still being decoded (listed, not yet installed).
  bool awaitsDecoding(std::string_view key) const;
  // Uploads a decoded picture under its key, or warns and uses the placeholder.
  void install(Picture& picture, Diagnostics& diagnostics);

  RenderContext& context_;
  std::filesystem::path dataDir_;
  // Hashed, and looked up by string_view, so a draw neither walks a tree of
  // key comparisons nor builds a key string.
  struct KeyHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
  };
  std::unordered_map<std::string, TextureId, KeyHash, std::equal_to<>> textures_;
  TextureId placeholder_ = 0;
  std::uint64_t pixelsTaken_ = 0;  // of kMaxTotalPicturePixels

  // Pictures of the list being decoded by the workers, in list order.
  std::vector<Picture> pending_;
  std::vector<std::size_t> decodeOrder_;
  std::atomic<std::size_t> nextToDecode_{0};
  std::vector<std::thread> workers_;
};

}  // namespace vw
