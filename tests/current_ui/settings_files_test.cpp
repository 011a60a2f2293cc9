// Save, Open and the start-up load, through a program folder of the test's
// own: only the chosen file's name counts, the file lies in that folder.

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

TEST_F(SettingsFilesTest, SaveThenOpenGivesBackTheWindowWhicheverFolderWasPicked) {
  MakeWindow();
  Form& form = window->MainForm();
  form.SetText("AdvEdit_Object", "12AB");
  form.SetText("EDIT_Test", "\xF2\xE5\xF1\xF2");  // "тест"
  form.SetText("AdvEdit_TestPer", "?");           // not typeable, still kept
  form.SetText("AdvEdit_Sim2Serv3", "\"UDP\",\"srv.example\",7779");
  form.SetChecked("CheckEnTst", false);
  form.SetItemIndex("sComboBox_ChProtocol", 1);
  form.SetItemIndex("cbPort", 1);

  user.save_choice = elsewhere.filePath("site.ini");
  window->PNGButton_SaveClick();
  EXPECT_EQ(user.Messages(), QStringList{"Збережено успішно."});
  EXPECT_TRUE(user.Errors().isEmpty());
  EXPECT_TRUE(QFile::exists(program_folder.filePath("site.ini")));
  EXPECT_FALSE(QFile::exists(elsewhere.filePath("site.ini")));
  EXPECT_TRUE(user.replace_questions.isEmpty());

  form.SetText("AdvEdit_Object", "0000");
  form.SetText("EDIT_Test", "t");
  form.SetText("AdvEdit_TestPer", "24");
  form.SetText("AdvEdit_Sim2Serv3", "");
  form.SetChecked("CheckEnTst", true);
  form.SetItemIndex("sComboBox_ChProtocol", 0);
  form.SetItemIndex("cbPort", 0);

  user.open_choice = QStringLiteral("/no/such/folder/site.ini");
  window->PNGButton_OpenClick();
  EXPECT_EQ(user.Messages().last(), QStringLiteral("Відкрито успішно."));
  EXPECT_EQ(user.open_dialog_folders.last(), program_folder.path());
  EXPECT_EQ(form.Text("AdvEdit_Object"), "12AB");
  EXPECT_EQ(form.Text("EDIT_Test"), "\xF2\xE5\xF1\xF2");
  EXPECT_EQ(form.Text("AdvEdit_TestPer"), "?");
  EXPECT_EQ(form.Text("AdvEdit_Sim2Serv3"), "\"UDP\",\"srv.example\",7779");
  EXPECT_FALSE(form.Checked("CheckEnTst"));
  EXPECT_EQ(form.ItemIndex("sComboBox_ChProtocol"), 1);
  EXPECT_EQ(form.ItemIndex("cbPort"), 1);
}

TEST_F(SettingsFilesTest, ReplaceQuestionIsAboutTheFileInTheProgramFolder) {
  MakeWindow();
  const QString target = program_folder.filePath("site.ini");
  WriteAll(target, "[Other]\r\nKey=kept\r\n");
  // The picked file elsewhere does not exist; the one that would change does.
  user.save_choice = elsewhere.filePath("site.ini");
  user.replace_answer = false;
  window->PNGButton_SaveClick();
  EXPECT_EQ(user.replace_questions, QStringList{target});
  EXPECT_EQ(ReadAll(target), QByteArray("[Other]\r\nKey=kept\r\n"));
  EXPECT_TRUE(user.shown.empty());

  user.replace_answer = true;
  window->PNGButton_SaveClick();
  EXPECT_EQ(user.Messages(), QStringList{"Збережено успішно."});
  const QByteArray saved = ReadAll(target);
  EXPECT_TRUE(saved.startsWith("[Other]\r\nKey=kept\r\n"));
  EXPECT_TRUE(saved.contains("[AdvEdit_Object]\r\nText=0000\r\n"));

  // An existing file picked elsewhere, with none in the program folder:
  // nothing to ask about.
  WriteAll(elsewhere.filePath("fresh.ini"), "x");
  user.save_choice = elsewhere.filePath("fresh.ini");
  window->PNGButton_SaveClick();
  EXPECT_EQ(user.replace_questions.size(), 2);
  EXPECT_EQ(ReadAll(elsewhere.filePath("fresh.ini")), QByteArray("x"));
}

TEST_F(SettingsFilesTest, OpeningAFileMissingFromTheProgramFolderIsReportedAndChangesNothing) {
  MakeWindow();
  WriteAll(elsewhere.filePath("only-here.ini"), "[AdvEdit_Object]\r\nText=FFFF\r\n");
  user.open_choice = elsewhere.filePath("only-here.ini");
  window->PNGButton_OpenClick();
  const QString looked_for = program_folder.filePath("only-here.ini");
  EXPECT_EQ(user.Errors(),
            QStringList{QStringLiteral("Файл налаштувань «%1» не знайдено.").arg(looked_for)});
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
  // A program folder that is a file: nothing can be written inside it.
  WriteAll(program_folder.filePath("not-a-folder"), "");
  window.reset();
  MainFormServices services = Services();
  services.program_folder = program_folder.filePath("not-a-folder");
  window = std::make_unique<TMainForm>(services);
  user.save_choice = elsewhere.filePath("site.ini");
  window->PNGButton_SaveClick();
  const QString target = program_folder.filePath("not-a-folder/site.ini");
  EXPECT_EQ(user.Errors(), QStringList{QStringLiteral("Unable to write to %1.").arg(target)});
  EXPECT_TRUE(user.Messages().isEmpty());
}

TEST_F(SettingsFilesTest, SaveDialogStartsWhereTheUserLastPickedAFile) {
  MakeWindow();
  user.save_choice = elsewhere.filePath("a.ini");
  window->PNGButton_SaveClick();
  window->PNGButton_SaveClick();
  ASSERT_EQ(user.save_dialog_folders.size(), 2);
  EXPECT_EQ(user.save_dialog_folders[0], QDir::currentPath());
  EXPECT_EQ(user.save_dialog_folders[1], elsewhere.path());
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
