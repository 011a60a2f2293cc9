#pragma once
// A text field of the panel configuration: an input filter and a maximum
// length that act on what the user types or pastes, never on text the
// program puts in. A value read from the panel or a settings file is shown
// exactly as it came, even when it is longer than the maximum or holds
// characters the filter would refuse; so no QValidator (which would reject
// setText) and no QLineEdit::setMaxLength (which would cut it).

#include <QLineEdit>
#include <QString>

namespace tevral::ui {

enum class TypingFilter {
  kFree,    // any character that has a code in 1251
  kDigits,  // 0-9 only; the field never stays empty, it shows "0"
  kListed,  // only the characters of the field's list
};

struct TypingRules {
  TypingFilter filter = TypingFilter::kFree;
  QString listed;      // for kListed
  int max_length = 0;  // 0: no limit
};

class FieldEdit : public QLineEdit {
  Q_OBJECT
 public:
  FieldEdit(const TypingRules& rules, QWidget* parent = nullptr);

  // Text set by the program: shown unchanged, except that a digits-only
  // field shows "0" for an empty text.
  void SetProgramText(const QString& text);

  const TypingRules& Rules() const { return rules_; }

  // Whether one typed character may go in (filter and code page only).
  bool AcceptsCharacter(char32_t code_point) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // The part of typed or pasted text that the rules let in, cut to the room
  // the maximum length leaves beside the current text and selection.
  QString Admissible(const QString& typed) const;
  int RoomLeft() const;
  void PasteFiltered();
  void ShowZeroWhenEmpty();

  TypingRules rules_;
};

}  // namespace tevral::ui
