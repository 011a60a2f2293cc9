#pragma once
// A read fills the window field by field as the panel answers. When it
// does not end well (a failed exchange, a port error, the user stopping
// it) the engineer must get back exactly what the window held before, not
// a mixture of new values, emptied fields and old ones: unsaved edits would
// be lost. RestoringForm passes everything on to the real form and keeps
// the value each field had before the read first changed it, so Restore()
// can put every changed field back.

#include <functional>
#include <string>
#include <vector>

#include "configurator/form.h"
#include "configurator/panel_session.h"

namespace tevral {

class RestoringForm : public Form {
 public:
  explicit RestoringForm(Form& target);

  // Puts back, into every field changed through this form, the value it had
  // before its first change, and forgets them.
  void Restore();

  std::string Text(std::string_view name) const override;
  void SetText(std::string_view name, const std::string& value) override;
  bool Checked(std::string_view name) const override;
  void SetChecked(std::string_view name, bool value) override;
  int ItemIndex(std::string_view name) const override;
  void SetItemIndex(std::string_view name, int index) override;
  void SetItems(std::string_view name, const std::vector<std::string>& items) override;
  void SetCaption(const std::string& caption) override;
  std::string Caption() const override;
  void SetProgressMax(int maximum) override;
  void StepProgress() override;
  void ResetProgress() override;
  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& message) override;

 private:
  enum class Kind { kText, kChecked, kItemIndex };
  struct Before {
    std::string name;
    Kind kind;
    std::string text;
    bool checked = false;
    int index = -1;
  };
  bool Remembered(std::string_view name) const;

  Form& target_;
  std::vector<Before> before_;
};

// Runs `read` against a RestoringForm over session.form. When it returns
// false or throws, every field it changed gets its old value back (the
// error then goes on to the caller).
bool RunRestoringFieldsOnFailure(PanelSession& session,
                                 const std::function<bool(PanelSession&)>& read);

}  // namespace tevral
