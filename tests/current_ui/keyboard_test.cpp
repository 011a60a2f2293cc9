// The window driven from the keyboard alone: Tab through the controls in
// the order they stand on the screen, the command buttons fired with Space
// and Enter, and the read and write hot keys whatever the layout.

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QToolButton>

#include "window_fixture.h"

namespace tevral::ui::uitest {
namespace {

QString FocusName(QWidget* window) {
  QWidget* focus = window->focusWidget();
  return focus != nullptr ? focus->objectName() : QString();
}

void Press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = window->focusWidget() != nullptr ? window->focusWidget() : window;
  QTest::keyClick(target, key, modifiers);
}

TEST_F(WindowTest, TabGoesRowByRowThroughEachGroupAndRoundAgain) {
  ShowWindow();
  const QStringList order = {
      "cbPort",
      "cbBaudRate",
      "PNGButton_Open",
      "PNGButton_Save",
      "ButtonRead",
      "ButtonWrite",
      "AdvEdit_Object",
      "sComboBox_ChProtocol",
      "AdvEdit_TestPer",
      "AdvEdit_TestHou",
      "AdvEdit_TestMin",
      "sCheckBoxVerConn",
      "CheckEnTst",
      "EDIT_Test",
      "AdvEditHeartHexSufix",
      "EDIT_TestPer",
      "AdvEdit_POINT_1",
      "AdvEdit_Sim1Serv1",
      "AdvEdit_LocalPortSim1Serv1",
      "AdvEdit_Sim1Serv2",
      "AdvEdit_LocalPortSim1Serv2",
      "AdvEdit_Sim1Serv3",
      "AdvEdit_LocalPortSim1Serv3",
      "AdvEdit_POINT_2",
      "AdvEdit_Sim2Serv1",
      "AdvEdit_LocalPortSim2Serv1",
      "AdvEdit_Sim2Serv2",
      "AdvEdit_LocalPortSim2Serv2",
      "AdvEdit_Sim2Serv3",
      "AdvEdit_LocalPortSim2Serv3",
      "AdvEditNomerAlter",
  };
  Control(order.constFirst().toLatin1().constData())->setFocus();
  QStringList visited{FocusName(window.get())};
  for (int i = 1; i <= order.size(); ++i) {
    Press(window.get(), Qt::Key_Tab);
    visited << FocusName(window.get());
  }
  EXPECT_EQ(visited, order + QStringList{order.constFirst()});
  Press(window.get(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(FocusName(window.get()), order.constLast());
}

// Space and Enter fire the focused command button; the file commands show
// it without a panel (the dialogs are cancelled), Read and Write by trying
// the port, which is not there.
TEST_F(WindowTest, SpaceAndEnterFireTheFocusedCommandButton) {
  ShowWindow();
  for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
    SCOPED_TRACE(key);
    user.shown.clear();
    user.save_dialog_folders.clear();
    user.open_dialog_folders.clear();
    Control("PNGButton_Save")->setFocus();
    Press(window.get(), key);
    Control("PNGButton_Open")->setFocus();
    Press(window.get(), key);
    EXPECT_EQ(user.save_dialog_folders.size(), 1);
    EXPECT_EQ(user.open_dialog_folders.size(), 1);
    for (const char* button : {"ButtonRead", "ButtonWrite"}) {
      Control(button)->setFocus();
      Press(window.get(), key);
    }
    EXPECT_EQ(user.Errors(), (QStringList{"Спроба відкрити неіснуючий СОМ-порт.",
                                          "Спроба відкрити неіснуючий СОМ-порт."}));
  }
}

TEST_F(WindowTest, ReadAndWriteKeysFollowThePhysicalKeyAndShowInTheHints) {
  ShowWindow();
  EXPECT_EQ(Control("ButtonRead")->toolTip(), QStringLiteral("Прочитати (Ctrl+G)"));
  EXPECT_EQ(Control("ButtonWrite")->toolTip(), QStringLiteral("Записати (Ctrl+T)"));
  Control("AdvEdit_Object")->setFocus();
  Press(window.get(), Qt::Key_G, Qt::ControlModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return user.Errors().size() == 1; }, 5000));
  Press(window.get(), Qt::Key_T, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_TRUE(QTest::qWaitFor([&] { return user.Errors().size() == 2; }, 5000));
  // Each key ran its command once.
  QCoreApplication::processEvents();
  EXPECT_EQ(user.Errors().size(), 2) << user.Errors().join('|').toStdString();
  // Under the Ukrainian layout the same keys give "п" and "е"; X11 key codes
  // 42 and 28 are the keys of G and T.
  user.shown.clear();
  QWidget* focus = Control("EDIT_Test");
  focus->setFocus();
  QKeyEvent read(QEvent::KeyPress, static_cast<Qt::Key>(0x041F), Qt::ControlModifier, 42, 0x6d0, 0,
                 QStringLiteral("п"));
  QApplication::sendEvent(focus, &read);
  QKeyEvent write(QEvent::KeyPress, static_cast<Qt::Key>(0x0415), Qt::ControlModifier, 28, 0x6c5, 0,
                  QStringLiteral("е"));
  QApplication::sendEvent(focus, &write);
  EXPECT_TRUE(QTest::qWaitFor([&] { return user.Errors().size() == 2; }, 5000));
}

}  // namespace
}  // namespace tevral::ui::uitest
