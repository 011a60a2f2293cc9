#include "configurator/ui/panel_differences_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tevral::ui {

namespace {

QString Utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QTableWidget* DifferencesTable(const Comparison& comparison, QWidget* parent) {
  auto* table = new QTableWidget(static_cast<int>(comparison.differences.size()), 3, parent);
  table->setObjectName(QString::fromLatin1(PanelDifferencesDialog::kTableName));
  table->setHorizontalHeaderLabels(
      {QStringLiteral("Поле"), QStringLiteral("У вікні"), QStringLiteral("У панелі")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  int row = 0;
  for (const FieldDifference& difference : comparison.differences) {
    table->setItem(row, 0, new QTableWidgetItem(Utf8(difference.label)));
    table->setItem(row, 1, new QTableWidgetItem(Utf8(difference.left_value)));
    table->setItem(row, 2, new QTableWidgetItem(Utf8(difference.right_value)));
    ++row;
  }
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

QString NotComparedText(const Comparison& comparison) {
  QString text;
  if (!comparison.left_refusal.empty()) {
    text +=
        QStringLiteral("Запис відмовився б від значень вікна (%1); вони порівнюються як є.\n")
            .arg(
                Utf8(comparison.left_refusal).replace(QStringLiteral("\r\n"), QStringLiteral(" ")));
  }
  for (const NotCompared& item : comparison.not_compared) {
    text += QStringLiteral("%1: не порівнюється (%2)\n").arg(Utf8(item.label), Utf8(item.reason));
  }
  return text.trimmed();
}

}  // namespace

PanelDifferencesDialog::PanelDifferencesDialog(const Comparison& comparison, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QString::fromLatin1(kObjectName));
  setWindowTitle(QStringLiteral("Панель і вікно"));
  auto* layout = new QVBoxLayout(this);
  const bool agree = comparison.Agree();
  auto* verdict = new QLabel(agree ? QStringLiteral("Відмінностей немає.")
                                   : QStringLiteral("Відмінності між вікном і панеллю: %1")
                                         .arg(comparison.differences.size()),
                             this);
  verdict->setObjectName(QStringLiteral("DifferencesVerdict"));
  layout->addWidget(verdict);
  if (!agree) layout->addWidget(DifferencesTable(comparison, this));
  const QString not_compared = NotComparedText(comparison);
  if (!not_compared.isEmpty()) {
    auto* note = new QLabel(not_compared, this);
    note->setObjectName(QStringLiteral("NotComparedNote"));
    note->setWordWrap(true);
    layout->addWidget(note);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  if (!agree) {
    auto* take = new QPushButton(QStringLiteral("Взяти значення панелі"), this);
    take->setObjectName(QString::fromLatin1(kTakeButtonName));
    connect(take, &QPushButton::clicked, this, &QDialog::accept);
    buttons->addWidget(take);
  }
  auto* close = new QPushButton(QStringLiteral("Закрити"), this);
  close->setObjectName(QString::fromLatin1(kCloseButtonName));
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  resize(agree ? 420 : 640, agree ? 160 : 420);
}

bool PanelDifferencesDialog::TakePanelValues() {
  return exec() == QDialog::Accepted;
}

}  // namespace tevral::ui
