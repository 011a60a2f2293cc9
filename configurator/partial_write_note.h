#pragma once
// A write has no undo: once the panel has taken one of its requests, a
// failure leaves it with some of the new settings and its old values for
// the rest. The failure checklist then says so in one more line, so the
// engineer knows the write must be repeated. A write that fails before
// the panel took anything (a silent line) gets the checklist alone.

#include "link/exchanges.h"

namespace tevral {

inline constexpr const char* kPartialWriteNote =
    "ППКП може містити лише частину нових налаштувань - повторіть запис.";

// Marks the exchanges of a write whose request the panel has just
// acknowledged: a failure from now on carries kPartialWriteNote.
void NotePartWritten(link::Exchanges& exchanges);

// Lives as long as one write: the exchanges start without the note and are
// left without it, whatever way the write ends.
class PartialWriteNote {
 public:
  explicit PartialWriteNote(link::Exchanges& exchanges);
  ~PartialWriteNote();
  PartialWriteNote(const PartialWriteNote&) = delete;
  PartialWriteNote& operator=(const PartialWriteNote&) = delete;

 private:
  link::Exchanges& exchanges_;
};

}  // namespace tevral
