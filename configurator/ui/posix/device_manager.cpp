// Linux has no device manager to start; the engineer gets a small window
// that lists the serial adapters with their device path, driver and USB
// description, which is what the device manager is opened for.

#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "configurator/ui/desktop_services.h"
#include "configurator/ui/serial_adapters.h"

namespace tevral::ui {
namespace {

constexpr const char* kDialogName = "SerialAdaptersDialog";

void FillAdapters(QTreeWidget* tree, QLabel* empty_note) {
  tree->clear();
  const std::vector<SerialAdapter> adapters = ListSerialAdapters();
  for (const SerialAdapter& adapter : adapters) {
    tree->addTopLevelItem(new QTreeWidgetItem({QString::fromStdString(adapter.device),
                                               QString::fromStdString(adapter.driver),
                                               QString::fromStdString(adapter.description)}));
  }
  tree->setVisible(!adapters.empty());
  empty_note->setVisible(adapters.empty());
}

QDialog* MakeDialog(QWidget* parent) {
  auto* dialog = new QDialog(parent);
  dialog->setObjectName(QString::fromLatin1(kDialogName));
  dialog->setWindowTitle(QStringLiteral("Послідовні адаптери"));
  auto* layout = new QVBoxLayout(dialog);
  auto* tree = new QTreeWidget(dialog);
  tree->setObjectName(QStringLiteral("adapters"));
  tree->setHeaderLabels(
      {QStringLiteral("Пристрій"), QStringLiteral("Драйвер"), QStringLiteral("Опис")});
  tree->setRootIsDecorated(false);
  tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  auto* empty_note = new QLabel(QStringLiteral("Послідовних адаптерів не знайдено."), dialog);
  empty_note->setObjectName(QStringLiteral("emptyNote"));
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* refresh =
      buttons->addButton(QStringLiteral("Оновити"), QDialogButtonBox::ActionRole);
  QPushButton* close = buttons->addButton(QStringLiteral("Закрити"), QDialogButtonBox::RejectRole);
  QObject::connect(refresh, &QPushButton::clicked, dialog,
                   [tree, empty_note] { FillAdapters(tree, empty_note); });
  QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::hide);
  layout->addWidget(tree);
  layout->addWidget(empty_note);
  layout->addWidget(buttons);
  dialog->resize(560, 220);
  return dialog;
}

}  // namespace

void OpenSystemDeviceManager(QWidget* parent) {
  QWidget* owner = parent != nullptr ? parent->window() : nullptr;
  QDialog* dialog =
      owner != nullptr ? owner->findChild<QDialog*>(QString::fromLatin1(kDialogName)) : nullptr;
  if (dialog == nullptr) dialog = MakeDialog(owner);
  FillAdapters(dialog->findChild<QTreeWidget*>(QStringLiteral("adapters")),
               dialog->findChild<QLabel*>(QStringLiteral("emptyNote")));
  // Like the device manager it stands beside the window and blocks nothing.
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

}  // namespace tevral::ui
