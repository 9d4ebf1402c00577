#pragma once
// Saving a file so that a failure never leaves it half written: the text
// goes to a temporary file in the same folder, the previous version is kept
// as FILE.bak, and the temporary file is then renamed over FILE.
#include <filesystem>
#include <string>

namespace vw {

// False and a message naming the file when any step fails; the old file is
// then untouched.
bool saveWithBackup(const std::filesystem::path& file, const std::string& text, std::string& error);

// FILE.bak beside FILE.
std::filesystem::path backupPath(const std::filesystem::path& file);

}  // namespace vw
