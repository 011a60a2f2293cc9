#include "configurator/ui/user_dialogs.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include "configurator/ui/app_texts.h"

namespace tevral::ui {
namespace {

// Message boxes stand in the middle of the screen, not of the window.
void CentreOnScreen(QWidget* box, QWidget* parent) {
  box->adjustSize();
  QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect frame = box->frameGeometry();
  frame.moveCenter(screen->availableGeometry().center());
  box->move(frame.topLeft());
}

void ShowBox(QWidget* parent, const QString& title, const QString& text, QMessageBox::Icon icon) {
  QMessageBox box(parent);
  box.setWindowTitle(title);
  box.setIcon(icon);
  box.setText(text);
  box.setTextFormat(Qt::PlainText);
  box.setStandardButtons(QMessageBox::Ok);
  box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
  box.setWindowModality(Qt::ApplicationModal);
  CentreOnScreen(&box, parent);
  box.exec();
}

}  // namespace

QtUserDialogs::QtUserDialogs(QString application_title) : title_(std::move(application_title)) {}

QtUserDialogs::~QtUserDialogs() {
  delete open_dialog_.data();
}

void QtUserDialogs::Message(QWidget* parent, const QString& text) {
  ShowBox(parent, title_, text, QMessageBox::NoIcon);
}

void QtUserDialogs::Error(QWidget* parent, const QString& text) {
  ShowBox(parent, title_, text, QMessageBox::Critical);
}

bool QtUserDialogs::ConfirmReplace(QWidget* parent, const QString& path) {
  QMessageBox box(parent);
  box.setWindowTitle(title_);
  box.setIcon(QMessageBox::Question);
  box.setTextFormat(Qt::PlainText);
  box.setText(QString::fromUtf8(kReplaceQuestion).arg(path));
  QPushButton* yes = box.addButton(QStringLiteral("Так"), QMessageBox::YesRole);
  box.addButton(QStringLiteral("Ні"), QMessageBox::NoRole);
  CentreOnScreen(&box, parent);
  box.exec();
  return box.clickedButton() == yes;
}

std::optional<QString> QtUserDialogs::ChooseSaveFile(QWidget* parent, const QString& folder) {
  // A new dialog for every save, with an empty name box.
  QFileDialog dialog(parent, QString::fromUtf8(kSaveDialogTitle), folder,
                     QString::fromUtf8(kSettingsFilter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QStringLiteral("ini"));
  // The file written is the one of that name in the program folder, not the
  // one chosen here; the window asks about the real target itself.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtUserDialogs::ChooseOpenFile(QWidget* parent, const QString& folder) {
  if (!open_dialog_) {
    open_dialog_ = new QFileDialog(parent, QString::fromUtf8(kOpenDialogTitle), folder,
                                   QString::fromUtf8(kSettingsFilter));
    open_dialog_->setAcceptMode(QFileDialog::AcceptOpen);
    // The name need not exist: only its file-name part is used.
    open_dialog_->setFileMode(QFileDialog::AnyFile);
  }
  open_dialog_->setDirectory(folder);
  if (open_dialog_->exec() != QDialog::Accepted || open_dialog_->selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return open_dialog_->selectedFiles().constFirst();
}

}  // namespace tevral::ui
