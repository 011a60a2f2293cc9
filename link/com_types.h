#pragma once
// Enumerations of the serial port component; the ordinal is the order given.

#include <cstdint>
#include <optional>

namespace tevral::link {

enum class TBaudRate : int32_t {
  br110,
  br300,
  br600,
  br1200,
  br2400,
  br4800,
  br9600,
  br14400,
  br19200,
  br38400,
  br56000,
  br57600,
  br115200,
  br128000,
  br256000
};
enum class TByteSize : int32_t { bs5, bs6, bs7, bs8 };
enum class TParity : int32_t { paNone, paOdd, paEven, paMark, paSpace };
enum class TStopBits : int32_t { sb1, sb1_5, sb2 };
enum class TSyncMethod : int32_t { smThreadSync, smWindowSync, smNone };

// The line speed in baud of a rate ordinal; nothing for an ordinal outside 0-14
// (the speed box gives -1 when nothing is selected).
std::optional<uint32_t> BaudRateValue(TBaudRate rate);

}  // namespace tevral::link
