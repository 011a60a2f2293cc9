// Closing the window asks first when the fields were edited since they
// were last read, written, opened or saved; otherwise it just closes.

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "window_fixture.h"

namespace tevral::ui::uitest {
namespace {

TEST_F(WindowTest, CloseAsksOnlyWhenFieldsWereEditedSinceTheLastSave) {
  ShowWindow();
  EXPECT_TRUE(window->close()) << "nothing edited";
  EXPECT_EQ(user.leave_questions, 0);

  ShowWindow();
  QWidget* field = Control("EDIT_Test");
  field->setFocus();
  TypeText(field, QStringLiteral("ест"));
  user.leave_answer = false;
  EXPECT_FALSE(window->close());
  EXPECT_EQ(user.leave_questions, 1);
  EXPECT_TRUE(window->isVisible());

  // A check box clicked and clicked back is no change at all.
  QTest::mouseClick(Control("CheckEnTst"), Qt::LeftButton);
  QTest::mouseClick(Control("CheckEnTst"), Qt::LeftButton);

  QTemporaryDir elsewhere;
  user.save_choice = elsewhere.filePath("site.ini");
  window->PNGButton_SaveClick();
  EXPECT_TRUE(window->close()) << "saved";
  EXPECT_EQ(user.leave_questions, 1);

  ShowWindow();
  QTest::mouseClick(Control("CheckEnTst"), Qt::LeftButton);
  user.leave_answer = true;
  EXPECT_TRUE(window->close());
  EXPECT_EQ(user.leave_questions, 2);
}

}  // namespace
}  // namespace tevral::ui::uitest
