#include "configurator/ui/about_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include "configurator/ui/dpi_scale.h"
#include "configurator/ui/key_preview.h"
#include "configurator/ui/link_label.h"

namespace tevral::ui {
namespace {

constexpr const char* kSiteText = "tevral.example";
constexpr const char* kSiteAddress = "https://tevral.example/";
constexpr const char* kProgrammer = "Програміст: Олександр Коваленко";
constexpr const char* kMailText = "support@tevral.example";
constexpr const char* kMailAddress = "mailto:support@tevral.example";

// Client area and places at 96 dpi.
constexpr QSize kClientSize(227, 166);

}  // namespace

TFormHelp::TFormHelp(const QString& caption, DesktopServices& desktop, QWidget* parent)
    : QDialog(parent), desktop_(desktop) {
  setObjectName(QStringLiteral("FormHelp"));
  setWindowTitle(caption);
  // A dialog border: fixed size, no minimise or maximise.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(false);
  PlaceControls();
  new KeyPreview(this, [this](const QKeyEvent& key) { FormKeyDown(key.key()); });
}

void TFormHelp::PlaceControls() {
  const double scale = DpiScale(this);
  auto open = [this](const QUrl& address) { desktop_.OpenAddress(address); };
  auto place = [scale](QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(Scaled(QRect(left, top, width, height), scale));
  };
  place(new QLabel(QStringLiteral("Сайт:"), this), 16, 12, 195, 16);
  auto* site = new LinkLabel(QString::fromUtf8(kSiteText), QUrl(QString::fromUtf8(kSiteAddress)),
                             open, this);
  site->setObjectName(QStringLiteral("SiteLink"));
  place(site, 16, 30, 195, 16);
  place(new QLabel(QString::fromUtf8(kProgrammer), this), 16, 56, 205, 16);
  auto* mail = new LinkLabel(QString::fromUtf8(kMailText), QUrl(QString::fromUtf8(kMailAddress)),
                             open, this);
  mail->setObjectName(QStringLiteral("MailLink"));
  place(mail, 16, 74, 195, 16);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("sButton1"));
  ok->setCursor(Qt::PointingHandCursor);
  place(ok, 77, 116, 73, 33);
  connect(ok, &QPushButton::clicked, this, &TFormHelp::sButton1Click);
  setFixedSize(Scaled(kClientSize, scale));
}

void TFormHelp::ShowAbout() {
  if (!isVisible()) {
    QScreen* screen =
        parentWidget() != nullptr ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) {
      QRect frame = frameGeometry();
      frame.moveCenter(screen->availableGeometry().center());
      move(frame.topLeft());
    }
  }
  show();
  raise();
  activateWindow();
}

void TFormHelp::sButton1Click() {
  desktop_.InformationSound();
  hide();
}

void TFormHelp::FormKeyDown(int key) {
  if (key == Qt::Key_F1) hide();
}

}  // namespace tevral::ui
