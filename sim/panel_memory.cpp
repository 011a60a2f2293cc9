#include "sim/panel_memory.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace tevral::sim {

PanelMemory::PanelMemory() {
  Fill(0xFF);
}

PanelMemory::Bank& PanelMemory::BankAt(int bank) {
  if (bank < 0 || bank >= kBanks) throw std::out_of_range("no memory bank " + std::to_string(bank));
  return banks_[static_cast<size_t>(bank)];
}

const PanelMemory::Bank& PanelMemory::BankAt(int bank) const {
  if (bank < 0 || bank >= kBanks) throw std::out_of_range("no memory bank " + std::to_string(bank));
  return banks_[static_cast<size_t>(bank)];
}

std::vector<uint8_t> PanelMemory::Read(int bank, uint16_t address, size_t count) const {
  std::lock_guard lock(mutex_);
  const Bank& source = BankAt(bank);
  std::vector<uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = source[(address + i) % kBankSize];
  return bytes;
}

void PanelMemory::Write(int bank, uint16_t address, const std::vector<uint8_t>& bytes) {
  std::lock_guard lock(mutex_);
  Bank& target = BankAt(bank);
  for (size_t i = 0; i < bytes.size(); ++i) target[(address + i) % kBankSize] = bytes[i];
}

void PanelMemory::Fill(uint8_t value) {
  std::lock_guard lock(mutex_);
  for (Bank& bank : banks_) bank.fill(value);
}

void PanelMemory::LoadImage(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open memory image " + path);
  std::vector<char> image(kImageSize + 1);
  in.read(image.data(), static_cast<std::streamsize>(image.size()));
  if (in.bad()) throw std::runtime_error("cannot read memory image " + path);
  if (static_cast<size_t>(in.gcount()) != kImageSize) {
    throw std::runtime_error("memory image " + path + " is not " + std::to_string(kImageSize) +
                             " bytes long");
  }
  std::lock_guard lock(mutex_);
  for (size_t i = 0; i < kImageSize; ++i) {
    banks_[i / kBankSize][i % kBankSize] = static_cast<uint8_t>(image[i]);
  }
}

void PanelMemory::SaveImage(const std::string& path) const {
  std::vector<char> image(kImageSize);
  {
    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < kImageSize; ++i) {
      image[i] = static_cast<char>(banks_[i / kBankSize][i % kBankSize]);
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(image.data(), static_cast<std::streamsize>(image.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write memory image " + path);
}

}  // namespace tevral::sim
