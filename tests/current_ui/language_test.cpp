// One language: Qt's own texts in Ukrainian, the message boxes titled in
// Ukrainian, the program named by its application title.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include "configurator/ui/app_texts.h"
#include "configurator/ui/ukrainian_qt.h"
#include "current/ui/current_app_texts.h"
#include "window_fixture.h"

namespace tevral::ui::uitest {
namespace {

TEST(Language, QtSpeaksUkrainianAndTheProgramGoesByItsTitle) {
  auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
  ASSERT_NE(application, nullptr);
  ASSERT_TRUE(SpeakUkrainian(*application, QString::fromUtf8(current::ui::kApplicationTitle)))
      << "qt6-translations-l10n is installed by scripts/setup.sh";
  EXPECT_EQ(QApplication::applicationDisplayName(),
            QStringLiteral("Tevral-1/2 GSM GPRS configurator (v.0.7)"));
  // The standard buttons of Qt's dialogs and the file dialog's own words.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Скасувати"));
  EXPECT_NE(QCoreApplication::translate("QFileDialog", "File &name:"),
            QStringLiteral("File &name:"));
  EXPECT_EQ(QString::fromUtf8(kMessageBoxTitle),
            QStringLiteral("Тевраль-1/2 GSM GPRS конфігуратор"));
}

}  // namespace
}  // namespace tevral::ui::uitest
