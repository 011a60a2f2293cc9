#pragma once
// What the panel answers to one request body.
//
// Requests (bodies of hexadecimal digit pairs):
//   "0039"                      identification
//   "00" cmd NN AAAA            read NN bytes at AAAA; cmd 01 = bank 0, 11 = bank 1
//   "00" cmd AAAA DD...         write the bytes DD... at AAAA; cmd 02 = bank 0, 12 = bank 1
//   "0008"                      the earlier firmware's "tables written" request
//
// Replies, each closed by the checksum pair of its text after the ":" (the
// request rule) and ";":
//   identification   ":0000" "39" TT VV vv DD MM YY hh mm ss  (type, version
//                    major and minor, date, time: one pair each, as stored)
//   limited panel    ":0000" "00"  (it does not know the request)
//   read             ":00" cmd NN followed by the NN data pairs
//   write            ":00" cmd  (an acknowledgement, 8 characters in all)
//   "0008"           ":0008"
// So characters 2-7 of every reply are its three-pair header, and a read's
// data starts at character 8. Anything else (unknown command, odd length,
// a character that is not a hexadecimal digit, a read body of the wrong
// length) gets no answer, as a panel ignores what it cannot parse.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "sim/panel_memory.h"

namespace tevral::sim {

struct PanelIdentity {
  uint8_t type = 0x01;
  uint8_t version_major = 0x03;
  uint8_t version_minor = 0x01;
  uint8_t day = 0x12;
  uint8_t month = 0x05;
  uint8_t year = 0x24;
  uint8_t hour = 0x10;
  uint8_t minute = 0x42;
  uint8_t second = 0x07;
  // A panel with older software that does not answer "39" to identification.
  bool limited = false;
};

// ":" + text + checksum pair + ";".
std::string CloseReply(std::string_view text);

// The reply to body, or nothing when the panel ignores it. Reads and writes
// go to memory.
std::optional<std::string> AnswerRequest(std::string_view body, PanelMemory& memory,
                                         const PanelIdentity& identity);

}  // namespace tevral::sim
