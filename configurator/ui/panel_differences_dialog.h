#pragma once
// What a comparison of the panel with the window found, shown as a table:
// the field's label, the window's value, the panel's value; "Відмінностей
// немає." when they agree. Settings the read could not fetch are listed
// under it, so a gap is never taken for agreement. The engineer closes it
// (and may then write the window into the panel) or takes the panel's
// values into the window.

#include <QDialog>

#include "configurator/panel_comparison.h"

class QPushButton;

namespace tevral::ui {

class PanelDifferencesDialog : public QDialog {
  Q_OBJECT
 public:
  // Object names for tests and style sheets.
  static constexpr const char* kObjectName = "PanelDifferencesDialog";
  static constexpr const char* kTableName = "DifferencesTable";
  static constexpr const char* kTakeButtonName = "TakePanelValues";
  static constexpr const char* kCloseButtonName = "CloseDifferences";

  PanelDifferencesDialog(const Comparison& comparison, QWidget* parent);

  // Shows it modally; true when the engineer chose to take the panel's
  // values into the window.
  bool TakePanelValues();
};

}  // namespace tevral::ui
