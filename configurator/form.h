#pragma once
// The window is the model: every configuration value lives in a control
// named by its control name (AdvEdit_Object, sCheckBoxVerConn, cbPort...),
// and the panel sequences and settings files reach the values only through
// this interface. The Qt window implements it over its widgets; the
// headless field table implements it for the command line and tests.
//
// Field texts are single-byte code page 1251 strings, as the panel and the
// settings files hold them. Captions and messages are UTF-8.
//
// Rules both implementations keep: a digits-only text field set to ""
// shows "0"; a choice set to an index outside its items has index -1.

#include <string>
#include <string_view>
#include <vector>

#include "link/exchange_host.h"

namespace tevral {

class Form : public link::ExchangeHost {
 public:
  // Text fields (and, for a choice, the text of its selected item; "" when
  // nothing is selected).
  virtual std::string Text(std::string_view name) const = 0;
  virtual void SetText(std::string_view name, const std::string& value) = 0;
  // Check boxes.
  virtual bool Checked(std::string_view name) const = 0;
  virtual void SetChecked(std::string_view name, bool value) = 0;
  // Choices: index of the selected item, -1 for none.
  virtual int ItemIndex(std::string_view name) const = 0;
  virtual void SetItemIndex(std::string_view name, int index) = 0;
  // Replaces a choice's items (the port list); selection becomes -1.
  virtual void SetItems(std::string_view name, const std::vector<std::string>& items) = 0;

  virtual void SetCaption(const std::string& caption) = 0;
  virtual std::string Caption() const = 0;
  virtual void SetProgressMax(int maximum) = 0;
  // The application's error box: the message with "." appended when its
  // last character's code is above that of ".".
  virtual void ShowError(const std::string& message) = 0;
};

}  // namespace tevral
