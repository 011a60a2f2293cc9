#pragma once
// The fuzz entry points. Each takes arbitrary bytes, drives one parser or
// decoder with them and checks the properties that must hold for any
// input; none may crash, hang, leak or read out of bounds. libFuzzer calls
// one of them per program (fuzz_main.cpp); the regular tests replay the
// seed corpus of every one of them (fuzz/corpus/<name>/).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace tevral::fuzz {

using Entry = int (*)(const uint8_t* data, size_t size);

struct Target {
  std::string_view name;  // also the folder of its seed corpus
  Entry entry;
};

// Frame checksum and framing of a request body.
int FuzzFrame(const uint8_t* data, size_t size);
// The simulated panel's frame parser fed a byte stream in pieces, and its
// answers to whatever frames come out.
int FuzzPanelFrameParser(const uint8_t* data, size_t size);
// The identification reply: the code, the caption line, the version.
int FuzzIdentification(const uint8_t* data, size_t size);
// Every decoder of the current program fed one reply.
int FuzzCurrentReply(const uint8_t* data, size_t size);
// Every decoder of the earlier program fed one reply.
int FuzzEarlierReply(const uint8_t* data, size_t size);
// ServerAddress and TransportFlags both ways, and the event-code table as
// the panel stores it.
int FuzzEarlierEncodings(const uint8_t* data, size_t size);
// The INI reader and writer.
int FuzzIniFile(const uint8_t* data, size_t size);
// The settings load of both programs' key sets, and a save of what it gave.
int FuzzSettingsLoad(const uint8_t* data, size_t size);

std::span<const Target> Targets();

}  // namespace tevral::fuzz
