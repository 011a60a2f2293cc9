#pragma once
// What the exchanges need from whoever runs them (the window, the command
// line, a test): the progress bar and a modal message.

#include <string>

namespace tevral::link {

class ExchangeHost {
 public:
  virtual ~ExchangeHost() = default;
  // Position plus one, never past the maximum.
  virtual void StepProgress() = 0;
  // Position back to 0.
  virtual void ResetProgress() = 0;
  // A modal message box with one OK; returns when the user has dismissed it.
  // The text is UTF-8.
  virtual void ShowMessage(const std::string& text) = 0;
};

}  // namespace tevral::link
