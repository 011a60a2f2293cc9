#include "configurator/port_probe.h"

#include "configurator/identification_line.h"
#include "configurator/panel_session.h"
#include "link/com_errors.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"

namespace tevral {

namespace {

// The probe shows nothing: no progress, no message boxes.
class SilentHost final : public link::ExchangeHost {
 public:
  void StepProgress() override {}
  void ResetProgress() override {}
  void ShowMessage(const std::string&) override {}
};

bool EndsReply(const std::string& reply) {
  return !reply.empty() && reply.back() == ';';
}

}  // namespace

ProbeOutcome ProbePort(const std::string& port_name, int baud_index) {
  ProbeOutcome outcome{port_name, ProbeOutcome::Kind::kSilent, {}};
  link::TBComPort port;
  ApplyPanelTimeouts(port);
  SilentHost host;
  link::Exchanges exchanges(port, host);
  try {
    port.SetPort(port_name);
    port.SetBaudRate(static_cast<link::TBaudRate>(baud_index));
    port.Open();
    exchanges.QuietFailure = 1;
    exchanges.RequestText = std::string(kIdentifyBody);
    exchanges.ReadExchange();
  } catch (const link::EComPort& error) {
    port.Close();
    outcome.kind = ProbeOutcome::Kind::kNotOpened;
    outcome.text = error.what();
    return outcome;
  }
  port.Close();
  const std::string& reply = exchanges.ReplyText;
  if (CarriesIdentificationCode(reply)) {
    outcome.kind = ProbeOutcome::Kind::kIdentified;
    outcome.text = IdentificationLine(reply);
  } else if (EndsReply(reply)) {
    outcome.kind = ProbeOutcome::Kind::kAnswered;
    outcome.text = std::string(kLimitedCaption);
  }
  return outcome;
}

std::vector<std::string> UsbAdapterPorts(const std::vector<link::PortDetails>& ports) {
  std::vector<std::string> usb;
  for (const link::PortDetails& port : ports) {
    if (port.usb) usb.push_back(port.device);
  }
  return usb;
}

std::string DescribePort(const link::PortDetails& port) {
  std::string line = port.device + "  ";
  if (port.usb) {
    line += "USB " + port.UsbDescription();
    if (!port.serial.empty()) line += ", серійний номер " + port.serial;
  } else {
    line += "вбудований порт";
  }
  line += ", драйвер " + (port.driver.empty() ? std::string("невідомий") : port.driver);
  return line;
}

}  // namespace tevral
