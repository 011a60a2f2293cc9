#include "configurator/whole_file_writer.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace tevral {
namespace {

namespace fs = std::filesystem;

// Forces the written bytes to the disk before the rename makes them the
// settings file, so a crash leaves the old file or the new one, never a
// short one.
bool FlushToDisk(std::FILE* f) {
  if (std::fflush(f) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(f)) == 0;
#else
  return fsync(fileno(f)) == 0;
#endif
}

// Makes the rename itself durable. Best effort: a folder that cannot be
// opened for this still holds the new file.
void FlushFolder([[maybe_unused]] const fs::path& folder) {
#ifndef _WIN32
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
#endif
}

fs::path FolderOf(const fs::path& path) {
  const fs::path parent = path.parent_path();
  return parent.empty() ? fs::path(".") : parent;
}

// A new file beside `target`, created exclusively so nothing else's file is
// ever overwritten; nothing when none can be made there.
std::FILE* CreateTemporaryBeside(const fs::path& target, fs::path& made) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    made = FolderOf(target) /
           ("." + target.filename().string() + ".tmp" + std::to_string(random() % 1000000));
    if (std::FILE* f = std::fopen(made.string().c_str(), "wbx")) return f;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

// The old file's permissions carry over to its replacement.
void KeepPermissions(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  const auto status = fs::status(from, ec);
  if (!ec) fs::permissions(to, status.permissions(), ec);
}

}  // namespace

bool ReplaceWholeFile(const fs::path& target, const std::string& content) {
  fs::path temporary;
  std::FILE* f = CreateTemporaryBeside(target, temporary);
  if (f == nullptr) return false;
  const bool written = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  const bool flushed = written && FlushToDisk(f);
  const bool closed = std::fclose(f) == 0;
  std::error_code ec;
  if (!(written && flushed && closed)) {
    fs::remove(temporary, ec);
    return false;
  }
  KeepPermissions(target, temporary);
  fs::rename(temporary, target, ec);
  if (ec) {
    fs::remove(temporary, ec);
    return false;
  }
  FlushFolder(FolderOf(target));
  return true;
}

}  // namespace tevral
