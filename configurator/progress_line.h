#pragma once
// The command line's one-line progress on a terminal: "запис: обмін 7 з 25",
// rewritten in place as each exchange is answered, cleared before any
// message is printed and at the end. Off, it prints nothing, so piped output
// holds only the messages.

#include <ostream>
#include <string>

#include "configurator/field_table.h"

namespace tevral {

class ProgressLine {
 public:
  ProgressLine(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}
  ~ProgressLine() { Clear(); }
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void SetPhase(std::string phase) { phase_ = std::move(phase); }
  void Show(int done, int total);
  // Removes the line, so the next message starts on a clean one.
  void Clear();

 private:
  std::ostream& err_;
  bool enabled_;
  std::string phase_;
  std::size_t shown_ = 0;  // characters of the line on screen
};

// A headless window whose progress bar is the progress line.
class ProgressTable : public FieldTable {
 public:
  ProgressTable(FieldInventory fields, ProgressLine& line) : FieldTable(fields), line_(line) {}
  ProgressTable(const FieldTable& start, ProgressLine& line) : FieldTable(start), line_(line) {}

  void SetProgressMax(int maximum) override;
  void StepProgress() override;
  void ResetProgress() override;

 private:
  ProgressLine& line_;
};

}  // namespace tevral
