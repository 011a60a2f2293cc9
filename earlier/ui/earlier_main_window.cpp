#include "earlier/ui/earlier_main_window.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QProgressBar>
#include <QScreen>
#include <QToolButton>
#include <exception>
#include <filesystem>

#include "current/fields.h"
#include "current/ui/command_runner.h"
#include "current/ui/demo_port_form.h"
#include "current/ui/dpi_scale.h"
#include "current/ui/form_proxy.h"
#include "current/ui/key_preview.h"
#include "current/ui/skin.h"
#include "earlier/earlier_read_sequence.h"
#include "earlier/earlier_settings.h"
#include "earlier/earlier_write_sequence.h"
#include "earlier/ui/earlier_app_texts.h"

namespace tevral::earlier::ui {
namespace {

constexpr QSize kClientSize(729, 401);
// The bar of ProgressbarWrite: red 0, green 128, blue 0.
const QColor kProgressColour(0, 128, 0);

Qt::WindowFlags MainWindowFlags() {
  // A fixed border with the system menu and minimise only: no maximise.
  return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
         Qt::MSWindowsFixedSizeDialogHint;
}

std::filesystem::path ToPath(const QString& path) {
#if defined(Q_OS_WIN)
  return std::filesystem::path(path.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

}  // namespace

TMainForm::TMainForm(const MainFormServices& services, QWidget* parent)
    : QWidget(parent, MainWindowFlags()), services_(services), form_(this, *services.dialogs) {
  tevral::ui::LoadIconResources();
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QString::fromUtf8(kStartCaption));
  setWindowIcon(QIcon(QStringLiteral(":/icons/window.svg")));
  BuildControls();
  setFixedSize(tevral::ui::Scaled(kClientSize, tevral::ui::DpiScale(this)));

  form_help_ =
      new tevral::ui::TFormHelp(QString::fromUtf8(kAboutCaption), *services_.desktop, this);
  ApplyPanelTimeouts(port_);
  WireHandlers();
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::WireHandlers() {
  auto wire = [this](const char* name, void (TMainForm::*handler)()) {
    connect(findChild<QToolButton*>(QString::fromLatin1(name)), &QToolButton::clicked, this,
            handler);
  };
  wire("ButtonRead", &TMainForm::ButtonReadClick);
  wire("ButtonWrite", &TMainForm::ButtonWriteClick);
  wire("PNGButton2", &TMainForm::PNGButton2Click);
  wire("PNGButton6", &TMainForm::PNGButton6Click);
  new tevral::ui::KeyPreview(this, [this](const QKeyEvent& key) { FormKeyDown(key); });
}

void TMainForm::ShowCentred() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

void TMainForm::FormCreate() {
  // A port list that cannot be made skips every later step, the settings
  // file included: the window then opens with no port and no speed chosen.
  Guarded([this] {
    std::vector<std::string> ports;
    services_.list_ports(ports);
    form_.SetItems("cbPort", ports);
    form_.SetItemIndex("cbPort", 0);
    form_.SetItemIndex("cbBaudRate", kDefaultBaudRateIndex);
    auto* bar = findChild<QProgressBar*>(QStringLiteral("ProgressbarWrite"));
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Highlight, kProgressColour);
    bar->setPalette(palette);
    // The file looked for is the file read, the one beside the program,
    // whatever folder the program was started from.
    LoadEarlierStartupSettings(form_, ToPath(services_.program_folder));
  });
}

void TMainForm::RefreshPorts() {
  std::vector<std::string> ports;
  services_.list_ports(ports);  // throws before anything changes
  form_.SetItems("cbPort", ports);
  form_.SetItemIndex("cbPort", 0);
  form_.ShowMessage(kPortsRefreshed);
}

void TMainForm::FormKeyDown(const QKeyEvent& key) {
  // F1 and Ctrl+R are the only hot keys: the settings live in one fixed
  // file, so there is nothing for Ctrl+O or Ctrl+S to choose.
  if (key.key() == Qt::Key_F1) ShowAboutWindow();
  const bool ctrl = key.modifiers().testFlag(Qt::ControlModifier);
  if (ctrl && tevral::ui::LatinKey(key) == Qt::Key_R) Guarded([this] { RefreshPorts(); });
}

void TMainForm::ShowAboutWindow() {
  form_help_->ShowAbout();
}

void TMainForm::PNGButton6Click() {
  services_.desktop->InformationSound();
  ShowAboutWindow();
}

void TMainForm::Label1Click() {
  services_.desktop->InformationSound();
  services_.desktop->OpenDeviceManager(this);
}

void TMainForm::PNGButton2Click() {
  // All or nothing: a save that fails leaves the old file whole and its
  // error goes to the error box.
  Guarded([this] { SaveEarlierSettings(form_, ToPath(services_.program_folder)); });
}

void TMainForm::ButtonReadClick() {
  Guarded(
      [this] { RunPanelCommand([](PanelSession& session) { ReadFromEarlierPanel(session); }); });
}

void TMainForm::ButtonWriteClick() {
  Guarded([this] { RunPanelCommand([](PanelSession& session) { WriteToEarlierPanel(session); }); });
}

void TMainForm::RunPanelCommand(const std::function<void(PanelSession&)>& sequence) {
  tevral::ui::FormProxy proxy(form_, this);
  tevral::ui::PortResolvingForm form(proxy, services_.resolve_port);
  link::Exchanges exchanges(port_, form);
  exchanges.SetTrace(services_.trace);
  PanelSession session{form, port_, exchanges};
  tevral::ui::RunWithWindowsPainting([&] { sequence(session); });
}

void TMainForm::Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    form_.ShowError(error.what());
  }
}

}  // namespace tevral::earlier::ui
