#pragma once
// The current program's fields as a comparison sees them: the label each is
// known by, which of them only an identified panel gives, and what a write
// stores that no read fetches.

#include "configurator/panel_comparison.h"

namespace tevral::current {

ComparisonPlan CurrentComparisonPlan();

}  // namespace tevral::current
