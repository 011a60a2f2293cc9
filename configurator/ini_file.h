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
//
// Files edited by hand or grown by a tool gone wrong can be large, so the
// cost stays linear in the file's size: the file is kept as one block of
// bytes with a small index of its sections (three numbers each), found in
// one pass; a key is looked for only in its own section; what is written
// is kept beside the original bytes and merged in when the file is
// serialized. Files of 4 GiB and more are not read.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tevral {

class IniFile {
 public:
  static constexpr std::size_t kMaxValueLength = 2047;
  // The offsets of the index are 32-bit.
  static constexpr std::size_t kMaxFileSize = 0xFFFFFFFFu;

  IniFile() = default;
  // Throws std::length_error for content of kMaxFileSize bytes or more.
  static IniFile Parse(std::string_view content);
  // Nothing when the file does not exist, cannot be read whole or is too
  // large.
  static std::optional<IniFile> Load(const std::filesystem::path& path);

  // The value as read (trimmed, unquoted, cut), or nothing when the section
  // or key is missing.
  std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         const std::string& fallback) const;
  // Read by the number parser (number_parser.h); anything that is no number
  // gives the fallback.
  int ReadInteger(std::string_view section, std::string_view key, int fallback) const;
  // Read as an integer: 0 is false, any other number true.
  bool ReadBool(std::string_view section, std::string_view key, bool fallback) const;

  // A line break or NUL in the value (or in a name) is written as a blank.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  // "1" or "0".
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // The whole file as it goes to disk.
  std::string Serialize() const;

 private:
  // A "[name]" line of the original bytes.
  struct Section {
    std::uint32_t header;  // offset of the line
    std::uint32_t body;    // offset of the line after it
    std::uint32_t hash;    // of the name, lowercased, for a quick mismatch
  };
  // A section this object added, at the end of the file.
  struct AddedSection {
    std::string header;  // the "[name]" line
    std::vector<std::string> keys;
  };
  // Where a key line was found: in the original bytes (`offset` is the
  // line's start), or among the lines this object added to section or
  // added section `owner` (`offset` is the index in its list).
  struct KeyPlace {
    enum class Where { kOriginal, kAddedToSection, kInAddedSection } where;
    std::size_t owner;
    std::size_t offset;
  };
  struct SectionPlace {
    bool added;         // an AddedSection
    std::size_t index;  // into sections_ or added_sections_
  };

  // Takes the bytes over without a copy.
  static IniFile Adopt(std::string content);

  std::optional<SectionPlace> FindSection(std::string_view section) const;
  std::optional<KeyPlace> FindKey(const SectionPlace& place, std::string_view key) const;
  std::string_view KeyLineText(const KeyPlace& place) const;
  std::size_t SectionEnd(std::size_t index) const;
  // Where lines added to section `index` go: after its last line that is
  // not blank.
  std::size_t InsertionPoint(std::size_t index) const;

  std::string content_;
  std::vector<Section> sections_;
  // Original key lines given a new text, by line start: the line's text
  // up to its end is replaced, its line end stays.
  std::map<std::size_t, std::string> replaced_;
  std::map<std::size_t, std::vector<std::string>> added_keys_;  // by index in sections_
  std::vector<AddedSection> added_sections_;
};

}  // namespace tevral
