// The real message and error boxes the program shows: caption, icon, text
// and the one OK button, inspected while they are up and then closed.

#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "configurator/ui/qt_form.h"
#include "current/ui/current_app_texts.h"
#include "window_fixture.h"

namespace tevral::ui::uitest {
namespace {

struct SeenBox {
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QStringList buttons;
  bool modal = false;
};

// Looks at the modal box once it is up, then presses its first button.
void InspectNextBox(SeenBox& seen) {
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.modal = box->isModal();
    for (QAbstractButton* button : box->buttons()) seen.buttons << button->text();
    box->buttons().constFirst()->click();
  });
}

TEST(MessageBoxes, MessageAndErrorBoxesAreCaptionedWithTheApplicationTitle) {
  QtUserDialogs dialogs(QString::fromUtf8(current::ui::kApplicationTitle));
  QWidget window;
  window.setObjectName(QStringLiteral("Window"));
  QtForm form(&window, dialogs);

  SeenBox message;
  InspectNextBox(message);
  form.ShowMessage("Прочитано успішно.");
  EXPECT_EQ(message.title, QStringLiteral("Tevral-1/2 GSM GPRS configurator (v.0.7)"));
  EXPECT_EQ(message.text, QStringLiteral("Прочитано успішно."));
  EXPECT_EQ(message.icon, QMessageBox::NoIcon);
  EXPECT_EQ(message.buttons, QStringList{"OK"});
  EXPECT_TRUE(message.modal);

  // The error box adds a full stop after a character that comes after ".".
  const struct {
    const char* message;
    const char* shown;
  } errors[] = {{"Порт зайнятий іншою програмою", "Порт зайнятий іншою програмою."},
                {"'12x' is not a valid integer value", "'12x' is not a valid integer value."},
                {"Готово.", "Готово."},
                {"Помилка (код 5)", "Помилка (код 5)"},
                {"Порти оновлено!", "Порти оновлено!"}};
  for (const auto& e : errors) {
    SeenBox error;
    InspectNextBox(error);
    form.ShowError(e.message);
    EXPECT_EQ(error.title, QStringLiteral("Tevral-1/2 GSM GPRS configurator (v.0.7)"));
    EXPECT_EQ(error.text, QString::fromUtf8(e.shown));
    EXPECT_EQ(error.icon, QMessageBox::Critical);
    EXPECT_EQ(error.buttons, QStringList{"OK"});
  }
}

TEST(MessageBoxes, ReplaceQuestionNamesTheFileAndNoMeansNo) {
  QtUserDialogs dialogs(QString::fromUtf8(current::ui::kApplicationTitle));
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->text().contains(QStringLiteral("/opt/terminal/site.ini")));
    for (QAbstractButton* button : box->buttons()) {
      if (button->text() == QStringLiteral("Ні")) button->click();
    }
  });
  EXPECT_FALSE(dialogs.ConfirmReplace(nullptr, QStringLiteral("/opt/terminal/site.ini")));
}

}  // namespace
}  // namespace tevral::ui::uitest
