#include "configurator/field_description.h"

#include <algorithm>

namespace tevral {

const FieldSpec* FindField(FieldInventory fields, std::string_view name) {
  const auto it = std::find_if(fields.begin(), fields.end(),
                               [&](const FieldSpec& f) { return f.name == name; });
  return it == fields.end() ? nullptr : &*it;
}

bool FilterAccepts(const FieldSpec& field, char c) {
  switch (field.filter) {
    case InputFilter::kFree:
      return true;
    case InputFilter::kDigitsOnly:
      return c >= '0' && c <= '9';
    case InputFilter::kListed:
      return field.allowed.find(c) != std::string_view::npos;
  }
  return false;
}

}  // namespace tevral
