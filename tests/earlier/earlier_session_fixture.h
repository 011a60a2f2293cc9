#pragma once
// A simulated panel of the earlier firmware on a pseudo-terminal, the
// headless earlier window pointed at it, and the real port component and
// exchanges between them: the sequences run as in the program, over the
// real serial layer.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "configurator/field_table.h"
#include "configurator/panel_session.h"
#include "earlier/earlier_fields.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"
#include "sim/earlier_panel_image.h"
#include "sim/simulated_panel.h"

namespace tevral::earlier::test {

class EarlierSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    panel_.SetIdentity(sim::EarlierPanelIdentity());
    sim::WriteEarlierPanelImage(panel_.Memory());
    panel_.Start();
    form_.SetItems("cbPort", {panel_.DevicePath()});
    form_.SetItemIndex("cbPort", 0);
    ApplyPanelTimeouts(port_);
  }
  void TearDown() override {
    port_.Close();
    panel_.Stop();
  }

  void MakeLimited() {
    sim::PanelIdentity identity = sim::EarlierPanelIdentity();
    identity.limited = true;
    panel_.SetIdentity(identity);
  }

  // The frames the panel received, exactly, in order.
  std::vector<std::string> Frames() const {
    std::vector<std::string> frames;
    for (const auto& record : panel_.Requests()) frames.push_back(record.frame);
    return frames;
  }
  // Their bodies, without ":", the checksum and ";".
  std::vector<std::string> RequestBodies() const {
    std::vector<std::string> bodies;
    for (const std::string& frame : Frames()) {
      bodies.push_back(frame.size() >= 4 ? frame.substr(1, frame.size() - 4) : frame);
    }
    return bodies;
  }

  std::vector<uint8_t> Memory(int bank, uint16_t address, size_t count) {
    return panel_.Memory().Read(bank, address, count);
  }

  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const FormEvent& e : form_.Events()) {
      if (e.kind != FormEvent::Kind::kCaption) texts.push_back(e.text);
    }
    return texts;
  }

  sim::SimulatedPanel panel_;
  FieldTable form_{EarlierFields()};
  link::TBComPort port_;
  link::Exchanges exchanges_{port_, form_};
  PanelSession session_{form_, port_, exchanges_};
};

// "7414 0F" -> the bytes 74 14 0F (blanks ignored).
inline std::vector<uint8_t> Bytes(std::string_view hex) {
  std::vector<uint8_t> bytes;
  std::string digits;
  for (char c : hex) {
    if (c != ' ') digits += c;
  }
  for (size_t i = 0; i + 1 < digits.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

inline std::vector<uint8_t> TextBytes(std::string_view text, std::string_view end_hex) {
  std::vector<uint8_t> bytes(text.begin(), text.end());
  for (uint8_t b : Bytes(end_hex)) bytes.push_back(b);
  return bytes;
}

}  // namespace tevral::earlier::test
