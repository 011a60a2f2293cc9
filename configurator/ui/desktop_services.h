#pragma once
// The services of the desktop the window uses: the information sound, the
// system's device manager and the web and mail links of the about window.
// Tests stand in for them to see that the right ones are asked for.

class QUrl;
class QWidget;

namespace tevral::ui {

class DesktopServices {
 public:
  virtual ~DesktopServices() = default;
  virtual void InformationSound() = 0;
  // Where the engineer finds which port the panel's adapter got. The result
  // is not reported: a device manager that does not start is not an error.
  virtual void OpenDeviceManager(QWidget* parent) = 0;
  virtual void OpenAddress(const QUrl& address) = 0;
};

class SystemDesktopServices : public DesktopServices {
 public:
  void InformationSound() override;
  void OpenDeviceManager(QWidget* parent) override;
  void OpenAddress(const QUrl& address) override;
};

// The platform's device manager (posix/ and win32/).
void OpenSystemDeviceManager(QWidget* parent);

}  // namespace tevral::ui
