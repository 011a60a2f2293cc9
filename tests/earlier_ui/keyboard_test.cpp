// The earlier window from the keyboard: Tab through the controls in screen
// order (one stop for each pair of transport buttons), and the read key.

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "earlier_window_fixture.h"

namespace tevral::earlier::ui::uitest {
namespace {

QString FocusName(QWidget* window) {
  QWidget* focus = window->focusWidget();
  return focus != nullptr ? focus->objectName() : QString();
}

TEST_F(EarlierWindowTest, TabGoesRowByRowThroughEachGroup) {
  ShowWindow();
  QStringList expected = {
      "cbPort",
      "cbBaudRate",
      "ButtonRead",
      "ButtonWrite",
      "PNGButton2",
      "sCheckBoxVerConn",
      "CheckEnTst",
      "EDIT_Test",
      "AdvEditHeartHexSufix",
      "EDIT_TestPer",
      "EDIT_SurGardPref",
      "AdvEdit_Object",
      "sComboBox_ChProtocol",
      "AdvEdit_Password",
      "AdvEdit_TestPer",
      "AdvEdit_TestHou",
      "AdvEdit_TestMin",
      "sCheckBox_IncCodes",
      "AdvEdit_IP_1",
      "AdvEdit_PORT_1",
      "AdvEdit_PORT_LOCAL_1",
      "sCheckBox_DNS_1",
      "RadioButton_TCP_1",
      "AdvEdit_POINT_1",
      "AdvEdit_IP_2",
      "AdvEdit_PORT_2",
      "AdvEdit_PORT_LOCAL_2",
      "sCheckBox_DNS_2",
      "RadioButton_UDP_2",
      "AdvEdit_POINT_2",
      "AdvEditNomerAlter",
  };
  // A control the window keeps disabled is passed over.
  expected.removeIf(
      [&](const QString& name) { return !Control(name.toLatin1().constData())->isEnabled(); });
  Control("cbPort")->setFocus();
  QStringList visited{FocusName(window.get())};
  for (int i = 1; i < expected.size(); ++i) {
    QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
    visited << FocusName(window.get());
  }
  // Either button of a transport pair may be the stop; arrows move within it.
  const QRegularExpression transport(QStringLiteral("^RadioButton_(TCP|UDP)_"));
  visited.replaceInStrings(transport, QStringLiteral("RadioButton_"));
  expected.replaceInStrings(transport, QStringLiteral("RadioButton_"));
  EXPECT_EQ(visited, expected);
}

TEST_F(EarlierWindowTest, CtrlGReadsFromTheKeyboard) {
  ShowWindow();
  user.shown.clear();
  Control("AdvEdit_Object")->setFocus();
  QTest::keyClick(window->focusWidget(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !user.Errors().isEmpty(); }, 5000));
  EXPECT_EQ(user.Errors().size(), 1);
}

}  // namespace
}  // namespace tevral::earlier::ui::uitest
