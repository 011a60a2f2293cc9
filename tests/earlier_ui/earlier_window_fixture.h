#pragma once
// What the earlier window tests share: one QApplication for the run, the
// stand-in user and desktop of the current window's tests, and an earlier
// window built with them in a program folder of the test's own, started
// from another folder. No system serial port is listed or opened: the port
// list is whatever the test hands in.

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "configurator_ui/window_test_support.h"
#include "earlier/ui/earlier_main_window.h"
#include "link/com_errors.h"

namespace tevral::earlier::ui::uitest {

using tevral::ui::uitest::CountingDesktop;
using tevral::ui::uitest::RecordingUser;
using tevral::ui::uitest::TypeText;

class EarlierWindowTest : public tevral::ui::uitest::WindowTestBase<TMainForm> {
 protected:
  // Started from a folder that is not the program's, so nothing the window
  // does can lean on the working directory.
  void SetUp() override {
    ASSERT_TRUE(program_folder.isValid() && working_folder.isValid());
    previous_folder_ = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(working_folder.path()));
  }
  void TearDown() override {
    window.reset();
    QDir::setCurrent(previous_folder_);
  }

  QTemporaryDir working_folder;

  // The fixed settings file beside the program.
  QString SettingsFile() const { return program_folder.filePath(QStringLiteral("zEdaza.ini")); }
  void WriteSettingsFile(const QByteArray& content) const;
  QByteArray ReadSettingsFile() const;

 private:
  QString previous_folder_;
};

}  // namespace tevral::earlier::ui::uitest
