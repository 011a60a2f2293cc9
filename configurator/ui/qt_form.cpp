#include "configurator/ui/qt_form.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QProgressBar>
#include <algorithm>
#include <stdexcept>

#include "configurator/cp1251.h"
#include "configurator/field_table.h"
#include "configurator/ui/field_edit.h"

namespace tevral::ui {
namespace {

QString FromCp1251(const std::string& text) {
  return QString::fromStdString(Cp1251ToUtf8(text));
}

// Widgets hold only what has a code in 1251: typing refuses the rest and
// the program puts in only 1251 text. A character that slipped in anyway
// becomes "?", which is what the panel's software shows for it.
std::string ToCp1251(const QString& text) {
  std::string out;
  for (const char32_t code_point : text.toUcs4()) {
    out += CodePointToCp1251(code_point).value_or('?');
  }
  return out;
}

}  // namespace

QtForm::QtForm(QWidget* window, UserDialogs& dialogs, QString progress_bar_name)
    : window_(window), dialogs_(dialogs), progress_bar_name_(std::move(progress_bar_name)) {}

template <typename Widget>
Widget* QtForm::Find(std::string_view name) const {
  const QString object_name = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  QWidget* widget = window_ ? window_->findChild<QWidget*>(object_name) : nullptr;
  if (widget == nullptr) {
    throw std::logic_error("no control named " + std::string(name));
  }
  auto* typed = qobject_cast<Widget*>(widget);
  if (typed == nullptr) {
    throw std::logic_error("control " + std::string(name) + " is not of the kind asked for");
  }
  return typed;
}

std::string QtForm::Text(std::string_view name) const {
  const QString object_name = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  if (window_ && qobject_cast<QComboBox*>(window_->findChild<QWidget*>(object_name))) {
    return ToCp1251(Find<QComboBox>(name)->currentText());
  }
  return ToCp1251(Find<FieldEdit>(name)->text());
}

void QtForm::SetText(std::string_view name, const std::string& value) {
  const QString object_name = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  if (window_ && qobject_cast<QComboBox*>(window_->findChild<QWidget*>(object_name))) {
    auto* combo = Find<QComboBox>(name);
    combo->setCurrentIndex(combo->findText(FromCp1251(value), Qt::MatchExactly));
    return;
  }
  Find<FieldEdit>(name)->SetProgramText(FromCp1251(value));
}

bool QtForm::Checked(std::string_view name) const {
  return Find<QAbstractButton>(name)->isChecked();
}

void QtForm::SetChecked(std::string_view name, bool value) {
  auto* button = Find<QAbstractButton>(name);
  // An exclusive group refuses to uncheck its checked button; a settings
  // file may still ask for none of the group's buttons to be checked.
  QButtonGroup* group = button->group();
  const bool exclusive = group != nullptr && group->exclusive();
  const bool auto_exclusive = button->autoExclusive();
  if (!value) {
    if (exclusive) group->setExclusive(false);
    button->setAutoExclusive(false);
  }
  button->setChecked(value);
  if (exclusive) group->setExclusive(true);
  button->setAutoExclusive(auto_exclusive);
}

int QtForm::ItemIndex(std::string_view name) const {
  return Find<QComboBox>(name)->currentIndex();
}

void QtForm::SetItemIndex(std::string_view name, int index) {
  auto* combo = Find<QComboBox>(name);
  combo->setCurrentIndex(index >= 0 && index < combo->count() ? index : -1);
}

void QtForm::SetItems(std::string_view name, const std::vector<std::string>& items) {
  auto* combo = Find<QComboBox>(name);
  combo->clear();
  for (const std::string& item : items) combo->addItem(FromCp1251(item));
  combo->setCurrentIndex(-1);
}

void QtForm::SetCaption(const std::string& caption) {
  if (window_) window_->setWindowTitle(QString::fromStdString(caption));
}

std::string QtForm::Caption() const {
  return window_ ? window_->windowTitle().toStdString() : std::string();
}

QProgressBar* QtForm::ProgressBar() const {
  return Find<QProgressBar>(progress_bar_name_.toStdString());
}

void QtForm::SetProgressMax(int maximum) {
  ProgressBar()->setMaximum(maximum);
}

void QtForm::StepProgress() {
  QProgressBar* bar = ProgressBar();
  bar->setValue(std::min(std::max(bar->value(), bar->minimum()) + 1, bar->maximum()));
}

void QtForm::ResetProgress() {
  ProgressBar()->setValue(0);
}

void QtForm::ShowMessage(const std::string& text) {
  dialogs_.Message(window_, QString::fromStdString(text));
}

void QtForm::ShowError(const std::string& message) {
  dialogs_.Error(window_, QString::fromStdString(ErrorBoxText(message)));
}

}  // namespace tevral::ui
