#pragma once
// The command line's contact with the process: its arguments and its two
// output streams, all UTF-8 text.
//
// On Windows the arguments come from the wide command line (argv is in the
// ANSI code page, where a Cyrillic file name is lost), text written to a
// console goes out as UTF-16 so it shows whatever the console's code page,
// and text written to a file or a pipe stays UTF-8. A window program has no
// console of its own: started from one with a command, it writes to the
// console it was started from. Elsewhere argv and the standard streams
// are used as they are.

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace tevral {

// The arguments after the program's name, as UTF-8.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

// Standard output and standard error for UTF-8 text; flushed when the
// object goes.
class ConsoleStreams {
 public:
  ConsoleStreams();
  ~ConsoleStreams();
  ConsoleStreams(const ConsoleStreams&) = delete;
  ConsoleStreams& operator=(const ConsoleStreams&) = delete;

  std::ostream& Out();
  std::ostream& Err();

 private:
  struct Streams;
  std::unique_ptr<Streams> streams_;
};

}  // namespace tevral
