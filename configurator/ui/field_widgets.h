#pragma once
// Builds the control of one field from its entry in the field inventory:
// named by the field's control name (the Qt form finds it by that name),
// with its hint, its default and, for a text field, its typing rules.

#include <QWidget>

#include "configurator/field_description.h"

namespace tevral::ui {

// A FieldEdit, QCheckBox, QComboBox (select only) or QRadioButton child of
// parent, at its default state. The caller places it.
QWidget* MakeFieldWidget(const FieldSpec& field_spec, QWidget* parent);

// Text of the inventory (labels, captions, hints: UTF-8) as a QString.
QString ToQString(std::string_view utf8);

}  // namespace tevral::ui
