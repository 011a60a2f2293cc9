// The controls of the main window and where they stand: client pixels at
// 96 dpi, group boxes in the window, controls in their group box.

#include <QComboBox>
#include <QGroupBox>
#include <QProgressBar>
#include <algorithm>
#include <array>
#include <stdexcept>

#include "configurator/ui/clickable_label.h"
#include "configurator/ui/dpi_scale.h"
#include "configurator/ui/field_widgets.h"
#include "configurator/ui/image_button.h"
#include "current/fields.h"
#include "current/ui/main_window.h"

namespace tevral::current::ui {
namespace {

using tevral::ui::Scaled;
using tevral::ui::ToQString;

struct GroupPlace {
  std::string_view name;
  QRect rect;
};

constexpr std::array kGroupPlaces = {
    GroupPlace{"sGroupBox4", {8, 0, 417, 89}},
    GroupPlace{"sGroupBox2", {8, 90, 417, 79}},
    GroupPlace{"sGroupBox1", {432, 93, 289, 73}},
    GroupPlace{"sGroupBox5", {8, 178, 353, 175}},
    GroupPlace{"sGroupBox14", {368, 178, 353, 175}},
    GroupPlace{"sGroupBoxNomerAlter", {8, 362, 713, 63}},
};

struct ControlPlace {
  std::string_view name;
  QRect rect;
};

// Both SIM boxes have the same inner layout.
constexpr int kServerTop[] = {74, 104, 134};

constexpr std::array kControlPlaces = {
    ControlPlace{"cbPort", {6, 26, 72, 22}},
    ControlPlace{"cbBaudRate", {6, 56, 72, 22}},
    ControlPlace{"AdvEdit_Object", {26, 38, 46, 21}},
    ControlPlace{"sComboBox_ChProtocol", {86, 38, 92, 22}},
    ControlPlace{"AdvEdit_TestPer", {192, 38, 30, 21}},
    ControlPlace{"AdvEdit_TestHou", {240, 38, 30, 21}},
    ControlPlace{"AdvEdit_TestMin", {284, 38, 30, 21}},
    ControlPlace{"sCheckBoxVerConn", {8, 20, 180, 18}},
    ControlPlace{"CheckEnTst", {8, 45, 18, 18}},
    ControlPlace{"EDIT_Test", {28, 43, 104, 21}},
    ControlPlace{"AdvEditHeartHexSufix", {148, 43, 30, 21}},
    ControlPlace{"EDIT_TestPer", {196, 43, 36, 21}},
    ControlPlace{"AdvEdit_POINT_1", {100, 23, 245, 21}},
    ControlPlace{"AdvEdit_POINT_2", {100, 23, 245, 21}},
    ControlPlace{"AdvEdit_Sim1Serv1", {8, kServerTop[0], 238, 21}},
    ControlPlace{"AdvEdit_Sim1Serv2", {8, kServerTop[1], 238, 21}},
    ControlPlace{"AdvEdit_Sim1Serv3", {8, kServerTop[2], 238, 21}},
    ControlPlace{"AdvEdit_LocalPortSim1Serv1", {252, kServerTop[0], 93, 21}},
    ControlPlace{"AdvEdit_LocalPortSim1Serv2", {252, kServerTop[1], 93, 21}},
    ControlPlace{"AdvEdit_LocalPortSim1Serv3", {252, kServerTop[2], 93, 21}},
    ControlPlace{"AdvEdit_Sim2Serv1", {8, kServerTop[0], 238, 21}},
    ControlPlace{"AdvEdit_Sim2Serv2", {8, kServerTop[1], 238, 21}},
    ControlPlace{"AdvEdit_Sim2Serv3", {8, kServerTop[2], 238, 21}},
    ControlPlace{"AdvEdit_LocalPortSim2Serv1", {252, kServerTop[0], 93, 21}},
    ControlPlace{"AdvEdit_LocalPortSim2Serv2", {252, kServerTop[1], 93, 21}},
    ControlPlace{"AdvEdit_LocalPortSim2Serv3", {252, kServerTop[2], 93, 21}},
    ControlPlace{"AdvEditNomerAlter", {10, 26, 130, 21}},
};

// A fixed text of a field: its label (side -1) or one of its side labels,
// in the field's group box.
struct LabelPlace {
  std::string_view field;
  int side;
  QRect rect;
};

constexpr std::array kLabelPlaces = {
    LabelPlace{"AdvEdit_Object", -1, {10, 18, 70, 16}},
    LabelPlace{"AdvEdit_Object", 0, {10, 41, 15, 16}},
    LabelPlace{"sComboBox_ChProtocol", -1, {86, 18, 92, 16}},
    LabelPlace{"AdvEdit_TestPer", -1, {192, 18, 220, 16}},
    LabelPlace{"AdvEdit_TestPer", 0, {226, 41, 12, 16}},
    LabelPlace{"AdvEdit_TestHou", 0, {274, 41, 8, 16}},
    LabelPlace{"AdvEditHeartHexSufix", -1, {137, 46, 10, 16}},
    LabelPlace{"EDIT_TestPer", -1, {196, 24, 80, 16}},
    LabelPlace{"EDIT_TestPer", 0, {236, 46, 50, 16}},
    LabelPlace{"AdvEdit_POINT_1", -1, {8, 26, 92, 16}},
    LabelPlace{"AdvEdit_POINT_2", -1, {8, 26, 92, 16}},
    LabelPlace{"AdvEdit_Sim1Serv1", -1, {8, 56, 240, 16}},
    LabelPlace{"AdvEdit_LocalPortSim1Serv1", -1, {252, 56, 100, 16}},
    LabelPlace{"AdvEdit_Sim2Serv1", -1, {8, 56, 240, 16}},
    LabelPlace{"AdvEdit_LocalPortSim2Serv1", -1, {252, 56, 100, 16}},
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
    ButtonPlace{
        "PNGButton_Open", ":/icons/open.svg", 32, "Відкрити", "Відкрити", {82, kButtonTop, 73, 81}},
    ButtonPlace{"PNGButton_Save",
                ":/icons/save.svg",
                32,
                "Зберегти",
                "Зберегти",
                {155, kButtonTop, 73, 81}},
    ButtonPlace{
        "ButtonRead", ":/icons/read.svg", 32, "Прочитати", "Прочитати", {228, kButtonTop, 73, 81}},
    ButtonPlace{
        "ButtonWrite", ":/icons/write.svg", 32, "Записати", "Записати", {301, kButtonTop, 73, 81}},
    ButtonPlace{
        "PNGButton6", ":/icons/about.svg", 24, "", "Про програму", {374, kButtonTop, 41, 81}},
};

constexpr QRect kLabel1Place(8, 8, 60, 16);
constexpr QRect kProgressPlace(8, 430, 713, 11);

const FieldSpec& Field(std::string_view name) {
  const FieldSpec* field_spec = FindField(CurrentFields(), name);
  if (field_spec == nullptr) throw std::logic_error("no field " + std::string(name));
  return *field_spec;
}

}  // namespace

void TMainForm::BuildControls() {
  const double scale = tevral::ui::DpiScale(this);
  auto group_of = [this](std::string_view name) {
    return findChild<QGroupBox*>(ToQString(name), Qt::FindDirectChildrenOnly);
  };

  for (const GroupSpec& group : CurrentGroups()) {
    auto* box = new QGroupBox(ToQString(group.caption), this);
    box->setObjectName(ToQString(group.name));
  }
  for (const GroupPlace& place : kGroupPlaces) {
    group_of(place.name)->setGeometry(Scaled(place.rect, scale));
  }

  for (const FieldSpec& field_spec : CurrentFields()) {
    const auto place =
        std::find_if(kControlPlaces.begin(), kControlPlaces.end(),
                     [&](const ControlPlace& p) { return p.name == field_spec.name; });
    if (place == kControlPlaces.end()) {
      throw std::logic_error("no place for field " + std::string(field_spec.name));
    }
    QWidget* widget = tevral::ui::MakeFieldWidget(field_spec, group_of(field_spec.group));
    widget->setGeometry(Scaled(place->rect, scale));
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
}

}  // namespace tevral::current::ui
