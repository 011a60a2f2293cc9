#pragma once
// All-or-nothing replacement of a file: the new content goes to a
// temporary file beside the target, reaches the disk, and replaces the
// target in one rename. A crash or a full disk leaves the old file or the
// new one, never a short one.

#include <filesystem>
#include <string>

namespace tevral {

// Writes `content` as the whole of `target`, keeping the old file's
// permissions. Returns false, the old file untouched, on any failure.
bool ReplaceWholeFile(const std::filesystem::path& target, const std::string& content);

}  // namespace tevral
