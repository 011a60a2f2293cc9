#include "configurator/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "configurator/number_parser.h"

namespace tevral {
namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kNewLine = "\r\n";

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(kBlanks);
  return s.substr(first, last - first + 1);
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

// The name of a "[name]" line, or nothing for any other line.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view t = Trim(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  const auto close = t.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

struct KeyLine {
  std::string_view name;
  std::string_view raw_value;
};

// The parts of a "name=value" line, or nothing for any other line.
std::optional<KeyLine> SplitKeyLine(std::string_view line) {
  if (SectionName(line)) return std::nullopt;
  const auto eq = line.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return KeyLine{Trim(line.substr(0, eq)), line.substr(eq + 1)};
}

std::string ValueAsRead(std::string_view raw) {
  std::string_view v = Trim(raw);
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return std::string(v.substr(0, IniFile::kMaxValueLength));
}

// A line break (or a NUL, where the Windows functions stop reading) inside a
// value would end the key's line early and let the rest of the text stand
// in the file as lines of its own, even as a forged section. A text from
// the panel may hold such bytes; each is stored as a blank so the file
// keeps its shape.
std::string OneLine(std::string_view value) {
  std::string out(value);
  std::replace_if(
      out.begin(), out.end(), [](char c) { return c == '\r' || c == '\n' || c == '\0'; }, ' ');
  return out;
}

// FNV-1a of the name with ASCII letters lowercased: equal names (as
// SameName compares them) have equal hashes.
std::uint32_t NameHash(std::string_view name) {
  std::uint32_t hash = 2166136261u;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(LowerAscii(c));
    hash *= 16777619u;
  }
  return hash;
}

// One line of a block of text: its text without the line end, and where
// the next line starts.
struct LineAt {
  std::string_view text;
  std::size_t next;
};

LineAt LineFrom(std::string_view content, std::size_t start) {
  const void* found = std::memchr(content.data() + start, '\n', content.size() - start);
  if (found == nullptr) return {content.substr(start), content.size()};
  const auto nl = static_cast<std::size_t>(static_cast<const char*>(found) - content.data());
  std::string_view text = content.substr(start, nl - start);
  if (text.ends_with('\r')) text.remove_suffix(1);
  return {text, nl + 1};
}

}  // namespace

IniFile IniFile::Parse(std::string_view content) {
  return Adopt(std::string(content));
}

IniFile IniFile::Adopt(std::string content) {
  if (content.size() >= kMaxFileSize) throw std::length_error("settings file too large");
  IniFile file;
  file.content_ = std::move(content);
  const std::string_view all = file.content_;
  for (std::size_t start = 0; start < all.size();) {
    const LineAt line = LineFrom(all, start);
    if (const auto name = SectionName(line.text)) {
      file.sections_.push_back({static_cast<std::uint32_t>(start),
                                static_cast<std::uint32_t>(line.next), NameHash(*name)});
    }
    start = line.next;
  }
  return file;
}

std::optional<IniFile> IniFile::Load(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || size >= kMaxFileSize) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // Read straight into one block; a file that grows meanwhile is read to
  // its end all the same.
  std::string content(static_cast<std::size_t>(size), '\0');
  in.read(content.data(), static_cast<std::streamsize>(content.size()));
  content.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return std::nullopt;
  if (in) {
    char chunk[65536];
    while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
      content.append(chunk, static_cast<std::size_t>(in.gcount()));
      if (content.size() >= kMaxFileSize) return std::nullopt;
    }
    if (in.bad()) return std::nullopt;
  }
  return Adopt(std::move(content));
}

std::size_t IniFile::SectionEnd(std::size_t index) const {
  return index + 1 < sections_.size() ? sections_[index + 1].header : content_.size();
}

std::optional<IniFile::SectionPlace> IniFile::FindSection(std::string_view section) const {
  const std::string_view wanted = Trim(section);
  const std::uint32_t hash = NameHash(wanted);
  const std::string_view all = content_;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (sections_[i].hash != hash) continue;
    const auto name = SectionName(LineFrom(all, sections_[i].header).text);
    if (name && SameName(*name, wanted)) return SectionPlace{false, i};
  }
  for (std::size_t i = 0; i < added_sections_.size(); ++i) {
    const auto name = SectionName(added_sections_[i].header);
    if (name && SameName(*name, wanted)) return SectionPlace{true, i};
  }
  return std::nullopt;
}

std::optional<IniFile::KeyPlace> IniFile::FindKey(const SectionPlace& place,
                                                  std::string_view key) const {
  const std::string_view wanted = Trim(key);
  const auto matches = [&](std::string_view line) {
    const auto parts = SplitKeyLine(line);
    return parts && SameName(parts->name, wanted);
  };
  if (place.added) {
    const auto& keys = added_sections_[place.index].keys;
    for (std::size_t k = 0; k < keys.size(); ++k) {
      if (matches(keys[k])) return KeyPlace{KeyPlace::Where::kInAddedSection, place.index, k};
    }
    return std::nullopt;
  }
  const std::string_view all = content_;
  const std::size_t end = SectionEnd(place.index);
  for (std::size_t start = sections_[place.index].body; start < end;) {
    const LineAt line = LineFrom(all, start);
    if (matches(line.text)) return KeyPlace{KeyPlace::Where::kOriginal, place.index, start};
    start = line.next;
  }
  if (const auto added = added_keys_.find(place.index); added != added_keys_.end()) {
    for (std::size_t k = 0; k < added->second.size(); ++k) {
      if (matches(added->second[k])) {
        return KeyPlace{KeyPlace::Where::kAddedToSection, place.index, k};
      }
    }
  }
  return std::nullopt;
}

std::string_view IniFile::KeyLineText(const KeyPlace& place) const {
  switch (place.where) {
    case KeyPlace::Where::kOriginal: {
      if (const auto it = replaced_.find(place.offset); it != replaced_.end()) return it->second;
      return LineFrom(content_, place.offset).text;
    }
    case KeyPlace::Where::kAddedToSection:
      return added_keys_.at(place.owner)[place.offset];
    case KeyPlace::Where::kInAddedSection:
      return added_sections_[place.owner].keys[place.offset];
  }
  return {};
}

std::size_t IniFile::InsertionPoint(std::size_t index) const {
  const std::string_view all = content_;
  const std::size_t end = SectionEnd(index);
  std::size_t after_last = sections_[index].body;
  for (std::size_t start = after_last; start < end;) {
    const LineAt line = LineFrom(all, start);
    if (!Trim(line.text).empty()) after_last = line.next;
    start = line.next;
  }
  return after_last;
}

std::optional<std::string> IniFile::ReadValue(std::string_view section,
                                              std::string_view key) const {
  const auto place = FindSection(section);
  if (!place) return std::nullopt;
  const auto found = FindKey(*place, key);
  if (!found) return std::nullopt;
  return ValueAsRead(SplitKeyLine(KeyLineText(*found))->raw_value);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                const std::string& fallback) const {
  return ReadValue(section, key).value_or(fallback);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const auto value = ReadValue(section, key);
  if (!value) return fallback;
  return TryStrToInt(*value).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string safe_section = OneLine(section);
  const std::string safe_key = OneLine(key);
  const std::string line_end = "=" + OneLine(value);
  const auto place = FindSection(safe_section);
  if (!place) {
    added_sections_.push_back(
        {"[" + std::string(Trim(safe_section)) + "]", {std::string(Trim(safe_key)) + line_end}});
    return;
  }
  if (const auto found = FindKey(*place, safe_key)) {
    // The key keeps the spelling the file gave it.
    std::string line = std::string(SplitKeyLine(KeyLineText(*found))->name) + line_end;
    switch (found->where) {
      case KeyPlace::Where::kOriginal:
        replaced_[found->offset] = std::move(line);
        break;
      case KeyPlace::Where::kAddedToSection:
        added_keys_[found->owner][found->offset] = std::move(line);
        break;
      case KeyPlace::Where::kInAddedSection:
        added_sections_[found->owner].keys[found->offset] = std::move(line);
        break;
    }
    return;
  }
  std::string line = std::string(Trim(safe_key)) + line_end;
  if (place->added) {
    added_sections_[place->index].keys.push_back(std::move(line));
  } else {
    added_keys_[place->index].push_back(std::move(line));
  }
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Serialize() const {
  // Lines added to existing sections, by the offset they go in at.
  std::map<std::size_t, const std::vector<std::string>*> insertions;
  for (const auto& [index, lines] : added_keys_) insertions[InsertionPoint(index)] = &lines;

  std::string out;
  out.reserve(content_.size() + 64 * (replaced_.size() + insertions.size()) + 1024);
  // A new line may follow a last line that has no line end yet.
  const auto start_new_line = [&out] {
    if (!out.empty() && out.back() != '\n') out += kNewLine;
  };
  const auto add_line = [&](std::string_view text) {
    start_new_line();
    out += text;
    out += kNewLine;
  };

  std::size_t copied = 0;
  auto replacement = replaced_.begin();
  auto insertion = insertions.begin();
  while (replacement != replaced_.end() || insertion != insertions.end()) {
    const bool replace_next =
        insertion == insertions.end() ||
        (replacement != replaced_.end() && replacement->first < insertion->first);
    const std::size_t at = replace_next ? replacement->first : insertion->first;
    out.append(content_, copied, at - copied);
    copied = at;
    if (replace_next) {
      // The line's own text goes; its line end stays.
      out += replacement->second;
      copied += LineFrom(content_, at).text.size();
      ++replacement;
    } else {
      for (const std::string& line : *insertion->second) add_line(line);
      ++insertion;
    }
  }
  out.append(content_, copied, std::string::npos);
  for (const AddedSection& section : added_sections_) {
    add_line(section.header);
    for (const std::string& line : section.keys) add_line(line);
  }
  return out;
}

}  // namespace tevral
