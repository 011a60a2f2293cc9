// The INI reader and writer fed any file and any names and values: a file
// goes back to disk byte for byte when nothing is written; a written key
// reads back as the same value would from a file of its own, from the
// file in memory and after a save and reload; and writing one key never
// changes what any other key reads.
#include <string>
#include <vector>

#include "configurator/ini_file.h"
#include "configurator/number_parser.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_targets.h"

namespace tevral::fuzz {
namespace {

struct KeyWrite {
  std::string section;
  std::string key;
  std::string value;
};

std::string NormalName(std::string_view name) {
  const auto first = name.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  name = name.substr(first, name.find_last_not_of(" \t") - first + 1);
  std::string lower(name);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

// Names the writer can put in a file so that they read as the same names:
// no line break or NUL (written as blanks), no "]" in a section, no "=" in
// a key, and no key that would look like a section line. The programs'
// names are control names, all of them clean.
bool CleanNames(const KeyWrite& write) {
  const std::string section = NormalName(write.section);
  const std::string key = NormalName(write.key);
  constexpr std::string_view kSectionBreakers("]\r\n\0", 4);
  constexpr std::string_view kKeyBreakers("=\r\n\0", 4);
  return section.find_first_of(kSectionBreakers) == std::string::npos && !key.empty() &&
         key.front() != '[' && key.find_first_of(kKeyBreakers) == std::string::npos;
}

bool SameKey(const KeyWrite& a, const KeyWrite& b) {
  return NormalName(a.section) == NormalName(b.section) && NormalName(a.key) == NormalName(b.key);
}

std::vector<KeyWrite> TakeWrites(InputReader& input) {
  std::vector<KeyWrite> writes(input.TakeByte() % 5);
  for (KeyWrite& write : writes) {
    write.section = std::string(input.TakeSized());
    write.key = std::string(input.TakeSized());
    write.value = std::string(input.TakeSized());
  }
  return writes;
}

void CheckReads(const IniFile& file, const KeyWrite& probe) {
  const auto value = file.ReadValue(probe.section, probe.key);
  if (value) Expect(value->size() <= IniFile::kMaxValueLength, "a value is cut to 2047");
  Expect(file.ReadInteger(probe.section, probe.key, 7) ==
             (value ? TryStrToInt(*value).value_or(7) : 7),
         "an integer is read from the value");
  Expect(file.ReadString(probe.section, probe.key, "fallback") == value.value_or("fallback"),
         "a missing key reads as the fallback");
}

void CheckWrite(IniFile& file, const KeyWrite& write, const std::vector<KeyWrite>& probes) {
  std::vector<std::optional<std::string>> before;
  for (const KeyWrite& probe : probes) before.push_back(file.ReadValue(probe.section, probe.key));

  file.WriteString(write.section, write.key, write.value);
  const auto written = file.ReadValue(write.section, write.key);
  const IniFile reloaded = IniFile::Parse(file.Serialize());
  Expect(reloaded.Serialize() == file.Serialize(), "a saved file reloads as it was saved");
  // Names are the program's own control names; only values come from the
  // user or the panel and may hold anything.
  if (!CleanNames(write)) return;
  Expect(reloaded.ReadValue(write.section, write.key) == written,
         "a written key reads the same after a reload");

  IniFile alone;
  alone.WriteString(write.section, write.key, write.value);
  Expect(written.has_value() && written == alone.ReadValue(write.section, write.key),
         "a written key reads as it would from a file of its own");
  for (size_t i = 0; i < probes.size(); ++i) {
    if (SameKey(probes[i], write) || !CleanNames(probes[i])) continue;
    Expect(file.ReadValue(probes[i].section, probes[i].key) == before[i],
           "writing one key leaves every other key as it was");
  }
}

}  // namespace

int FuzzIniFile(const uint8_t* data, size_t size) {
  InputReader input(data, size);
  const std::vector<KeyWrite> writes = TakeWrites(input);
  const std::string content(input.Rest());

  IniFile file = IniFile::Parse(content);
  Expect(file.Serialize() == content, "a file read and saved unchanged keeps every byte");
  for (const KeyWrite& probe : writes) CheckReads(file, probe);
  for (const KeyWrite& write : writes) CheckWrite(file, write, writes);
  for (const KeyWrite& probe : writes) CheckReads(file, probe);
  return 0;
}

}  // namespace tevral::fuzz
