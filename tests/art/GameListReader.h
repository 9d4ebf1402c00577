#pragma once
// Reads a texture list the way the game's loader does: until the '&' marker,
// a path up to '|', a key up to '|' whose last character is dropped.

#include <istream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vw::art::test {

inline std::optional<std::vector<std::pair<std::string, std::string>>> readLikeTheGame(std::istream& in)
{
    std::vector<std::pair<std::string, std::string>> records;
    while (in.peek() != '&') {
        std::string path, key;
        if (!std::getline(in, path, '|') || !std::getline(in, key, '|') || key.empty())
            return std::nullopt;
        key.pop_back();
        records.emplace_back(path, key);
    }
    return records;
}

}  // namespace vw::art::test
