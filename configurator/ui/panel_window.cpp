#include "configurator/ui/panel_window.h"

#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QProgressBar>
#include <QScreen>
#include <QToolButton>
#include <exception>
#include <utility>

#include "configurator/field_description.h"
#include "configurator/ui/app_texts.h"
#include "configurator/ui/dpi_scale.h"
#include "configurator/ui/key_preview.h"
#include "configurator/ui/skin.h"

namespace tevral::ui {
namespace {

// The bar of ProgressbarWrite: red 0, green 128, blue 0.
const QColor kProgressColour(0, 128, 0);

Qt::WindowFlags MainWindowFlags() {
  // A fixed border with the system menu and minimise only: no maximise.
  return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
         Qt::MSWindowsFixedSizeDialogHint;
}

}  // namespace

PanelWindow::PanelWindow(const MainFormServices& services, const char* start_caption,
                         const char* about_caption, QWidget* parent)
    : QWidget(parent, MainWindowFlags()), services_(services), form_(this, *services.dialogs) {
  LoadIconResources();
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QString::fromUtf8(start_caption));
  setWindowIcon(QIcon(QStringLiteral(":/icons/window.svg")));
  form_help_ = new TFormHelp(QString::fromUtf8(about_caption), *services_.desktop, this);
  ApplyPanelTimeouts(port_);
  new KeyPreview(this, [this](const QKeyEvent& key) { FormKeyDown(key); });
}

PanelWindow::~PanelWindow() = default;

void PanelWindow::FixClientSize(QSize size_at_96_dpi) {
  setFixedSize(Scaled(size_at_96_dpi, DpiScale(this)));
}

void PanelWindow::WireButton(const char* name, std::function<void()> handler) {
  connect(findChild<QToolButton*>(QString::fromLatin1(name)), &QToolButton::clicked, this,
          std::move(handler));
}

void PanelWindow::ShowCentred() {
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
  show();
}

void PanelWindow::SelectFirstPortAndSpeed() {
  std::vector<std::string> ports;
  services_.list_ports(ports);
  form_.SetItems("cbPort", ports);
  form_.SetItemIndex("cbPort", 0);
  form_.SetItemIndex("cbBaudRate", kDefaultBaudRateIndex);
  auto* bar = findChild<QProgressBar*>(QStringLiteral("ProgressbarWrite"));
  QPalette palette = bar->palette();
  palette.setColor(QPalette::Highlight, kProgressColour);
  bar->setPalette(palette);
}

void PanelWindow::RefreshPorts() {
  std::vector<std::string> ports;
  services_.list_ports(ports);  // throws before anything changes
  form_.SetItems("cbPort", ports);
  form_.SetItemIndex("cbPort", 0);
  form_.ShowMessage(kPortsRefreshed);
}

void PanelWindow::ShowAboutWindow() {
  form_help_->ShowAbout();
}

void PanelWindow::PNGButton6Click() {
  services_.desktop->InformationSound();
  ShowAboutWindow();
}

void PanelWindow::Label1Click() {
  services_.desktop->InformationSound();
  services_.desktop->OpenDeviceManager(this);
}

// A trace that lost lines never stops a command; the user hears of it once
// the command is over.
void PanelWindow::ReportTraceFailure() {
  if (!services_.trace) return;
  if (const auto failure = services_.trace->TakeFailure()) form_.ShowError(*failure);
}

void PanelWindow::Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    form_.ShowError(error.what());
  }
}

}  // namespace tevral::ui
