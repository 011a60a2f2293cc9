#include "current/ui/main_window.h"

#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QProgressBar>
#include <QScreen>
#include <QToolButton>
#include <exception>

#include "current/fields.h"
#include "current/read_sequence.h"
#include "current/ui/app_texts.h"
#include "current/ui/command_runner.h"
#include "current/ui/demo_port_form.h"
#include "current/ui/dpi_scale.h"
#include "current/ui/form_proxy.h"
#include "current/ui/key_preview.h"
#include "current/ui/skin.h"
#include "current/write_sequence.h"

namespace tevral::ui {
namespace {

constexpr QSize kClientSize(731, 449);
// The bar of ProgressbarWrite: red 0, green 128, blue 0.
const QColor kProgressColour(0, 128, 0);

Qt::WindowFlags MainWindowFlags() {
  // A fixed border with the system menu and minimise only: no maximise.
  return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
         Qt::MSWindowsFixedSizeDialogHint;
}

}  // namespace

TMainForm::TMainForm(const MainFormServices& services, QWidget* parent)
    : QWidget(parent, MainWindowFlags()),
      services_(services),
      form_(this, *services.dialogs),
      last_dialog_folder_(QDir::currentPath()) {
  LoadIconResources();
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QString::fromUtf8(kStartCaption));
  setWindowIcon(QIcon(QStringLiteral(":/icons/window.svg")));
  BuildControls();
  setFixedSize(Scaled(kClientSize, DpiScale(this)));

  form_help_ = new TFormHelp(QString::fromUtf8(kAboutCaption), *services_.desktop, this);
  ApplyPanelTimeouts(port_);

  auto wire = [this](const char* name, void (TMainForm::*handler)()) {
    connect(findChild<QToolButton*>(QString::fromLatin1(name)), &QToolButton::clicked, this,
            handler);
  };
  wire("PNGButton_Open", &TMainForm::PNGButton_OpenClick);
  wire("PNGButton_Save", &TMainForm::PNGButton_SaveClick);
  wire("ButtonRead", &TMainForm::ButtonReadClick);
  wire("ButtonWrite", &TMainForm::ButtonWriteClick);
  wire("PNGButton6", &TMainForm::PNGButton6Click);
  new KeyPreview(this, [this](const QKeyEvent& key) { FormKeyDown(key); });

  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::ShowCentred() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

void TMainForm::FormCreate() {
  // A port list that cannot be made skips every later step: the window
  // then opens with no port and no speed chosen.
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
    LoadStartUpFile();
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
  const int latin = LatinKey(key);
  const bool ctrl = key.modifiers().testFlag(Qt::ControlModifier);
  if (key.key() == Qt::Key_F1) ShowAboutWindow();
  if (ctrl && latin == Qt::Key_R) Guarded([this] { RefreshPorts(); });
  if (ctrl && latin == Qt::Key_O) PNGButton_OpenClick();
  if (ctrl && latin == Qt::Key_S) PNGButton_SaveClick();
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

void TMainForm::PNGButton_OpenClick() {
  Guarded([this] { OpenSettingsFile(); });
}

void TMainForm::PNGButton_SaveClick() {
  Guarded([this] { SaveSettingsFile(); });
}

void TMainForm::ButtonReadClick() {
  Guarded([this] { RunPanelCommand([](PanelSession& session) { ReadFromPanel(session); }); });
}

void TMainForm::ButtonWriteClick() {
  Guarded([this] { RunPanelCommand([](PanelSession& session) { WriteToPanel(session); }); });
}

void TMainForm::RunPanelCommand(const std::function<void(PanelSession&)>& sequence) {
  FormProxy proxy(form_, this);
  PortResolvingForm form(proxy, services_.resolve_port);
  link::Exchanges exchanges(port_, form);
  exchanges.SetTrace(services_.trace);
  PanelSession session{form, port_, exchanges};
  RunWithWindowsPainting([&] { sequence(session); });
}

void TMainForm::Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    form_.ShowError(error.what());
  }
}

}  // namespace tevral::ui
