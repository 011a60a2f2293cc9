#include "configurator/ui/field_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <limits>

#include "configurator/cp1251.h"

namespace tevral::ui {

FieldEdit::FieldEdit(const TypingRules& rules, QWidget* parent) : QLineEdit(parent), rules_(rules) {
  // Dropped text would bypass the filter; the panel fields are short enough
  // that nobody drags into them.
  setAcceptDrops(false);
  setDragEnabled(false);
}

void FieldEdit::SetProgramText(const QString& text) {
  if (text.isEmpty() && rules_.filter == TypingFilter::kDigits) {
    setText(QStringLiteral("0"));
  } else {
    setText(text);
  }
  // A long text shows from its beginning, as it would after typing Home.
  setCursorPosition(0);
}

bool FieldEdit::AcceptsCharacter(char32_t code_point) const {
  if (!CodePointToCp1251(code_point).has_value()) return false;
  switch (rules_.filter) {
    case TypingFilter::kFree:
      return true;
    case TypingFilter::kDigits:
      return code_point >= U'0' && code_point <= U'9';
    case TypingFilter::kListed:
      for (const char32_t listed : rules_.listed.toUcs4()) {
        if (listed == code_point) return true;
      }
      return false;
  }
  return false;
}

int FieldEdit::RoomLeft() const {
  if (rules_.max_length <= 0) return std::numeric_limits<int>::max();
  const int kept = static_cast<int>(text().size() - selectedText().size());
  return std::max(0, rules_.max_length - kept);
}

QString FieldEdit::Admissible(const QString& typed) const {
  QString accepted;
  int room = RoomLeft();
  for (const char32_t code_point : typed.toUcs4()) {
    if (room == 0) break;
    if (!AcceptsCharacter(code_point)) continue;
    accepted.append(QString::fromUcs4(&code_point, 1));
    --room;
  }
  return accepted;
}

void FieldEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) {
    PasteFiltered();
    event->accept();
    return;
  }
  const QString typed = event->text();
  // Editing keys (backspace, Tab, Enter, Ctrl+letter shortcuts) carry control
  // characters or nothing; they are never filtered.
  const bool is_character =
      !typed.isEmpty() && typed.at(0).unicode() >= 0x20 && typed.at(0).unicode() != 0x7F;
  if (is_character && Admissible(typed) != typed) {
    event->accept();
    return;
  }
  QLineEdit::keyPressEvent(event);
}

void FieldEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString commit = event->commitString();
  if (commit.isEmpty() || Admissible(commit) == commit) {
    QLineEdit::inputMethodEvent(event);
    return;
  }
  QInputMethodEvent filtered(event->preeditString(), event->attributes());
  filtered.setCommitString(Admissible(commit), event->replacementStart(),
                           event->replacementLength());
  QLineEdit::inputMethodEvent(&filtered);
}

void FieldEdit::PasteFiltered() {
  if (isReadOnly()) return;
  const QString pasted = Admissible(QApplication::clipboard()->text());
  if (!pasted.isEmpty()) insert(pasted);
}

void FieldEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The menu's own paste would insert the clipboard unfiltered.
  if (QAction* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
    disconnect(paste, &QAction::triggered, nullptr, nullptr);
    connect(paste, &QAction::triggered, this, &FieldEdit::PasteFiltered);
  }
  menu->popup(event->globalPos());
}

void FieldEdit::ShowZeroWhenEmpty() {
  if (rules_.filter == TypingFilter::kDigits && text().isEmpty()) {
    setText(QStringLiteral("0"));
  }
}

void FieldEdit::focusOutEvent(QFocusEvent* event) {
  ShowZeroWhenEmpty();
  QLineEdit::focusOutEvent(event);
}

}  // namespace tevral::ui
