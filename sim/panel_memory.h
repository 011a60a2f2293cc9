#pragma once
// The panel's two memory banks, 64 KiB each with 16-bit addresses. Safe to
// use from the serving thread and from tests or a window at the same time.
//
// An access that runs past 0xFFFF wraps round to 0x0000, as the panel's
// 16-bit address counter does.
//
// A memory image on disk is the two banks back to back: bank 0 then bank 1,
// 131072 bytes, nothing else. That is what a demo or a command-line panel
// loads at start and saves at the end.

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace tevral::sim {

class PanelMemory {
 public:
  static constexpr size_t kBankSize = 0x10000;
  static constexpr int kBanks = 2;
  static constexpr size_t kImageSize = kBankSize * kBanks;

  // A fresh panel's memory: every byte 0xFF, as erased flash reads.
  PanelMemory();

  // bank is 0 or 1; anything else throws std::out_of_range.
  std::vector<uint8_t> Read(int bank, uint16_t address, size_t count) const;
  void Write(int bank, uint16_t address, const std::vector<uint8_t>& bytes);
  void Fill(uint8_t value);

  // Throws std::runtime_error naming the file when it cannot be read or
  // written, or when an image to load is not exactly kImageSize bytes long;
  // a failed load leaves the memory as it was.
  void LoadImage(const std::string& path);
  void SaveImage(const std::string& path) const;

 private:
  using Bank = std::array<uint8_t, kBankSize>;
  Bank& BankAt(int bank);
  const Bank& BankAt(int bank) const;

  mutable std::mutex mutex_;
  std::array<Bank, kBanks> banks_{};
};

}  // namespace tevral::sim
