#include "configurator/memory_area.h"

#include "configurator/codecs.h"

namespace tevral {

uint8_t ReadCommand(Bank bank) {
  return bank == Bank::k0 ? 0x01 : 0x11;
}
uint8_t WriteCommand(Bank bank) {
  return bank == Bank::k0 ? 0x02 : 0x12;
}

std::string ReadBody(Bank bank, uint8_t count, uint16_t address) {
  return "00" + IntToHex(ReadCommand(bank), 2) + IntToHex(count, 2) + IntToHex(address, 4);
}

std::string WriteBody(Bank bank, uint16_t address, std::string_view data) {
  return "00" + IntToHex(WriteCommand(bank), 2) + IntToHex(address, 4) + std::string(data);
}

}  // namespace tevral
