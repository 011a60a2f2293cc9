#pragma once
// A simulated panel on a pseudo-terminal, the headless window pointed at it,
// and the real port component and exchanges between them: the sequences
// run exactly as in the program, over the real serial layer.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "configurator/field_table.h"
#include "configurator/panel_session.h"
#include "current/fields.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"
#include "sim/simulated_panel.h"

namespace tevral::current::panel_test {

// "7414 0F" -> the bytes 74 14 0F (blanks ignored).
inline std::vector<uint8_t> Bytes(std::string_view hex) {
  std::vector<uint8_t> bytes;
  std::string digits;
  for (char c : hex) {
    if (c != ' ') digits += c;
  }
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

inline std::vector<uint8_t> TextBytes(std::string_view text) {
  return std::vector<uint8_t>(text.begin(), text.end());
}

class PanelSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel_.Start();
    form_.SetItems("cbPort", {panel_.DevicePath()});
    form_.SetItemIndex("cbPort", 0);
    ApplyPanelTimeouts(port_);
  }
  void TearDown() override {
    port_.Close();
    panel_.Stop();
  }

  // The bodies of the frames the panel received, in order, without the
  // ":" and the checksum.
  std::vector<std::string> RequestBodies() const {
    std::vector<std::string> bodies;
    for (const auto& record : panel_.Requests()) {
      const std::string& frame = record.frame;
      bodies.push_back(frame.size() >= 4 ? frame.substr(1, frame.size() - 4) : frame);
    }
    return bodies;
  }

  std::vector<uint8_t> Bank(int bank) {
    return panel_.Memory().Read(bank, 0, sim::PanelMemory::kBankSize);
  }

  std::vector<FormEvent> Events() const { return form_.Events(); }

  sim::SimulatedPanel panel_;
  FieldTable form_{CurrentFields()};
  link::TBComPort port_;
  link::Exchanges exchanges_{port_, form_};
  PanelSession session_{form_, port_, exchanges_};
};

}  // namespace tevral::current::panel_test
