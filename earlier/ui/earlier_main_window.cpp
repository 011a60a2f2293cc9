#include "earlier/ui/earlier_main_window.h"

#include <QFile>
#include <QKeyEvent>
#include <filesystem>

#include "configurator/ui/app_texts.h"
#include "configurator/ui/key_preview.h"
#include "earlier/earlier_comparison.h"
#include "earlier/earlier_read_sequence.h"
#include "earlier/earlier_settings.h"
#include "earlier/earlier_write_sequence.h"
#include "earlier/ui/earlier_app_texts.h"

namespace tevral::earlier::ui {
namespace {

constexpr QSize kClientSize(729, 401);

std::filesystem::path ToPath(const QString& path) {
#if defined(Q_OS_WIN)
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

}  // namespace

TMainForm::TMainForm(const MainFormServices& services, QWidget* parent)
    : PanelWindow(services, tevral::ui::kStartCaption, kAboutCaption, parent) {
  BuildControls();
  FixClientSize(kClientSize);
  WireHandlers();
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::WireHandlers() {
  WireButton("ButtonRead", [this] { ButtonReadClick(); });
  WireButton("ButtonWrite", [this] { ButtonWriteClick(); });
  WireButton("PNGButton2", [this] { PNGButton2Click(); });
  WireButton("PNGButton6", [this] { PNGButton6Click(); });
}

void TMainForm::FormCreate() {
  // A port list that cannot be made skips every later step, the settings
  // file included: the window then opens with no port and no speed chosen.
  Guarded([this] {
    SelectFirstPortAndSpeed();
    // The file looked for is the file read, the one beside the program,
    // whatever folder the program was started from.
    LoadEarlierStartupSettings(form_, ToPath(services_.program_folder));
  });
  MarkFieldsSaved();
}

SettingsKeySet TMainForm::KeptFields() const {
  return EarlierSettingsKeys();
}

void TMainForm::FormKeyDown(const QKeyEvent& key) {
  // F1, Ctrl+R, the read and write keys, comparing with the panel and
  // finding its port: the settings live in one fixed file, so there is
  // nothing for Ctrl+O or Ctrl+S to choose.
  if (key.key() == Qt::Key_F1) ShowAboutWindow();
  const bool ctrl = key.modifiers().testFlag(Qt::ControlModifier);
  const int latin = tevral::ui::LatinKey(key);
  if (ctrl && latin == Qt::Key_R) Guarded([this] { RefreshPorts(); });
  if (ctrl && latin == Qt::Key_L) {
    Guarded([this] { ComparePanelWithWindow(EarlierComparisonPlan()); });
  }
  if (ctrl && latin == Qt::Key_F) Guarded([this] { FindPanelPort(); });
  PanelCommandKeys(key);
}

void TMainForm::PNGButton2Click() {
  // All or nothing: a save that fails leaves the old file whole and its
  // error goes to the error box.
  Guarded([this] {
    SaveEarlierSettings(form_, ToPath(services_.program_folder));
    MarkFieldsSaved();
  });
}

void TMainForm::ButtonReadClick() {
  Guarded([this] { RunPanelCommand(PanelCommand::kRead, ReadFromEarlierPanel); });
}

void TMainForm::ButtonWriteClick() {
  Guarded([this] {
    RunPanelCommand(PanelCommand::kWrite,
                    [](PanelSession& session) { return WriteToEarlierPanel(session); });
  });
}

}  // namespace tevral::earlier::ui
