#include "configurator/ui/ukrainian_qt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tevral::ui {

bool SpeakUkrainian(QApplication& application, const QString& application_title) {
  QApplication::setApplicationDisplayName(application_title);
  const QLocale ukrainian(QLocale::Ukrainian, QLocale::Ukraine);
  QLocale::setDefault(ukrainian);
  auto* translator = new QTranslator(&application);
  const QStringList folders = {
      QLibraryInfo::path(QLibraryInfo::TranslationsPath),
      QApplication::applicationDirPath() + QStringLiteral("/translations")};
  for (const QString& folder : folders) {
    if (translator->load(ukrainian, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
      QApplication::installTranslator(translator);
      return true;
    }
  }
  delete translator;
  return false;
}

}  // namespace tevral::ui
