// The controls of the earlier main window and where they stand: client
// pixels at 96 dpi, group boxes in the window, controls in their group box.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "configurator/field_description.h"
#include "configurator/ui/clickable_label.h"
#include "configurator/ui/dpi_scale.h"
#include "configurator/ui/field_widgets.h"
#include "configurator/ui/image_button.h"
#include "earlier/earlier_fields.h"
#include "earlier/ui/earlier_main_window.h"

namespace tevral::earlier::ui {
namespace {

using tevral::ui::Scaled;
using tevral::ui::ToQString;

struct Place {
  std::string_view name;
  QRect rect;
};

constexpr std::array kGroupPlaces = {
    Place{"sGroupBox4", {8, 0, 353, 89}},
    Place{"sGroupBox1", {368, 0, 233, 89}},
    Place{"sGroupBox3", {608, 0, 113, 89}},
    Place{"sGroupBox2", {8, 90, 713, 71}},
    Place{"sGroupBox6", {8, 162, 353, 151}},
    Place{"sGroupBox7", {368, 162, 353, 151}},
    Place{"sGroupBoxNomerAlter", {8, 314, 713, 63}},
};

// Rows of the uncaptioned sGroupBox2: labels over the fields, the event
// code switch under the protocol list.
constexpr int kObjectLabelTop = 6;
constexpr int kObjectRowTop = 24;
// Both server boxes have the same inner layout: address, server port and
// local port in a row, under them the DNS box, the transport pair and the
// access point.
constexpr int kServerLabelTop = 22;
constexpr int kServerRowTop = 40;
constexpr int kTransportTop = 86;
constexpr int kTransportStep = 24;

constexpr std::array kControlPlaces = {
    Place{"cbPort", {6, 26, 72, 22}},
    Place{"cbBaudRate", {6, 56, 72, 22}},
    // "Передачі для підтримки GPRS сесії"
    Place{"sCheckBoxVerConn", {8, 20, 170, 18}},
    Place{"CheckEnTst", {8, 58, 18, 18}},
    Place{"EDIT_Test", {26, 56, 58, 21}},
    Place{"AdvEditHeartHexSufix", {96, 56, 26, 21}},
    Place{"EDIT_TestPer", {128, 56, 32, 21}},
    // "Префікс SUR-GARD"
    Place{"EDIT_SurGardPref", {8, 56, 97, 21}},
    // sGroupBox2
    Place{"AdvEdit_Object", {32, kObjectRowTop, 50, 21}},
    Place{"sComboBox_ChProtocol", {130, kObjectRowTop, 100, 22}},
    Place{"sCheckBox_IncCodes", {130, kObjectRowTop + 25, 130, 18}},
    Place{"AdvEdit_Password", {290, kObjectRowTop, 130, 21}},
    Place{"AdvEdit_TestPer", {470, kObjectRowTop, 30, 21}},
    Place{"AdvEdit_TestHou", {518, kObjectRowTop, 30, 21}},
    Place{"AdvEdit_TestMin", {562, kObjectRowTop, 30, 21}},
    // "1-ий сервер"
    Place{"AdvEdit_IP_1", {8, kServerRowTop, 140, 21}},
    Place{"AdvEdit_PORT_1", {156, kServerRowTop, 70, 21}},
    Place{"AdvEdit_PORT_LOCAL_1", {240, kServerRowTop, 105, 21}},
    Place{"sCheckBox_DNS_1", {8, kTransportTop + kTransportStep / 2, 60, 18}},
    Place{"RadioButton_TCP_1", {80, kTransportTop, 60, 18}},
    Place{"RadioButton_UDP_1", {80, kTransportTop + kTransportStep, 60, 18}},
    Place{"AdvEdit_POINT_1", {150, kTransportTop + 20, 195, 21}},
    // "2-ий сервер"
    Place{"AdvEdit_IP_2", {8, kServerRowTop, 140, 21}},
    Place{"AdvEdit_PORT_2", {156, kServerRowTop, 70, 21}},
    Place{"AdvEdit_PORT_LOCAL_2", {240, kServerRowTop, 105, 21}},
    Place{"sCheckBox_DNS_2", {8, kTransportTop + kTransportStep / 2, 60, 18}},
    Place{"RadioButton_TCP_2", {80, kTransportTop, 60, 18}},
    Place{"RadioButton_UDP_2", {80, kTransportTop + kTransportStep, 60, 18}},
    Place{"AdvEdit_POINT_2", {150, kTransportTop + 20, 195, 21}},
    // "Номер аварійної передачі ..."
    Place{"AdvEditNomerAlter", {10, 26, 130, 21}},
};

// A fixed text of a field: its label (side -1) or one of its side labels,
// in the field's group box.
struct LabelPlace {
  std::string_view field;
  int side;
  QRect rect;
};

constexpr std::array kLabelPlaces = {
    LabelPlace{"EDIT_TestPer", -1, {128, 38, 60, 16}},
    LabelPlace{"AdvEditHeartHexSufix", -1, {87, 59, 9, 16}},
    LabelPlace{"EDIT_TestPer", 0, {163, 59, 66, 16}},
    LabelPlace{"EDIT_SurGardPref", -1, {8, 38, 97, 16}},
    LabelPlace{"AdvEdit_Object", -1, {16, kObjectLabelTop, 90, 16}},
    LabelPlace{"AdvEdit_Object", 0, {16, kObjectRowTop + 3, 15, 16}},
    LabelPlace{"sComboBox_ChProtocol", -1, {130, kObjectLabelTop, 100, 16}},
    LabelPlace{"AdvEdit_Password", -1, {290, kObjectLabelTop, 130, 16}},
    LabelPlace{"AdvEdit_TestPer", -1, {470, kObjectLabelTop, 230, 16}},
    LabelPlace{"AdvEdit_TestPer", 0, {504, kObjectRowTop + 3, 12, 16}},
    LabelPlace{"AdvEdit_TestHou", 0, {552, kObjectRowTop + 3, 8, 16}},
    LabelPlace{"AdvEdit_IP_1", -1, {8, kServerLabelTop, 140, 16}},
    LabelPlace{"AdvEdit_PORT_1", -1, {156, kServerLabelTop, 82, 16}},
    LabelPlace{"AdvEdit_PORT_LOCAL_1", -1, {240, kServerLabelTop, 105, 16}},
    LabelPlace{"AdvEdit_POINT_1", -1, {150, kTransportTop, 195, 16}},
    LabelPlace{"AdvEdit_IP_2", -1, {8, kServerLabelTop, 140, 16}},
    LabelPlace{"AdvEdit_PORT_2", -1, {156, kServerLabelTop, 82, 16}},
    LabelPlace{"AdvEdit_PORT_LOCAL_2", -1, {240, kServerLabelTop, 105, 16}},
    LabelPlace{"AdvEdit_POINT_2", -1, {150, kTransportTop, 195, 16}},
    LabelPlace{"AdvEditNomerAlter", 0, {150, 21, 560, 16}},
    LabelPlace{"AdvEditNomerAlter", 1, {150, 38, 560, 16}},
};

struct ButtonPlace {
  const char* name;
  const char* icon;
  int icon_size;
  const char* caption;
  const char* hint;
  QRect rect;
};

constexpr int kButtonTop = 4;
constexpr std::array kButtonPlaces = {
    ButtonPlace{"ButtonRead",
                ":/icons/read.svg",
                32,
                "Прочитати",
                tevral::ui::kReadButtonHint,
                {82, kButtonTop, 73, 81}},
    ButtonPlace{"ButtonWrite",
                ":/icons/write.svg",
                32,
                "Записати",
                tevral::ui::kWriteButtonHint,
                {155, kButtonTop, 73, 81}},
    ButtonPlace{
        "PNGButton2", ":/icons/save.svg", 32, "Зберегти", "Зберегти", {228, kButtonTop, 73, 81}},
    ButtonPlace{
        "PNGButton6", ":/icons/about.svg", 24, "", "Про програму", {301, kButtonTop, 41, 81}},
};

// Tab's way through the window: the selectors and the command buttons,
// then each group box row by row, left to right.
constexpr const char* kKeyboardOrder[] = {
    "cbPort",
    "cbBaudRate",
    "ButtonRead",
    "ButtonWrite",
    "PNGButton2",
    // "Передачі для підтримки GPRS сесії", then "Префікс SUR-GARD"
    "sCheckBoxVerConn",
    "CheckEnTst",
    "EDIT_Test",
    "AdvEditHeartHexSufix",
    "EDIT_TestPer",
    "EDIT_SurGardPref",
    // sGroupBox2
    "AdvEdit_Object",
    "sComboBox_ChProtocol",
    "AdvEdit_Password",
    "AdvEdit_TestPer",
    "AdvEdit_TestHou",
    "AdvEdit_TestMin",
    "sCheckBox_IncCodes",
    // "1-ий сервер", then "2-ий сервер"
    "AdvEdit_IP_1",
    "AdvEdit_PORT_1",
    "AdvEdit_PORT_LOCAL_1",
    "sCheckBox_DNS_1",
    "RadioButton_TCP_1",
    "RadioButton_UDP_1",
    "AdvEdit_POINT_1",
    "AdvEdit_IP_2",
    "AdvEdit_PORT_2",
    "AdvEdit_PORT_LOCAL_2",
    "sCheckBox_DNS_2",
    "RadioButton_TCP_2",
    "RadioButton_UDP_2",
    "AdvEdit_POINT_2",
    "AdvEditNomerAlter",
};

constexpr QRect kLabel1Place(8, 8, 60, 16);
constexpr QRect kProgressPlace(8, 382, 713, 11);

const FieldSpec& Field(std::string_view name) {
  const FieldSpec* field_spec = FindField(EarlierFields(), name);
  if (field_spec == nullptr) throw std::logic_error("no field " + std::string(name));
  return *field_spec;
}

template <size_t N>
const QRect& PlaceOf(const std::array<Place, N>& places, std::string_view name) {
  const auto found = std::find_if(places.begin(), places.end(),
                                  [&](const Place& place) { return place.name == name; });
  if (found == places.end()) throw std::logic_error("no place for " + std::string(name));
  return found->rect;
}

}  // namespace

void TMainForm::BuildControls() {
  const double scale = tevral::ui::DpiScale(this);
  auto group_of = [this](std::string_view name) {
    return findChild<QGroupBox*>(ToQString(name), Qt::FindDirectChildrenOnly);
  };

  for (const GroupSpec& group : EarlierGroups()) {
    auto* box = new QGroupBox(ToQString(group.caption), this);
    box->setObjectName(ToQString(group.name));
    box->setGeometry(Scaled(PlaceOf(kGroupPlaces, group.name), scale));
  }

  for (const FieldSpec& field_spec : EarlierFields()) {
    QWidget* widget = tevral::ui::MakeFieldWidget(field_spec, group_of(field_spec.group));
    widget->setGeometry(Scaled(PlaceOf(kControlPlaces, field_spec.name), scale));
    // The connection selectors get their first selection from FormCreate;
    // until then (and when the port list cannot be made) nothing is chosen.
    if (field_spec.connection) static_cast<QComboBox*>(widget)->setCurrentIndex(-1);
  }

  for (const LabelPlace& place : kLabelPlaces) {
    const FieldSpec& field_spec = Field(place.field);
    const std::string_view text =
        place.side < 0 ? field_spec.label : field_spec.side_labels[static_cast<size_t>(place.side)];
    auto* label = new QLabel(ToQString(text), group_of(field_spec.group));
    label->setGeometry(Scaled(place.rect, scale));
  }

  QGroupBox* command_box = group_of("sGroupBox4");
  auto* port_label = new tevral::ui::ClickableLabel(ToQString(Field("cbPort").label), command_box);
  port_label->setObjectName(QStringLiteral("Label1"));
  port_label->setToolTip(QStringLiteral("Диспетчер пристроїв"));
  port_label->setCursor(Qt::PointingHandCursor);
  port_label->setGeometry(Scaled(kLabel1Place, scale));
  connect(port_label, &tevral::ui::ClickableLabel::clicked, this, &TMainForm::Label1Click);

  for (const ButtonPlace& place : kButtonPlaces) {
    auto* button = new tevral::ui::ImageButton(
        QString::fromLatin1(place.name), QString::fromLatin1(place.icon),
        Scaled(place.icon_size, scale), QString::fromUtf8(place.caption),
        QString::fromUtf8(place.hint), command_box);
    button->setGeometry(Scaled(place.rect, scale));
  }

  auto* progress = new QProgressBar(this);
  progress->setObjectName(QStringLiteral("ProgressbarWrite"));
  progress->setRange(0, 100);
  progress->setValue(0);
  progress->setTextVisible(false);
  progress->setGeometry(Scaled(kProgressPlace, scale));

  SetKeyboardOrder(kKeyboardOrder);
}

}  // namespace tevral::earlier::ui
