#include "configurator/partial_write_note.h"

namespace tevral {

void NotePartWritten(link::Exchanges& exchanges) {
  exchanges.FailureNote = kPartialWriteNote;
}

PartialWriteNote::PartialWriteNote(link::Exchanges& exchanges) : exchanges_(exchanges) {
  exchanges_.FailureNote.clear();
}

PartialWriteNote::~PartialWriteNote() {
  exchanges_.FailureNote.clear();
}

}  // namespace tevral
