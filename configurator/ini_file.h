#pragma once
// Settings files in INI format, read and updated the way the Windows
// profile functions do it, so files written by the Windows configurators
// and by this one are interchangeable:
//
//  - "[name]" opens a section, "name=value" is a key of the current
//    section; blank lines and lines of other shapes carry nothing but are
//    kept as they are;
//  - section and key names compare without regard to case, with blanks
//    trimmed; the first section or key of a name wins;
//  - a value is the text after the first "=", blanks trimmed at both ends,
//    then one enclosing pair of matching double or single quotes removed,
//    then cut to 2047 characters;
//  - writing a key replaces its line in place, or adds it at the end of its
//    section, or adds the section at the end of the file; every other line
//    keeps its bytes and its line end; new lines end in CR LF.
//
// Bytes are code page 1251 on disk and in memory: nothing is converted.
// The file lives in memory for one operation; the settings code decides
// how it reaches the disk.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tevral {

class IniFile {
 public:
  static constexpr std::size_t kMaxValueLength = 2047;

  IniFile() = default;
  static IniFile Parse(std::string_view content);
  // Nothing when the file does not exist or cannot be read whole.
  static std::optional<IniFile> Load(const std::filesystem::path& path);

  // The value as read (trimmed, unquoted, cut), or nothing when the section
  // or key is missing.
  std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& fallback) const;
  // Decimal, or hexadecimal after "0x", "0X" or "$"; anything that is no
  // whole 32-bit number gives the fallback.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // Read as an integer: 0 is false, any other number true.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // "1" or "0".
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // The whole file as it goes to disk.
  std::string Serialize() const;

 private:
  struct Line {
    std::string text;    // without its line end
    std::string ending;  // "\r\n", "\n" or "" for a last line without one
  };
  struct Range {
    std::size_t header;  // index of the "[section]" line
    std::size_t end;     // one past the section's last line
  };

  std::optional<Range> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(const Range& range, std::string_view key) const;
  void Append(std::size_t at, std::string text);

  std::vector<Line> lines_;
};

// Parses a whole number the way the profile functions' callers do; exposed
// for the tests of the rule itself.
std::optional<int> ParseIniInteger(std::string_view text);

}  // namespace tevral
