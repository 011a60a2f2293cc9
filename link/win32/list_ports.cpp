#include "link/win32/list_ports.h"

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

namespace win32 {

void ListSerialPortsUnder(HKEY root, const char* subkey, std::vector<std::string>& ports) {
  HKEY raw_key = nullptr;
  const LONG opened = RegOpenKeyExA(root, subkey, 0, KEY_READ, &raw_key);
  if (opened == ERROR_FILE_NOT_FOUND) {
    // Reporting this as a registry failure would break off the window's
    // start-up (no speed list, no settings loaded) on a PC that merely has
    // no adapter plugged in yet.
    ports.clear();
    return;
  }
  if (opened != ERROR_SUCCESS) throw EComPort(com_message::kRegistry);
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

}  // namespace win32

void ListSerialPorts(std::vector<std::string>& ports) {
  win32::ListSerialPortsUnder(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", ports);
}

}  // namespace tevral::link
