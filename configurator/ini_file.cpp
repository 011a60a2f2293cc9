#include "configurator/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <system_error>

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

std::optional<std::uint32_t> ParseDigits(std::string_view digits, int base) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    int d = -1;
    if (c >= '0' && c <= '9') d = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
    if (d < 0) return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<int> ParseIniInteger(std::string_view text) {
  if (text.starts_with("0x") || text.starts_with("0X")) {
    // Hexadecimal digits fill all 32 bits: "0xFFFFFFFF" is -1.
    const auto bits = ParseDigits(text.substr(2), 16);
    if (!bits) return std::nullopt;
    return static_cast<int>(*bits);
  }
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  std::uint32_t magnitude = 0;
  if (!text.empty() && text.front() == '$') {
    const auto bits = ParseDigits(text.substr(1), 16);
    if (!bits) return std::nullopt;
    magnitude = *bits;
  } else {
    const auto value = ParseDigits(text, 10);
    const std::uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    if (!value || *value > limit) return std::nullopt;
    magnitude = *value;
  }
  // Unsigned arithmetic wraps where the signed one would overflow.
  return static_cast<int>(negative ? 0u - magnitude : magnitude);
}

IniFile IniFile::Parse(std::string_view content) {
  IniFile file;
  while (!content.empty()) {
    const auto nl = content.find('\n');
    Line line;
    if (nl == std::string_view::npos) {
      line.text = std::string(content);
      content = {};
    } else {
      std::string_view text = content.substr(0, nl);
      const bool crlf = text.ends_with('\r');
      if (crlf) text.remove_suffix(1);
      line.text = std::string(text);
      line.ending = crlf ? "\r\n" : "\n";
      content.remove_prefix(nl + 1);
    }
    file.lines_.push_back(std::move(line));
  }
  return file;
}

std::optional<IniFile> IniFile::Load(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return Parse(content.str());
}

std::optional<IniFile::Range> IniFile::FindSection(std::string_view section) const {
  const std::string_view wanted = Trim(section);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionName(lines_[i].text);
    if (!name || !SameName(*name, wanted)) continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !SectionName(lines_[end].text)) ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(const Range& range, std::string_view key) const {
  const std::string_view wanted = Trim(key);
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    const auto parts = SplitKeyLine(lines_[i].text);
    if (parts && SameName(parts->name, wanted)) return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniFile::ReadValue(std::string_view section,
                                              std::string_view key) const {
  const auto range = FindSection(section);
  if (!range) return std::nullopt;
  const auto index = FindKey(*range, key);
  if (!index) return std::nullopt;
  return ValueAsRead(SplitKeyLine(lines_[*index].text)->raw_value);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                const std::string& fallback) const {
  return ReadValue(section, key).value_or(fallback);
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int fallback) const {
  const auto value = ReadValue(section, key);
  if (!value) return fallback;
  return ParseIniInteger(*value).value_or(fallback);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool fallback) const {
  return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::Append(std::size_t at, std::string text) {
  // The line before the new one may be a last line without its line end.
  if (at > 0 && lines_[at - 1].ending.empty()) lines_[at - 1].ending = kNewLine;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                Line{std::move(text), std::string(kNewLine)});
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string safe_value = OneLine(value);
  const auto range = FindSection(section);
  if (!range) {
    Append(lines_.size(), "[" + std::string(Trim(section)) + "]");
    Append(lines_.size(), std::string(Trim(key)) + "=" + safe_value);
    return;
  }
  if (const auto index = FindKey(*range, key)) {
    // The key keeps the spelling the file gave it.
    Line& line = lines_[*index];
    line.text = std::string(SplitKeyLine(line.text)->name) + "=" + safe_value;
    return;
  }
  // After the section's last non-blank line, so blank lines that separate
  // it from the next section stay between them.
  std::size_t at = range->end;
  while (at > range->header + 1 && Trim(lines_[at - 1].text).empty()) --at;
  Append(at, std::string(Trim(key)) + "=" + safe_value);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::Serialize() const {
  std::string out;
  for (const Line& line : lines_) {
    out += line.text;
    out += line.ending;
  }
  return out;
}

}  // namespace tevral
