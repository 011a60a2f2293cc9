#include <iostream>

#include "configurator/console.h"

namespace tevral {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  return args;
}

// A terminal here takes UTF-8 as it is.
struct ConsoleStreams::Streams {};

ConsoleStreams::ConsoleStreams() = default;

ConsoleStreams::~ConsoleStreams() {
  std::cout.flush();
  std::cerr.flush();
}

std::ostream& ConsoleStreams::Out() {
  return std::cout;
}

std::ostream& ConsoleStreams::Err() {
  return std::cerr;
}

}  // namespace tevral
