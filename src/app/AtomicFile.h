#pragma once
// Writing a file so that a failure never leaves it half written: the bytes go
// to a temporary file in the same folder, are synced to the disk, and the
// temporary file is then renamed over the real one. Every file the game and
// the editor write goes through here.
#include <filesystem>
#include <string>
#include <string_view>

namespace vw {

// False with the system's reason when any step fails; FILE is then untouched
// and no temporary file is left behind.
bool writeAtomically(const std::filesystem::path& file, std::string_view bytes, std::string& reason);

// Saves as writeAtomically does, keeping the previous version as FILE.bak.
// False and a message naming the file when any step fails; the old file is
// then untouched.
bool saveWithBackup(const std::filesystem::path& file, const std::string& text, std::string& error);

// FILE.bak beside FILE.
std::filesystem::path backupPath(const std::filesystem::path& file);

}  // namespace vw
