#include "configurator/progress_line.h"

#include <algorithm>

namespace tevral {

void ProgressLine::Show(int done, int total) {
  if (!enabled_) return;
  std::string text = phase_ + ": обмін " + std::to_string(done) + " з " + std::to_string(total);
  // Blanks over what a longer previous line left, then back to its start.
  const std::size_t length = text.size();
  if (length < shown_) text += std::string(shown_ - length, ' ');
  err_ << '\r' << text << std::flush;
  shown_ = std::max(shown_, length);
}

void ProgressLine::Clear() {
  if (!enabled_ || shown_ == 0) return;
  err_ << '\r' << std::string(shown_, ' ') << '\r' << std::flush;
  shown_ = 0;
}

void ProgressTable::SetProgressMax(int maximum) {
  FieldTable::SetProgressMax(maximum);
  line_.Show(ProgressPosition(), ProgressMax());
}

void ProgressTable::StepProgress() {
  FieldTable::StepProgress();
  line_.Show(ProgressPosition(), ProgressMax());
}

void ProgressTable::ResetProgress() {
  FieldTable::ResetProgress();
  line_.Clear();
}

}  // namespace tevral
