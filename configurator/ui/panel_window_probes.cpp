// The window's two ways of asking the panel without touching its fields:
// comparing it with the window (Ctrl+L) and finding the port it answers on
// (Ctrl+F).

#include <QComboBox>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

#include "configurator/identification_line.h"
#include "configurator/port_probe.h"
#include "configurator/ui/command_runner.h"
#include "configurator/ui/comparison_read_form.h"
#include "configurator/ui/demo_port_form.h"
#include "configurator/ui/form_proxy.h"
#include "configurator/ui/panel_differences_dialog.h"
#include "configurator/ui/panel_window.h"
#include "link/exchanges.h"
#include "link/port_details.h"

namespace tevral::ui {

namespace {

// The mark of the port a panel answered on: a green dot before its name.
QIcon AnsweredMark() {
  QPixmap dot(12, 12);
  dot.fill(Qt::transparent);
  QPainter painter(&dot);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0, 160, 0));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(1, 1, 10, 10);
  return QIcon(dot);
}

// The fields the read fetched go into the window as a read would put them.
void TakePanelValues(const FieldTable& panel, Form& window, const ComparisonPlan& plan,
                     bool limited) {
  for (const ComparedField& compared : plan.compared) {
    if (limited && compared.identified_only) continue;
    const FieldSpec& field = panel.FieldSpecOf(compared.name);
    switch (field.kind) {
      case FieldKind::kText:
        window.SetText(field.name, panel.Text(field.name));
        break;
      case FieldKind::kCheck:
        window.SetChecked(field.name, panel.Checked(field.name));
        break;
      case FieldKind::kRadio:
        if (panel.Checked(field.name)) window.SetChecked(field.name, true);
        break;
      case FieldKind::kChoice:
        window.SetItemIndex(field.name, panel.ItemIndex(field.name));
        break;
    }
  }
}

struct Candidate {
  int index;         // in the port list
  std::string port;  // the device the probe opens
};

}  // namespace

void PanelWindow::ComparePanelWithWindow(const ComparisonPlan& plan) {
  FieldTable panel = BlankPanelTable(plan.fields, form_.Text("cbPort"));
  panel.SetItemIndex("cbBaudRate", form_.ItemIndex("cbBaudRate"));
  bool complete = false;
  {
    FormProxy proxy(form_, this);
    ComparisonReadForm read_form(panel, proxy, std::string(plan.read_success));
    PortResolvingForm form(read_form, services_.resolve_port);
    link::Exchanges exchanges(port_, form);
    exchanges.SetTrace(services_.trace);
    PanelSession session{form, port_, exchanges};
    RunWithWindowsPainting([&] { complete = plan.read(session); });
  }
  if (!complete) return;  // the read has said why
  const bool limited = panel.Caption() == kLimitedCaption;
  const Comparison comparison = CompareWithPanel(form_, panel, limited, plan);
  PanelDifferencesDialog dialog(comparison, this);
  if (dialog.TakePanelValues()) TakePanelValues(panel, form_, plan, limited);
}

void PanelWindow::FindPanelPort() {
  auto* ports = findChild<QComboBox*>(QStringLiteral("cbPort"));
  const std::vector<std::string> usb = UsbAdapterPorts(link::DescribeSerialPorts());
  std::vector<Candidate> candidates;
  for (int i = 0; i < ports->count(); ++i) {
    const std::string name = ports->itemText(i).toStdString();
    const std::string device = services_.resolve_port ? services_.resolve_port(name) : name;
    const bool own = device != name;  // a port the program serves itself
    if (own || std::find(usb.begin(), usb.end(), name) != usb.end()) {
      candidates.push_back({i, device});
    }
    ports->setItemData(i, QVariant(), Qt::DecorationRole);
    ports->setItemData(i, QVariant(), Qt::ToolTipRole);
  }
  if (candidates.empty()) {
    form_.ShowMessage(
        "У списку портів немає USB-адаптерів. Вбудовані порти не перевіряються: "
        "виберіть порт і прочитайте панель.");
    return;
  }
  port_.Close();  // the probes open the ports themselves
  const int baud = form_.ItemIndex("cbBaudRate");
  std::vector<ProbeOutcome> outcomes;
  RunWithWindowsPainting([&] {
    for (const Candidate& candidate : candidates)
      outcomes.push_back(ProbePort(candidate.port, baud));
  });

  std::string report;
  int first_answer = -1;
  for (std::size_t k = 0; k < candidates.size(); ++k) {
    const ProbeOutcome& outcome = outcomes[k];
    if (outcome.kind != ProbeOutcome::Kind::kIdentified &&
        outcome.kind != ProbeOutcome::Kind::kAnswered) {
      continue;
    }
    const int index = candidates[k].index;
    ports->setItemData(index, AnsweredMark(), Qt::DecorationRole);
    ports->setItemData(index, QString::fromStdString(outcome.text), Qt::ToolTipRole);
    if (first_answer < 0) first_answer = index;
    report += "\r\n" + ports->itemText(index).toStdString() + ": " + outcome.text;
  }
  if (first_answer < 0) {
    form_.ShowMessage("Жоден з перевірених портів не відповів (" +
                      std::to_string(candidates.size()) + ").");
    return;
  }
  form_.SetItemIndex("cbPort", first_answer);
  form_.ShowMessage("Панель відповіла:" + report);
}

}  // namespace tevral::ui
