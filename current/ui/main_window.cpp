#include "current/ui/main_window.h"

#include "current/current_comparison.h"

#include <QDir>
#include <QKeyEvent>

#include "configurator/settings_file.h"
#include "configurator/ui/app_texts.h"
#include "configurator/ui/key_preview.h"
#include "current/read_sequence.h"
#include "current/settings_keys.h"
#include "current/ui/current_app_texts.h"
#include "current/write_sequence.h"

namespace tevral::current::ui {
namespace {

constexpr QSize kClientSize(731, 449);

}  // namespace

TMainForm::TMainForm(const MainFormServices& services, QWidget* parent)
    : PanelWindow(services, tevral::ui::kStartCaption, kAboutCaption, parent) {
  BuildControls();
  FixClientSize(kClientSize);

  WireButton("PNGButton_Open", [this] { PNGButton_OpenClick(); });
  WireButton("PNGButton_Save", [this] { PNGButton_SaveClick(); });
  WireButton("ButtonRead", [this] { ButtonReadClick(); });
  WireButton("ButtonWrite", [this] { ButtonWriteClick(); });
  WireButton("PNGButton6", [this] { PNGButton6Click(); });

  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
  // A port list that cannot be made skips every later step: the window
  // then opens with no port and no speed chosen.
  Guarded([this] {
    SelectFirstPortAndSpeed();
    LoadStartUpFile();
  });
  MarkFieldsSaved();
}

SettingsKeySet TMainForm::KeptFields() const {
  return CurrentSettingsKeys();
}

void TMainForm::FormKeyDown(const QKeyEvent& key) {
  const int latin = tevral::ui::LatinKey(key);
  const bool ctrl = key.modifiers().testFlag(Qt::ControlModifier);
  if (key.key() == Qt::Key_F1) ShowAboutWindow();
  if (ctrl && latin == Qt::Key_R) Guarded([this] { RefreshPorts(); });
  if (ctrl && latin == Qt::Key_O) PNGButton_OpenClick();
  if (ctrl && latin == Qt::Key_S) PNGButton_SaveClick();
  PanelCommandKeys(key);
  if (ctrl && latin == Qt::Key_L)
    Guarded([this] { ComparePanelWithWindow(CurrentComparisonPlan()); });
  if (ctrl && latin == Qt::Key_F) Guarded([this] { FindPanelPort(); });
}

void TMainForm::PNGButton_OpenClick() {
  Guarded([this] { OpenSettingsFile(); });
}

void TMainForm::PNGButton_SaveClick() {
  Guarded([this] { SaveSettingsFile(); });
}

void TMainForm::ButtonReadClick() {
  Guarded([this] { RunPanelCommand(PanelCommand::kRead, ReadFromPanel); });
}

void TMainForm::ButtonWriteClick() {
  Guarded([this] { RunPanelCommand(PanelCommand::kWrite, WriteToPanel); });
}

}  // namespace tevral::current::ui
