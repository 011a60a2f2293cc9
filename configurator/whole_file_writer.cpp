#include "configurator/whole_file_writer.h"

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
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

// Creates `path` for writing, failing with EEXIST when it is already there.
// Windows gets the path in UTF-16: a narrow name goes through the ANSI code
// page, where a Cyrillic folder is not found and the save fails.
std::FILE* CreateExclusively(const fs::path& path) {
#ifdef _WIN32
  const int fd =
      _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* f = _fdopen(fd, "wb");
  if (f == nullptr) _close(fd);
#else
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  std::FILE* f = fdopen(fd, "wb");
  if (f == nullptr) close(fd);
#endif
  return f;
}

// A new file beside `target`, created exclusively so nothing else's file is
// ever overwritten; nothing when none can be made there.
std::FILE* CreateTemporaryBeside(const fs::path& target, fs::path& made) {
  std::random_device seed;
  std::mt19937 random(seed());
  for (int attempt = 0; attempt < 16; ++attempt) {
    fs::path name(".");
    name += target.filename();
    name += ".tmp" + std::to_string(random() % 1000000);
    made = FolderOf(target) / name;
    if (std::FILE* f = CreateExclusively(made)) return f;
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
