// The port list from a sysfs tree built in a temporary folder: which
// terminals count as serial ports, their order, and a tree that cannot be
// read. Nothing here opens a device.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "link/com_errors.h"
#include "link/posix/list_ports.h"
#include "link/tbcomport.h"

namespace tevral::link::posix {
namespace {

namespace fs = std::filesystem;

class FakeSysfs : public ::testing::Test {
 protected:
  FakeSysfs() : root(fs::temp_directory_path() / ("sysfs_" + std::to_string(getpid()))) {
    fs::remove_all(root);
    fs::create_directories(root / "class" / "tty");
  }
  ~FakeSysfs() override { fs::remove_all(root); }

  // A terminal; with a driver when bound to one, with a UART type when
  // serial_core publishes one.
  void AddTty(const std::string& name, bool driver, const std::string& uart_type = "") {
    const fs::path tty = root / "class" / "tty" / name;
    fs::create_directories(driver ? tty / "device" / "driver" : tty);
    if (!uart_type.empty()) std::ofstream(tty / "type") << uart_type << "\n";
  }

  fs::path root;
};

TEST_F(FakeSysfs, SerialPortsOnlyInCaseBlindOrder) {
  AddTty("ttyUSB0", true);
  AddTty("ttyUSB10", true);
  AddTty("ttyUSB2", true);
  AddTty("ttyACM0", true);
  AddTty("ttyS0", true, "4");     // a 16550A behind it
  AddTty("ttyS1", true, "0");     // a reserved slot with no chip
  AddTty("ttymxc0", true, "58");  // an on-chip UART with a lower-case name
  AddTty("ttyGS0", true);
  AddTty("tty0", false);  // a virtual terminal
  AddTty("console", false);
  AddTty("ttyUSB7", false);  // a stale entry without its driver

  std::vector<std::string> ports{"stale"};
  ListSerialPortsIn(root, ports);
  EXPECT_EQ(ports,
            (std::vector<std::string>{"/dev/ttyACM0", "/dev/ttyGS0", "/dev/ttymxc0", "/dev/ttyS0",
                                      "/dev/ttyUSB0", "/dev/ttyUSB10", "/dev/ttyUSB2"}));
}

TEST_F(FakeSysfs, NoSerialPortsGivesAnEmptyList) {
  AddTty("tty1", false);
  AddTty("ttyS3", true, "0");
  std::vector<std::string> ports{"/dev/ttyUSB0"};
  ListSerialPortsIn(root, ports);
  EXPECT_TRUE(ports.empty());
}

TEST_F(FakeSysfs, UnreadableTreeLeavesTheListAsItWas) {
  fs::remove_all(root / "class" / "tty");
  std::vector<std::string> ports{"/dev/ttyUSB0", "/dev/ttyS0"};
  try {
    ListSerialPortsIn(root, ports);
    ADD_FAILURE() << "nothing raised";
  } catch (const EComPort& error) {
    EXPECT_STREQ(error.what(), com_message::kRegistry);
  }
  EXPECT_EQ(ports, (std::vector<std::string>{"/dev/ttyUSB0", "/dev/ttyS0"}));
}

// The machine's own tree: read, never opened; every name is a device path.
TEST(ListSerialPorts, ReadsTheSystemTreeWithoutOpeningAnything) {
  std::vector<std::string> ports{"stale"};
  ListSerialPorts(ports);
  for (const std::string& port : ports) EXPECT_EQ(port.rfind("/dev/", 0), 0u) << port;
}

}  // namespace
}  // namespace tevral::link::posix
