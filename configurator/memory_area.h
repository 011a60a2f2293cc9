#pragma once
// A stored item of the panel's memory (bank, address, what a read fetches
// and the most a write stores) and the request bodies built from it, for
// the memory maps of both firmwares.
//
// Bodies are uppercase hexadecimal digits, two per byte:
//   read:  00, the bank's read command, the byte count, the address (high
//          byte first);
//   write: 00, the bank's write command, the address, the data bytes (the
//          count follows from the body's length).

#include <cstdint>
#include <string>
#include <string_view>

namespace tevral {

enum class Bank { k0, k1 };

// Read command bytes 01 / 11, write command bytes 02 / 12.
uint8_t ReadCommand(Bank bank);
uint8_t WriteCommand(Bank bank);

std::string ReadBody(Bank bank, uint8_t count, uint16_t address);
std::string WriteBody(Bank bank, uint16_t address, std::string_view data);

// One stored item.
struct MemoryArea {
  Bank bank;
  uint16_t address;
  uint8_t read_bytes;  // what a read fetches (0: never read)
  int write_bytes;     // the most a write stores, terminator included

  std::string ReadBody() const { return tevral::ReadBody(bank, read_bytes, address); }
  std::string WriteBody(std::string_view data) const {
    return tevral::WriteBody(bank, address, data);
  }
};

}  // namespace tevral
