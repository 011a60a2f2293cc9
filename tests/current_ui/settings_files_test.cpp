// Save, Open and the start-up load, through a program folder of the test's
// own and a folder the user picks files in.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "configurator/ui/field_edit.h"
#include "window_fixture.h"

namespace tevral::ui::uitest {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteAll(const QString& path, const QByteArray& content) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  file.write(content);
}

class SettingsFilesTest : public WindowTest {
 protected:
  QTemporaryDir elsewhere;  // a folder the user may pick in a dialog
};

// The file written and read is the file the user chose, in the folder it
// was chosen in; the program folder is not touched, and the message names
// the file.
TEST_F(SettingsFilesTest, SaveThenOpenUseTheFileTheUserChose) {
  MakeWindow();
  Form& form = window->MainForm();
  form.SetText("AdvEdit_Object", "12AB");
  form.SetText("EDIT_Test", "\xF2\xE5\xF1\xF2");  // "тест"
  form.SetText("AdvEdit_TestPer", "?");           // not typeable, still kept
  form.SetText("AdvEdit_Sim2Serv3", "\"UDP\",\"srv.example\",7779");
  form.SetChecked("CheckEnTst", false);
  form.SetItemIndex("sComboBox_ChProtocol", 1);
  form.SetItemIndex("cbPort", 1);

  const QString chosen = elsewhere.filePath("site.ini");
  user.save_choice = chosen;
  window->PNGButton_SaveClick();
  EXPECT_EQ(user.Messages(), QStringList{QStringLiteral("Збережено успішно.\n") + chosen});
  EXPECT_TRUE(user.Errors().isEmpty());
  EXPECT_TRUE(QFile::exists(chosen));
  EXPECT_FALSE(QFile::exists(program_folder.filePath("site.ini")));
  EXPECT_TRUE(user.replace_questions.isEmpty());

  form.SetText("AdvEdit_Object", "0000");
  form.SetText("EDIT_Test", "t");
  form.SetText("AdvEdit_TestPer", "24");
  form.SetText("AdvEdit_Sim2Serv3", "");
  form.SetChecked("CheckEnTst", true);
  form.SetItemIndex("sComboBox_ChProtocol", 0);
  form.SetItemIndex("cbPort", 0);

  user.open_choice = chosen;
  window->PNGButton_OpenClick();
  EXPECT_EQ(user.Messages().last(), QStringLiteral("Відкрито успішно.\n") + chosen);
  EXPECT_EQ(form.Text("AdvEdit_Object"), "12AB");
  EXPECT_EQ(form.Text("EDIT_Test"), "\xF2\xE5\xF1\xF2");
  EXPECT_EQ(form.Text("AdvEdit_TestPer"), "?");
  EXPECT_EQ(form.Text("AdvEdit_Sim2Serv3"), "\"UDP\",\"srv.example\",7779");
  EXPECT_FALSE(form.Checked("CheckEnTst"));
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 1);
  EXPECT_EQ(form.ItemIndex("cbPort"), 1);
  EXPECT_TRUE(QDir(program_folder.path()).isEmpty());
}

TEST_F(SettingsFilesTest, ReplaceQuestionIsAboutTheChosenFile) {
  MakeWindow();
  const QString chosen = elsewhere.filePath("site.ini");
  WriteAll(chosen, "[Other]\r\nKey=kept\r\n");
  user.save_choice = chosen;
  user.replace_answer = false;
  window->PNGButton_SaveClick();
  EXPECT_EQ(user.replace_questions, QStringList{chosen});
  EXPECT_EQ(ReadAll(chosen), QByteArray("[Other]\r\nKey=kept\r\n"));
  EXPECT_TRUE(user.shown.empty());

  user.replace_answer = true;
  window->PNGButton_SaveClick();
  EXPECT_EQ(user.Messages(), QStringList{QStringLiteral("Збережено успішно.\n") + chosen});
  const QByteArray saved = ReadAll(chosen);
  EXPECT_TRUE(saved.startsWith("[Other]\r\nKey=kept\r\n"));
  EXPECT_TRUE(saved.contains("[AdvEdit_Object]\r\nText=0000\r\n"));

  // A new file: nothing to ask about.
  user.save_choice = elsewhere.filePath("fresh.ini");
  window->PNGButton_SaveClick();
  EXPECT_EQ(user.replace_questions.size(), 2);
  EXPECT_TRUE(QFile::exists(elsewhere.filePath("fresh.ini")));
}

TEST_F(SettingsFilesTest, OpeningAFileThatIsNotThereIsReportedAndChangesNothing) {
  MakeWindow();
  // The same name in the program folder is not taken for it.
  WriteAll(program_folder.filePath("site.ini"), "[AdvEdit_Object]\r\nText=FFFF\r\n");
  const QString chosen = elsewhere.filePath("site.ini");
  user.open_choice = chosen;
  window->PNGButton_OpenClick();
  EXPECT_EQ(user.Errors(),
            QStringList{QStringLiteral("Файл налаштувань «%1» не знайдено.").arg(chosen)});
  EXPECT_TRUE(user.Messages().isEmpty());
  EXPECT_EQ(window->MainForm().Text("AdvEdit_Object"), "0000");
  EXPECT_EQ(window->MainForm().Text("EDIT_Test"), "t");
}

TEST_F(SettingsFilesTest, CancelInEitherDialogDoesNothing) {
  MakeWindow();
  window->PNGButton_SaveClick();
  window->PNGButton_OpenClick();
  EXPECT_TRUE(user.shown.empty());
  EXPECT_TRUE(QDir(program_folder.path()).isEmpty());
}

TEST_F(SettingsFilesTest, SaveThatCannotWriteShowsTheErrorAndNoSuccess) {
  MakeWindow();
  const QString target = elsewhere.filePath("no-such-folder/site.ini");
  user.save_choice = target;
  window->PNGButton_SaveClick();
  EXPECT_EQ(user.Errors(), QStringList{QStringLiteral("Unable to write to %1.").arg(target)});
  EXPECT_TRUE(user.Messages().isEmpty());
}

// Both dialogs open in the program folder, where a user of the old way
// keeps the files, then where the user last chose a file.
TEST_F(SettingsFilesTest, DialogsStartInTheProgramFolderThenWhereTheUserLastChose) {
  MakeWindow();
  user.save_choice = elsewhere.filePath("a.ini");
  window->PNGButton_SaveClick();
  user.open_choice = elsewhere.filePath("a.ini");
  window->PNGButton_OpenClick();
  window->PNGButton_SaveClick();
  EXPECT_EQ(user.save_dialog_folders, (QStringList{program_folder.path(), elsewhere.path()}));
  EXPECT_EQ(user.open_dialog_folders, QStringList{elsewhere.path()});
}

TEST_F(SettingsFilesTest, StartUpLoadReadsTheDefaultFileOfTheProgramFolder) {
  WriteAll(program_folder.filePath("zEdaza.ini"),
           "[AdvEdit_Object]\r\nText=12AB\r\n[cbPort]\r\nItemIndex=5\r\n"
           "[sCheckBoxVerConn]\r\nChecked=0\r\n[EDIT_TestPer]\r\nText=\r\n");
  MakeWindow();
  Form& form = window->MainForm();
  EXPECT_TRUE(user.shown.empty());
  EXPECT_EQ(form.Text("AdvEdit_Object"), "12AB");
  EXPECT_EQ(form.ItemIndex("cbPort"), -1);  // only two ports listed
  EXPECT_FALSE(form.Checked("sCheckBoxVerConn"));
  EXPECT_EQ(form.Text("EDIT_TestPer"), "0");
  // Keys the file lacks read as their missing-key values.
  EXPECT_EQ(form.Text("EDIT_Test"), "?");
  EXPECT_EQ(form.Text("AdvEditHeartHexSufix"), "14");
  EXPECT_EQ(form.Text("AdvEdit_Sim1Serv1"), "");
  EXPECT_EQ(form.ItemIndex("cbBaudRate"), 12);
}

TEST_F(SettingsFilesTest, StartUpLoadIgnoresADefaultFileInTheWorkingDirectory) {
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
  WriteAll(elsewhere.filePath("zEdaza.ini"), "[AdvEdit_Object]\r\nText=12AB\r\n");
  MakeWindow();
  QDir::setCurrent(previous);
  EXPECT_EQ(window->MainForm().Text("AdvEdit_Object"), "0000");
  EXPECT_EQ(window->MainForm().Text("EDIT_Test"), "t");
}

}  // namespace
}  // namespace tevral::ui::uitest
