// What the tool needs from the operating system.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace kora::singers {

// The full path of this program's executable; nothing when it cannot be had.
std::optional<std::u16string> ExecutablePath();

// Makes the voice database of this process use `folder` (VBANK4_HOME).
void SetDatabaseFolder(const std::u16string& folder);

std::filesystem::path ToPath(const std::u16string& path);
// A path as UTF-8, for messages.
std::string PathText(const std::filesystem::path& path);

// The voice database library loaded when none is named: the one beside this
// program when it is there, else its bare file name for the platform's
// normal search.
std::filesystem::path DefaultLibraryPath();

// Standard output takes UTF-8 (a Windows console is switched to it).
void PrepareConsole();

}  // namespace kora::singers
