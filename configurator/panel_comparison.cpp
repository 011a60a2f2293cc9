#include "configurator/panel_comparison.h"

#include <algorithm>
#include <cctype>
#include <exception>

#include "configurator/cp1251.h"
#include "configurator/model_panel_device.h"
#include "link/exchanges.h"
#include "link/tbcomport.h"

namespace tevral {

namespace {

constexpr std::string_view kNotFetchedFromLimited =
    "панель обмеженої функціональності його не видає";

bool IsPanelSetting(const FieldSpec& field) {
  return !field.connection;
}

// The last thing the write said: its refusal or its error box.
std::string LastMessage(const FieldTable& table) {
  const auto& events = table.Events();
  for (auto it = events.rbegin(); it != events.rend(); ++it) {
    if (it->kind != FormEvent::Kind::kCaption) return it->text;
  }
  return "запис відмовився від значень";
}

// Lower case for the ASCII letters and the Cyrillic ones of a UTF-8 label,
// with a trailing ":" and blanks removed, so "об'єкт №" finds "Об'єкт №:".
std::string LabelKey(std::string_view label) {
  std::string key;
  if (auto bytes = Utf8ToCp1251(label)) {
    for (char c : *bytes) {
      auto u = static_cast<unsigned char>(c);
      if (u >= 'A' && u <= 'Z') u = static_cast<unsigned char>(u - 'A' + 'a');
      if (u >= 0xC0 && u <= 0xDF) u = static_cast<unsigned char>(u + 0x20);  // А-Я
      if (u == 0xB2) u = 0xB3;                                               // І
      if (u == 0xAF) u = 0xBF;                                               // Ї
      if (u == 0xAA) u = 0xBA;                                               // Є
      if (u == 0xA5) u = 0xB4;                                               // Ґ
      key += static_cast<char>(u);
    }
  } else {
    key = label;
  }
  while (!key.empty() && (key.back() == ':' || key.back() == ' ')) key.pop_back();
  while (!key.empty() && key.front() == ' ') key.erase(0, 1);
  return key;
}

std::vector<FieldDifference> Differences(const FieldTable& left, const FieldTable& right,
                                         const ComparisonPlan& plan, bool limited) {
  std::vector<FieldDifference> differences;
  for (const ComparedField& compared : plan.compared) {
    if (limited && compared.identified_only) continue;
    const FieldSpec& field = left.FieldSpecOf(compared.name);
    std::string left_value = ShownValue(left, field);
    std::string right_value = ShownValue(right, field);
    if (left_value != right_value) {
      differences.push_back({std::string(compared.name), std::string(compared.label),
                             std::move(left_value), std::move(right_value)});
    }
  }
  return differences;
}

std::vector<NotCompared> NotComparedList(const ComparisonPlan& plan, bool limited) {
  std::vector<NotCompared> list;
  if (limited) {
    for (const ComparedField& compared : plan.compared) {
      if (compared.identified_only) {
        list.push_back({std::string(compared.label), std::string(kNotFetchedFromLimited)});
      }
    }
  }
  for (const UnreadSetting& unread : plan.unread) {
    list.push_back({std::string(unread.label), std::string(unread.reason)});
  }
  return list;
}

}  // namespace

FieldTable BlankPanelTable(FieldInventory fields, const std::string& port) {
  FieldTable table(fields);
  for (const FieldSpec& field : fields) {
    if (!IsPanelSetting(field)) continue;
    switch (field.kind) {
      case FieldKind::kText:
        table.SetText(field.name, "");
        break;
      case FieldKind::kCheck:
      case FieldKind::kRadio:
        table.SetChecked(field.name, false);
        break;
      case FieldKind::kChoice:
        table.SetItemIndex(field.name, -1);
        break;
    }
  }
  table.SetItems("cbPort", {port});
  table.SetItemIndex("cbPort", 0);
  return table;
}

void CopyPanelSettings(const Form& source, FieldTable& target) {
  for (const FieldSpec& field : target.Inventory()) {
    if (!IsPanelSetting(field)) continue;
    switch (field.kind) {
      case FieldKind::kText:
        target.SetText(field.name, source.Text(field.name));
        break;
      case FieldKind::kCheck:
      case FieldKind::kRadio:
        // Radio buttons are set one by one; setting one checked unchecks
        // the rest of its group, so only the checked ones are set.
        if (field.kind == FieldKind::kCheck || source.Checked(field.name)) {
          target.SetChecked(field.name, source.Checked(field.name));
        }
        break;
      case FieldKind::kChoice:
        target.SetItemIndex(field.name, source.ItemIndex(field.name));
        break;
    }
  }
}

FieldTable ReadBackOf(const Form& values, const ComparisonPlan& plan, std::string& refusal) {
  FieldTable written = BlankPanelTable(plan.fields);
  CopyPanelSettings(values, written);
  FieldTable read_back = BlankPanelTable(plan.fields);

  link::TBComPort port(MakeModelPanelDevice());
  ApplyPanelTimeouts(port);
  bool complete = false;
  try {
    link::Exchanges write_exchanges(port, written, [](int) {});
    PanelSession write_session{written, port, write_exchanges};
    if (plan.write(write_session)) {
      link::Exchanges read_exchanges(port, read_back, [](int) {});
      PanelSession read_session{read_back, port, read_exchanges};
      complete = plan.read(read_session);
    }
  } catch (const std::exception& error) {
    written.ShowError(error.what());
  }
  port.Close();
  if (complete) return read_back;
  refusal = LastMessage(written);
  return written;
}

Comparison CompareWithPanel(const Form& left, const FieldTable& panel, bool panel_limited,
                            const ComparisonPlan& plan) {
  Comparison result;
  const FieldTable expected = ReadBackOf(left, plan, result.left_refusal);
  result.differences = Differences(expected, panel, plan, panel_limited);
  result.not_compared = NotComparedList(plan, panel_limited);
  return result;
}

Comparison CompareSettings(const Form& left, const Form& right, const ComparisonPlan& plan) {
  Comparison result;
  const FieldTable left_view = ReadBackOf(left, plan, result.left_refusal);
  const FieldTable right_view = ReadBackOf(right, plan, result.right_refusal);
  result.differences = Differences(left_view, right_view, plan, false);
  result.not_compared = NotComparedList(plan, false);
  return result;
}

std::string ShownValue(const Form& form, const FieldSpec& field) {
  switch (field.kind) {
    case FieldKind::kText:
      return Cp1251ToUtf8(form.Text(field.name));
    case FieldKind::kCheck:
    case FieldKind::kRadio:
      return form.Checked(field.name) ? "так" : "ні";
    case FieldKind::kChoice: {
      const int index = form.ItemIndex(field.name);
      if (index < 0 || static_cast<std::size_t>(index) >= field.items.size()) {
        return "(не вибрано)";
      }
      return std::string(field.items[static_cast<std::size_t>(index)]);
    }
  }
  return {};
}

const ComparedField* FindComparedField(const ComparisonPlan& plan, std::string_view name_or_label) {
  for (const ComparedField& compared : plan.compared) {
    if (compared.name == name_or_label) return &compared;
  }
  const std::string wanted = LabelKey(name_or_label);
  for (const ComparedField& compared : plan.compared) {
    if (LabelKey(compared.label) == wanted) return &compared;
  }
  return nullptr;
}

}  // namespace tevral
