// The port list from the registry: a key of the test's own under
// HKEY_CURRENT_USER stands in for the serial drivers' key, so the order,
// a missing key and a value too long are shown on any machine. Under the
// wine suite the real list is checked against the ports it mapped.

#include "link/win32/list_ports.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "link/com_errors.h"
#include "link/tbcomport.h"

namespace tevral::link {
namespace {

using Strings = std::vector<std::string>;

class RegistryPortList : public ::testing::Test {
 protected:
  RegistryPortList()
      : subkey("Software\\TevralTests\\ports_" + std::to_string(GetCurrentProcessId()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
  ~RegistryPortList() override { RegDeleteTreeA(HKEY_CURRENT_USER, subkey.c_str()); }

  // A value as a serial driver writes it: its name, its data a port name.
  void AddPort(const std::string& driver, const std::string& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    const LONG set =
        RegSetValueExA(key, driver.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
    RegCloseKey(key);
    ASSERT_EQ(set, ERROR_SUCCESS);
  }

  Strings List() {
    Strings ports = {"kept"};
    win32::ListSerialPortsUnder(HKEY_CURRENT_USER, subkey.c_str(), ports);
    return ports;
  }

  const std::string subkey;
};

TEST_F(RegistryPortList, NamesComeSortedWithoutRegardToCase) {
  AddPort("\\Device\\Serial0", "COM1");
  AddPort("\\Device\\Serial9", "COM10");
  AddPort("\\Device\\Serial1", "COM2");
  AddPort("\\Device\\VCP0", "com3");
  EXPECT_EQ(List(), (Strings{"COM1", "COM10", "COM2", "com3"}));
}

// A PC with no serial port at all: the drivers have not made the key.
TEST_F(RegistryPortList, MissingKeyIsAnEmptyList) {
  EXPECT_EQ(List(), Strings{});
}

// The data of a value has room for 256 bytes; a longer one cannot be read,
// and the list the caller had stays.
TEST_F(RegistryPortList, ValueTooLongIsARegistryErrorAndKeepsTheList) {
  AddPort("\\Device\\Serial0", "COM1");
  AddPort("\\Device\\Odd", std::string(300, 'X'));
  Strings ports = {"kept"};
  try {
    win32::ListSerialPortsUnder(HKEY_CURRENT_USER, subkey.c_str(), ports);
    FAIL() << "a value too long was listed";
  } catch (const EComPort& error) {
    EXPECT_STREQ(error.what(), com_message::kRegistry);
  }
  EXPECT_EQ(ports, Strings{"kept"});
}

// The wine suite maps its own COM ports to simulated panels and names them
// here; the serial drivers' key then lists exactly those.
TEST(SystemPortList, ListsThePortsTheSuiteMapped) {
  const char* mapped = std::getenv("TEVRAL_WINE_MAPPED_PORTS");
  if (mapped == nullptr) GTEST_SKIP() << "no ports mapped by the wine suite";
  Strings expected;
  std::istringstream names(mapped);
  for (std::string name; std::getline(names, name, ',');) expected.push_back(name);
  Strings ports;
  ListSerialPorts(ports);
  EXPECT_EQ(ports, expected);
}

}  // namespace
}  // namespace tevral::link
