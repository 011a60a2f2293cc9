#include "configurator/field_overrides.h"

#include <algorithm>

#include "configurator/cp1251.h"

namespace tevral {

namespace {

const FieldSpec* FindSettableField(const FieldTable& form, const ComparisonPlan& plan,
                                   std::string_view name_or_label) {
  std::string_view name = name_or_label;
  if (const ComparedField* compared = FindComparedField(plan, name_or_label)) {
    name = compared->name;
  }
  const FieldSpec* field = FindField(form.Inventory(), name);
  return (field && !field->connection) ? field : nullptr;
}

std::optional<std::string> CheckTyped(const FieldSpec& field, const std::string& cp1251) {
  for (char c : cp1251) {
    if (!FilterAccepts(field, c)) {
      return "поле не приймає знак «" + Cp1251ToUtf8(std::string(1, c)) + "»";
    }
  }
  if (field.max_length > 0 && cp1251.size() > static_cast<std::size_t>(field.max_length)) {
    return "поле приймає не більше " + std::to_string(field.max_length) + " знаків";
  }
  return std::nullopt;
}

std::optional<std::string> SetText(FieldTable& form, const FieldSpec& field,
                                   const std::string& value) {
  const std::optional<std::string> cp1251 = Utf8ToCp1251(value);
  if (!cp1251) return "значення містить знак, якого немає в кодовій сторінці 1251";
  if (auto refusal = CheckTyped(field, *cp1251)) return refusal;
  form.SetText(field.name, *cp1251);
  return std::nullopt;
}

std::optional<std::string> SetBox(FieldTable& form, const FieldSpec& field,
                                  const std::string& value) {
  if (value != "1" && value != "0") return "прапорець приймає 1 або 0";
  // Unchecking one radio button would leave its group with none checked.
  if (field.kind == FieldKind::kRadio && value == "0") {
    return "перемикач вмикається 1; вимикає його інший перемикач групи";
  }
  form.SetChecked(field.name, value == "1");
  return std::nullopt;
}

std::optional<std::string> SetChoice(FieldTable& form, const FieldSpec& field,
                                     const std::string& value) {
  const auto found = std::find(field.items.begin(), field.items.end(), value);
  if (found == field.items.end()) {
    std::string items;
    for (std::string_view item : field.items)
      items += (items.empty() ? "" : ", ") + std::string(item);
    return "список приймає одне з: " + items;
  }
  form.SetItemIndex(field.name, static_cast<int>(found - field.items.begin()));
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ApplyFieldOverride(FieldTable& form, const ComparisonPlan& plan,
                                              std::string_view assignment) {
  const std::size_t equals = assignment.find('=');
  if (equals == std::string_view::npos || equals == 0) {
    return "--set " + std::string(assignment) + ": потрібно НАЗВА=ЗНАЧЕННЯ";
  }
  const std::string_view name = assignment.substr(0, equals);
  const std::string value(assignment.substr(equals + 1));
  const FieldSpec* field = FindSettableField(form, plan, name);
  if (!field) return "--set " + std::string(assignment) + ": немає такого поля";
  if (!field->enabled)
    return "--set " + std::string(assignment) + ": у вікні це поле не змінюється";
  std::optional<std::string> refusal;
  switch (field->kind) {
    case FieldKind::kText:
      refusal = SetText(form, *field, value);
      break;
    case FieldKind::kCheck:
    case FieldKind::kRadio:
      refusal = SetBox(form, *field, value);
      break;
    case FieldKind::kChoice:
      refusal = SetChoice(form, *field, value);
      break;
  }
  if (refusal)
    return "--set " + std::string(assignment) + " (" + std::string(field->name) + "): " + *refusal;
  return std::nullopt;
}

}  // namespace tevral
