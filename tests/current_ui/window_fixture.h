#pragma once
// What the current window's tests share: one QApplication for the whole
// test run, the stand-in user and desktop of every window test, and a
// window built with them in a program folder of the test's own. No system serial port is listed or
// opened: the port list is whatever the test hands in.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "configurator_ui/window_test_support.h"
#include "current/ui/main_window.h"
#include "link/com_errors.h"

namespace tevral::ui::uitest {

using tevral::current::ui::TMainForm;

class WindowTest : public WindowTestBase<TMainForm> {
 protected:
  std::string FolderPath(const QString& name) const {
    return (program_folder.path() + QLatin1Char('/') + name).toStdString();
  }
};

}  // namespace tevral::ui::uitest
