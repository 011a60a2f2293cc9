// The computer's serial ports from the registry: the values of
// HKEY_LOCAL_MACHINE\HARDWARE\DEVICEMAP\SERIALCOMM, whose data are the port
// names (COM3); the value names are driver names and are not used.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "link/com_errors.h"
#include "link/tbcomport.h"

namespace tevral::link {

namespace {

class OpenKey {
 public:
  explicit OpenKey(HKEY key) : key_(key) {}
  ~OpenKey() { RegCloseKey(key_); }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY Get() const { return key_; }

 private:
  HKEY key_;
};

// The data of a value as text. Registry data need not end with a NUL, so
// the text ends at the first NUL or at the data's size, whichever is first.
std::string DataText(const BYTE* data, DWORD size) {
  const char* text = reinterpret_cast<const char*>(data);
  return std::string(text, std::find(text, text + size, '\0'));
}

// Case-blind in the user's locale: COM10 comes before COM2.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                        b.data(), static_cast<int>(b.size())) == CSTR_LESS_THAN;
}

}  // namespace

void ListSerialPorts(std::vector<std::string>& ports) {
  HKEY raw_key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &raw_key) !=
      ERROR_SUCCESS) {
    throw EComPort(com_message::kRegistry);
  }
  const OpenKey key(raw_key);

  std::vector<std::string> found;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD name_size = sizeof name;
    BYTE data[256];
    DWORD data_size = sizeof data;
    const LONG result =
        RegEnumValueA(key.Get(), index, name, &name_size, nullptr, nullptr, data, &data_size);
    if (result == ERROR_NO_MORE_ITEMS) break;
    // A value too long for the room, among others: the list stays as it was.
    if (result != ERROR_SUCCESS) throw EComPort(com_message::kRegistry);
    found.push_back(DataText(data, std::min<DWORD>(data_size, sizeof data)));
  }
  std::stable_sort(found.begin(), found.end(), LessIgnoringCase);
  ports = std::move(found);
}

}  // namespace tevral::link
