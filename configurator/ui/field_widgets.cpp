#include "configurator/ui/field_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>

#include "configurator/cp1251.h"
#include "configurator/ui/field_edit.h"
#include "configurator/ui/port_combo_box.h"

namespace tevral::ui {
namespace {

QString FromCp1251(std::string_view text) {
  return QString::fromStdString(Cp1251ToUtf8(text));
}

TypingRules RulesOf(const FieldSpec& field_spec) {
  TypingRules rules;
  switch (field_spec.filter) {
    case InputFilter::kFree:
      rules.filter = TypingFilter::kFree;
      break;
    case InputFilter::kDigitsOnly:
      rules.filter = TypingFilter::kDigits;
      break;
    case InputFilter::kListed:
      rules.filter = TypingFilter::kListed;
      rules.listed = FromCp1251(field_spec.allowed);
      break;
  }
  rules.max_length = field_spec.max_length;
  return rules;
}

QWidget* MakeEdit(const FieldSpec& field_spec, QWidget* parent) {
  auto* edit = new FieldEdit(RulesOf(field_spec), parent);
  edit->SetProgramText(FromCp1251(field_spec.default_text));
  if (field_spec.alignment == Alignment::kCentre) edit->setAlignment(Qt::AlignCenter);
  return edit;
}

QWidget* MakeCheckBox(const FieldSpec& field_spec, QWidget* parent) {
  auto* box = new QCheckBox(ToQString(field_spec.label), parent);
  box->setChecked(field_spec.default_checked);
  return box;
}

QWidget* MakeChoice(const FieldSpec& field_spec, QWidget* parent) {
  // The port selector of every window shows short port names.
  QComboBox* combo = field_spec.name == "cbPort" ? new PortComboBox(parent) : new QComboBox(parent);
  combo->setEditable(false);
  for (const std::string_view item : field_spec.items) combo->addItem(FromCp1251(item));
  combo->setCurrentIndex(field_spec.default_index < combo->count() ? field_spec.default_index : -1);
  return combo;
}

// Radio buttons of one radio group share the parent's QButtonGroup of that
// name, so checking one unchecks the others even across group boxes.
QWidget* MakeRadio(const FieldSpec& field_spec, QWidget* parent) {
  auto* radio = new QRadioButton(ToQString(field_spec.label), parent);
  QWidget* window = parent->window();
  const QString group_name = QStringLiteral("radio:") + ToQString(field_spec.radio_group);
  auto* group = window->findChild<QButtonGroup*>(group_name);
  if (group == nullptr) {
    group = new QButtonGroup(window);
    group->setObjectName(group_name);
  }
  group->addButton(radio);
  radio->setChecked(field_spec.default_checked);
  return radio;
}

}  // namespace

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QWidget* MakeFieldWidget(const FieldSpec& field_spec, QWidget* parent) {
  QWidget* widget = nullptr;
  switch (field_spec.kind) {
    case FieldKind::kText:
      widget = MakeEdit(field_spec, parent);
      break;
    case FieldKind::kCheck:
      widget = MakeCheckBox(field_spec, parent);
      break;
    case FieldKind::kChoice:
      widget = MakeChoice(field_spec, parent);
      break;
    case FieldKind::kRadio:
      widget = MakeRadio(field_spec, parent);
      break;
  }
  widget->setObjectName(ToQString(field_spec.name));
  if (!field_spec.hint.empty()) widget->setToolTip(ToQString(field_spec.hint));
  widget->setEnabled(field_spec.enabled);
  return widget;
}

}  // namespace tevral::ui
