#include "current/ui/field_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "current/cp1251.h"
#include "current/ui/field_edit.h"
#include "current/ui/port_combo_box.h"

namespace tevral::ui {
namespace {

QString FromCp1251(std::string_view text) {
  return QString::fromStdString(Cp1251ToUtf8(text));
}

TypingRules RulesOf(const FieldSpec& spec) {
  TypingRules rules;
  switch (spec.filter) {
    case InputFilter::kFree:
      rules.filter = TypingFilter::kFree;
      break;
    case InputFilter::kDigitsOnly:
      rules.filter = TypingFilter::kDigits;
      break;
    case InputFilter::kListed:
      rules.filter = TypingFilter::kListed;
      rules.listed = FromCp1251(spec.allowed);
      break;
  }
  rules.max_length = spec.max_length;
  return rules;
}

QWidget* MakeEdit(const FieldSpec& spec, QWidget* parent) {
  auto* edit = new FieldEdit(RulesOf(spec), parent);
  edit->SetProgramText(FromCp1251(spec.default_text));
  if (spec.alignment == Alignment::kCentre) edit->setAlignment(Qt::AlignCenter);
  return edit;
}

QWidget* MakeCheckBox(const FieldSpec& spec, QWidget* parent) {
  auto* box = new QCheckBox(ToQString(spec.label), parent);
  box->setChecked(spec.default_checked);
  return box;
}

QWidget* MakeChoice(const FieldSpec& spec, QWidget* parent) {
  // The port selector of every window shows short port names.
  QComboBox* combo = spec.name == "cbPort" ? new PortComboBox(parent) : new QComboBox(parent);
  combo->setEditable(false);
  for (const std::string_view item : spec.items) combo->addItem(FromCp1251(item));
  combo->setCurrentIndex(spec.default_index < combo->count() ? spec.default_index : -1);
  return combo;
}

// Radio buttons of one radio group share the parent's QButtonGroup of that
// name, so checking one unchecks the others even across group boxes.
QWidget* MakeRadio(const FieldSpec& spec, QWidget* parent) {
  auto* radio = new QRadioButton(ToQString(spec.label), parent);
  QWidget* window = parent->window();
  const QString group_name = QStringLiteral("radio:") + ToQString(spec.radio_group);
  auto* group = window->findChild<QButtonGroup*>(group_name);
  if (group == nullptr) {
    group = new QButtonGroup(window);
    group->setObjectName(group_name);
  }
  group->addButton(radio);
  radio->setChecked(spec.default_checked);
  return radio;
}

}  // namespace

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QWidget* MakeFieldWidget(const FieldSpec& spec, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (spec.kind) {
    case FieldKind::kText:
      widget = MakeEdit(spec, parent);
      break;
    case FieldKind::kCheck:
      widget = MakeCheckBox(spec, parent);
      break;
    case FieldKind::kChoice:
      widget = MakeChoice(spec, parent);
      break;
    case FieldKind::kRadio:
      widget = MakeRadio(spec, parent);
      break;
  }
  widget->setObjectName(ToQString(spec.name));
  if (!spec.hint.empty()) widget->setToolTip(ToQString(spec.hint));
  widget->setEnabled(spec.enabled);
  return widget;
}

}  // namespace tevral::ui
