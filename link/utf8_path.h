#pragma once
// File paths as UTF-8 text and back. Text in this program is UTF-8 (the
// command line, messages); a path handed to std::filesystem as a narrow
// string is taken in the ANSI code page on Windows, which turns a Cyrillic
// folder name into question marks or an exception. These go through
// char8_t, which every platform reads as UTF-8.

#include <filesystem>
#include <string>
#include <string_view>

namespace tevral {

std::filesystem::path PathFromUtf8(std::string_view text);
std::string PathToUtf8(const std::filesystem::path& path);

}  // namespace tevral
