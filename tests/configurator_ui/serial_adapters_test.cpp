// The serial adapter list that stands in for the device manager on Linux,
// read from a small fake sysfs tree.

#include "configurator/ui/serial_adapters.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>

namespace tevral::ui {
namespace {

namespace fs = std::filesystem;

class FakeSysfs {
 public:
  FakeSysfs() : root_(dir_.path().toStdString()) { fs::create_directories(root_ / "class/tty"); }

  const fs::path& Root() const { return root_; }

  void Attribute(const fs::path& file, const std::string& value) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << value << "\n";
  }

  // A tty under the device folder `device` (relative to devices/), bound to
  // driver.
  fs::path Tty(const std::string& name, const std::string& device, const std::string& driver) {
    const fs::path device_dir = root_ / "devices" / device;
    const fs::path tty_dir = device_dir / "tty" / name;
    fs::create_directories(tty_dir);
    fs::create_directory_symlink(device_dir, tty_dir / "device");
    if (!driver.empty()) {
      fs::create_directories(root_ / "bus/drivers" / driver);
      fs::create_directory_symlink(root_ / "bus/drivers" / driver, device_dir / "driver");
    }
    fs::create_directory_symlink(tty_dir, root_ / "class/tty" / name);
    return tty_dir;
  }

  void VirtualTty(const std::string& name) {
    const fs::path tty_dir = root_ / "devices/virtual/tty" / name;
    fs::create_directories(tty_dir);
    fs::create_directory_symlink(tty_dir, root_ / "class/tty" / name);
  }

 private:
  QTemporaryDir dir_;
  fs::path root_;
};

TEST(SerialAdapters, ListsHardwarePortsWithDriverAndUsbDescription) {
  FakeSysfs sysfs;
  const std::string usb_device = "pci0000:00/0000:00:14.0/usb1/1-2";
  sysfs.Attribute(sysfs.Root() / "devices" / usb_device / "idVendor", "0403");
  sysfs.Attribute(sysfs.Root() / "devices" / usb_device / "idProduct", "6001");
  sysfs.Attribute(sysfs.Root() / "devices" / usb_device / "manufacturer", "FTDI");
  sysfs.Attribute(sysfs.Root() / "devices" / usb_device / "product", "FT232R USB UART");
  sysfs.Tty("ttyUSB0", usb_device + "/1-2:1.0/ttyUSB0", "ftdi_sio");
  // A chip that answers on a legacy address, and one that does not.
  sysfs.Attribute(sysfs.Tty("ttyS0", "platform/serial8250/tty0", "serial8250") / "type", "4");
  sysfs.Attribute(sysfs.Tty("ttyS1", "platform/serial8250/tty1", "serial8250") / "type", "0");
  sysfs.VirtualTty("tty1");
  sysfs.VirtualTty("ptmx");

  const std::vector<SerialAdapter> adapters = ListSerialAdapters(sysfs.Root());
  ASSERT_EQ(adapters.size(), 2u);
  EXPECT_EQ(adapters[0].device, "/dev/ttyS0");
  EXPECT_EQ(adapters[0].driver, "serial8250");
  EXPECT_EQ(adapters[0].description, "");
  EXPECT_EQ(adapters[1].device, "/dev/ttyUSB0");
  EXPECT_EQ(adapters[1].driver, "ftdi_sio");
  EXPECT_EQ(adapters[1].description, "FTDI FT232R USB UART (0403:6001)");
}

TEST(SerialAdapters, UsbDeviceWithoutNamesShowsItsIdsAndUnboundPortNoDriver) {
  FakeSysfs sysfs;
  sysfs.Attribute(sysfs.Root() / "devices/usb1/1-1/idVendor", "1a86");
  sysfs.Attribute(sysfs.Root() / "devices/usb1/1-1/idProduct", "7523");
  sysfs.Tty("ttyACM0", "usb1/1-1/1-1:1.0", "");
  const std::vector<SerialAdapter> adapters = ListSerialAdapters(sysfs.Root());
  ASSERT_EQ(adapters.size(), 1u);
  EXPECT_EQ(adapters[0].driver, "");
  EXPECT_EQ(adapters[0].description, "1a86:7523");
}

TEST(SerialAdapters, TreeThatCannotBeReadGivesNoAdapters) {
  EXPECT_TRUE(ListSerialAdapters("/no/such/sysfs").empty());
}

}  // namespace
}  // namespace tevral::ui
