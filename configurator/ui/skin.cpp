#include "configurator/ui/skin.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyleFactory>

// Q_INIT_RESOURCE cannot stand inside a namespace.
static void InitIconResources() {
  Q_INIT_RESOURCE(icons);
}

namespace tevral::ui {

void LoadIconResources() {
  static const bool loaded = [] {
    InitIconResources();
    return true;
  }();
  (void)loaded;
}

void ApplySkin(QApplication& application) {
  LoadIconResources();
  application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

  QPalette palette;
  const QColor window(233, 238, 244);
  const QColor text(28, 38, 52);
  palette.setColor(QPalette::Window, window);
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::AlternateBase, QColor(243, 246, 250));
  palette.setColor(QPalette::Text, text);
  palette.setColor(QPalette::Button, QColor(221, 229, 238));
  palette.setColor(QPalette::ButtonText, text);
  palette.setColor(QPalette::Highlight, QColor(61, 111, 182));
  palette.setColor(QPalette::HighlightedText, Qt::white);
  palette.setColor(QPalette::ToolTipBase, QColor(255, 252, 226));
  palette.setColor(QPalette::ToolTipText, text);
  palette.setColor(QPalette::Link, QColor(0, 0, 205));
  palette.setColor(QPalette::Mid, QColor(160, 174, 192));
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(130, 140, 152));
  palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(130, 140, 152));
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(130, 140, 152));
  application.setPalette(palette);

  // The layouts are measured for an 8-point sans serif face; DejaVu Sans is
  // on every Linux desktop and carries the Ukrainian letters.
  QFont font;
  font.setFamilies(
      {QStringLiteral("DejaVu Sans"), QStringLiteral("Tahoma"), QStringLiteral("MS Sans Serif")});
  font.setPointSize(8);
  application.setFont(font);
}

}  // namespace tevral::ui
