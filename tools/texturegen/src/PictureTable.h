#pragma once
// The list of pictures the game draws with, how to make each one, and the
// texture list file that names them.

#include "Canvas.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vw::art {

struct PictureEntry {
    const char* key;  // texture key, upper case
    int columns;      // sprite sheet cells across
    int rows;         // sprite sheet cells down
};

// Every texture key the game draws with, in the order of the texture list file.
std::span<const PictureEntry> pictureTable();
const PictureEntry* findPicture(std::string_view key);

// "Pictures/<lower-case key>.png", relative to the data directory.
std::string picturePath(std::string_view key);
// The window icon's path (not a texture, so not in the list file).
inline constexpr const char* kWindowIconPath = "Pictures/icon.png";
inline constexpr const char* kTextureListPath = "Settings/textureData.txt";

struct GenerateOptions {
    std::string fontPath;  // TrueType file for the glyph sheet
};

// Draws the picture of one table entry. Throws std::runtime_error on a missing font.
Image drawPicture(const PictureEntry& entry, const GenerateOptions& options);

// The texture list file naming every picture of the table:
// "path|KEY\n|path|KEY\n|...|&".
std::string formatTextureList(std::span<const PictureEntry> table);

struct TextureRecord {
    std::string path;
    std::string key;
};
// Reads a texture list; nullopt with a message (naming the record) when malformed.
std::optional<std::vector<TextureRecord>> parseTextureList(std::string_view text, std::string& error);

// Draws every picture and the window icon into dataDir/Pictures and writes the
// texture list last. Returns an empty string on success, else what went wrong.
std::string writeAllPictures(const std::filesystem::path& dataDir, const GenerateOptions& options,
                             std::string_view onlyKey = {});

}  // namespace vw::art
