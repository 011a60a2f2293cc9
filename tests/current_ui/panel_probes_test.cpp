// The window asks the panel without touching its fields: Ctrl+L compares the
// panel with the window in a dialog (and can take the panel's values),
// Ctrl+F marks the port a panel answers on. Driven by the keyboard against
// the demo panel, whose port is the program's own and so may be probed.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <functional>

#include "configurator/ui/demo_mode.h"
#include "configurator/ui/panel_differences_dialog.h"
#include "sim/demo_port.h"
#include "window_fixture.h"

namespace tevral::ui::uitest {
namespace {

class PanelProbesTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowArguments arguments;
    arguments.demo = true;
    extras = std::make_unique<WindowExtras>(arguments, DemoFirmware::kCurrent);
    MainFormServices services = Services();
    extras->Apply(services);
    window = std::make_unique<current::ui::TMainForm>(services);
  }
  void TearDown() override {
    window.reset();
    extras.reset();
  }

  void PressCtrl(Qt::Key key) {
    ShowWindow();
    QWidget* focused = window->focusWidget();
    QTest::keyClick(focused != nullptr ? focused : window.get(), key, Qt::ControlModifier);
  }

  // Presses Ctrl+L and hands the differences dialog, while it is up, to
  // `inspect`, which must close it.
  bool CompareAndInspect(const std::function<void(QDialog&)>& inspect) {
    bool seen = false;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr ||
          dialog->objectName() != QLatin1String(PanelDifferencesDialog::kObjectName)) {
        return;
      }
      watch.stop();
      seen = true;
      inspect(*dialog);
    });
    watch.start();
    PressCtrl(Qt::Key_L);
    return seen;
  }

  std::unique_ptr<WindowExtras> extras;
};

QString TableText(QDialog& dialog, int row, int column) {
  auto* table =
      dialog.findChild<QTableWidget*>(QString::fromLatin1(PanelDifferencesDialog::kTableName));
  return table != nullptr && table->item(row, column) ? table->item(row, column)->text()
                                                      : QString();
}

TEST_F(PanelProbesTest, CompareShowsTheDifferenceAndTakesThePanelsValueOnlyWhenAsked) {
  QTest::mouseClick(Control("ButtonRead"), Qt::LeftButton);
  ASSERT_EQ(user.Messages(), QStringList{"Прочитано успішно."});
  Form& form = window->MainForm();
  form.SetText("AdvEdit_Object", "4321");

  // Closing leaves the engineer's edit alone.
  ASSERT_TRUE(CompareAndInspect([](QDialog& dialog) {
    auto* table =
        dialog.findChild<QTableWidget*>(QString::fromLatin1(PanelDifferencesDialog::kTableName));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_EQ(TableText(dialog, 0, 0), QStringLiteral("Об'єкт №"));
    EXPECT_EQ(TableText(dialog, 0, 1), QStringLiteral("4321"));
    EXPECT_EQ(TableText(dialog, 0, 2), QStringLiteral("1234"));
    QTest::mouseClick(dialog.findChild<QPushButton*>(PanelDifferencesDialog::kCloseButtonName),
                      Qt::LeftButton);
  }));
  EXPECT_EQ(form.Text("AdvEdit_Object"), "4321");
  // The comparison's read says nothing of its own: the dialog does.
  EXPECT_EQ(user.Messages(), QStringList{"Прочитано успішно."});
  EXPECT_TRUE(user.Errors().isEmpty()) << user.Errors().join('|').toStdString();

  // Taking the panel's values puts them into the window.
  ASSERT_TRUE(CompareAndInspect([](QDialog& dialog) {
    QTest::mouseClick(dialog.findChild<QPushButton*>(PanelDifferencesDialog::kTakeButtonName),
                      Qt::LeftButton);
  }));
  EXPECT_EQ(form.Text("AdvEdit_Object"), "1234");

  // Now they agree, and the dialog says so.
  ASSERT_TRUE(CompareAndInspect([](QDialog& dialog) {
    auto* verdict = dialog.findChild<QLabel*>(QStringLiteral("DifferencesVerdict"));
    ASSERT_NE(verdict, nullptr);
    EXPECT_EQ(verdict->text(), QStringLiteral("Відмінностей немає."));
    EXPECT_EQ(dialog.findChild<QPushButton*>(PanelDifferencesDialog::kTakeButtonName), nullptr);
    dialog.reject();
  }));
}

TEST_F(PanelProbesTest, FindPortMarksThePortThatAnsweredAndProbesNoBuiltInPort) {
  auto* box = Control<QComboBox>("cbPort");
  box->setCurrentIndex(2);  // /dev/ttyFAKE1, not a USB adapter
  PressCtrl(Qt::Key_F);
  ASSERT_EQ(user.Messages().size(), 1) << user.Messages().join(QStringLiteral("|")).toStdString();
  EXPECT_TRUE(user.Messages()[0].startsWith(QStringLiteral("Панель відповіла:\r\nDEMO: ")))
      << user.Messages()[0].toStdString();
  EXPECT_FALSE(box->itemData(0, Qt::DecorationRole).isNull());
  EXPECT_TRUE(box->itemData(0, Qt::ToolTipRole).toString().contains(QStringLiteral("t.01")));
  EXPECT_TRUE(box->itemData(1, Qt::DecorationRole).isNull());
  EXPECT_EQ(box->currentIndex(), 0);  // the port that answered is chosen
  // Only the identification request went to the panel, and only once.
  ASSERT_EQ(extras->Demo()->Panel().Requests().size(), 1u);

  // A panel gone silent: nothing marked, the engineer told so.
  sim::PanelFaults silent;
  silent.silent = true;
  extras->Demo()->Panel().SetFaults(silent);
  PressCtrl(Qt::Key_F);
  ASSERT_EQ(user.Messages().size(), 2);
  EXPECT_EQ(user.Messages()[1], QStringLiteral("Жоден з перевірених портів не відповів (1)."));
  EXPECT_TRUE(box->itemData(0, Qt::DecorationRole).isNull());
}

}  // namespace
}  // namespace tevral::ui::uitest
