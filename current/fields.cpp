#include "current/fields.h"

namespace tevral::current {
namespace {

constexpr std::string_view kProtocolItems[] = {"SUR-GARD", "SOS 112"};

constexpr std::string_view kHexDigits = "0123456789ABCDEFabcdef";
constexpr std::string_view kPhoneDigits = "0123456789A";
constexpr std::string_view kDecimalDigits = "0123456789";

constexpr std::string_view kObjectSide[] = {"00"};
constexpr std::string_view kTestPerSide[] = {"в"};
constexpr std::string_view kTestHouSide[] = {":"};
constexpr std::string_view kSuffixSide[] = {"$"};
constexpr std::string_view kKeepAlivePeriodSide[] = {"* 5 сек."};
constexpr std::string_view kNomerAlterSide[] = {
    "(якщо введений, після вичерпання спроб з'єднання в режимі GPRS проводяться три спроби",
    "дозвону після випадкової паузи від 0 до 60 секунд в протоколі Contact ID)"};

constexpr std::string_view kServerHeading = "\"Протокол\", \"Адреса\", Порт сервера";
constexpr std::string_view kLocalPortHeading = "Локальний порт";

// Access point names the window offers until a file or a panel says
// otherwise: those of two Ukrainian operators.
constexpr std::string_view kDefaultApn1 = "www.kyivstar.net";
constexpr std::string_view kDefaultApn2 = "www.umc.ua";

constexpr FieldSpec ServerLine(std::string_view name, std::string_view group,
                               std::string_view label) {
  return {.name = name,
          .kind = FieldKind::kText,
          .group = group,
          .label = label,
          .hint = kServerLineHint};
}

constexpr FieldSpec LocalPort(std::string_view name, std::string_view group,
                              std::string_view label) {
  return {.name = name,
          .kind = FieldKind::kText,
          .group = group,
          .label = label,
          .filter = InputFilter::kListed,
          .allowed = kDecimalDigits,
          .max_length = 5,
          .alignment = Alignment::kCentre};
}

constexpr FieldSpec kCurrentFields[] = {
    {.name = "sComboBox_ChProtocol",
     .kind = FieldKind::kChoice,
     .group = "sGroupBox2",
     .label = "Протокол:",
     .default_index = 0,
     .items = kProtocolItems},
    {.name = "AdvEdit_Object",
     .kind = FieldKind::kText,
     .group = "sGroupBox2",
     .label = "Об'єкт №:",
     .side_labels = kObjectSide,
     .hint = "По даному номеру на пульті ідентифікується об'єкт",
     .filter = InputFilter::kListed,
     .allowed = kHexDigits,
     .max_length = 4,
     .default_text = "0000",
     .alignment = Alignment::kCentre},
    {.name = "AdvEdit_TestPer",
     .kind = FieldKind::kText,
     .group = "sGroupBox2",
     .label = "Передача тестів повідомленням:",
     .side_labels = kTestPerSide,
     .hint = "Період в годинах 01...24",
     .filter = InputFilter::kDigitsOnly,
     .max_length = 2,
     .default_text = "24",
     .alignment = Alignment::kCentre},
    {.name = "AdvEdit_TestHou",
     .kind = FieldKind::kText,
     .group = "sGroupBox2",
     .side_labels = kTestHouSide,
     .hint = "Години початку",
     .filter = InputFilter::kDigitsOnly,
     .max_length = 2,
     .default_text = "14",
     .alignment = Alignment::kCentre},
    {.name = "AdvEdit_TestMin",
     .kind = FieldKind::kText,
     .group = "sGroupBox2",
     .hint = "Хвилини початку",
     .filter = InputFilter::kDigitsOnly,
     .max_length = 2,
     .default_text = "17",
     .alignment = Alignment::kCentre},
    {.name = "sCheckBoxVerConn",
     .kind = FieldKind::kCheck,
     .group = "sGroupBox1",
     .label = "Перевіряти з'єднання",
     .default_checked = true},
    {.name = "CheckEnTst",
     .kind = FieldKind::kCheck,
     .group = "sGroupBox1",
     .default_checked = true},
    {.name = "EDIT_Test",
     .kind = FieldKind::kText,
     .group = "sGroupBox1",
     .hint = "В протоколі SOS 112 незмінний текст передається автоматично",
     .default_text = "t"},
    {.name = "AdvEditHeartHexSufix",
     .kind = FieldKind::kText,
     .group = "sGroupBox1",
     .label = "$",
     .hint = "Suffix in HEX",
     .max_length = 2,
     .default_text = "14",
     .alignment = Alignment::kCentre},
    {.name = "EDIT_TestPer",
     .kind = FieldKind::kText,
     .group = "sGroupBox1",
     .label = "Період",
     .side_labels = kKeepAlivePeriodSide,
     .filter = InputFilter::kDigitsOnly,
     .max_length = 3,
     .default_text = "40",
     .alignment = Alignment::kCentre},
    {.name = "AdvEdit_POINT_1",
     .kind = FieldKind::kText,
     .group = "sGroupBox5",
     .label = "Точка доступу",
     .default_text = kDefaultApn1},
    {.name = "AdvEdit_POINT_2",
     .kind = FieldKind::kText,
     .group = "sGroupBox14",
     .label = "Точка доступу",
     .default_text = kDefaultApn2},
    {.name = "AdvEditNomerAlter",
     .kind = FieldKind::kText,
     .group = "sGroupBoxNomerAlter",
     .side_labels = kNomerAlterSide,
     .hint = "\"A\" прирівнюється до \"+\" при введені номеру в міжнародному форматі",
     .filter = InputFilter::kListed,
     .allowed = kPhoneDigits,
     .max_length = 16},
    ServerLine("AdvEdit_Sim1Serv1", "sGroupBox5", kServerHeading),
    ServerLine("AdvEdit_Sim1Serv2", "sGroupBox5", ""),
    ServerLine("AdvEdit_Sim1Serv3", "sGroupBox5", ""),
    LocalPort("AdvEdit_LocalPortSim1Serv1", "sGroupBox5", kLocalPortHeading),
    LocalPort("AdvEdit_LocalPortSim1Serv2", "sGroupBox5", ""),
    LocalPort("AdvEdit_LocalPortSim1Serv3", "sGroupBox5", ""),
    ServerLine("AdvEdit_Sim2Serv1", "sGroupBox14", kServerHeading),
    ServerLine("AdvEdit_Sim2Serv2", "sGroupBox14", ""),
    ServerLine("AdvEdit_Sim2Serv3", "sGroupBox14", ""),
    LocalPort("AdvEdit_LocalPortSim2Serv1", "sGroupBox14", kLocalPortHeading),
    LocalPort("AdvEdit_LocalPortSim2Serv2", "sGroupBox14", ""),
    LocalPort("AdvEdit_LocalPortSim2Serv3", "sGroupBox14", ""),
    // The port list is filled at start from the system's serial ports; the
    // window then selects the first one.
    {.name = "cbPort",
     .kind = FieldKind::kChoice,
     .group = "sGroupBox4",
     .label = "Порт:",
     .hint = "Ctrl+R для оновлення списку",
     .default_index = -1,
     .connection = true},
    {.name = "cbBaudRate",
     .kind = FieldKind::kChoice,
     .group = "sGroupBox4",
     .hint = "Швидкість",
     .default_index = kDefaultBaudRateIndex,
     .items = kBaudRateItems,
     .connection = true},
};

constexpr GroupSpec kCurrentGroups[] = {
    {"sGroupBox4", ""},
    {"sGroupBox2", ""},
    {"sGroupBox1", "Передачі для підтримки GPRS сесії"},
    {"sGroupBox5", "SIM 1"},
    {"sGroupBox14", "SIM 2"},
    {"sGroupBoxNomerAlter", "Номер аварійної передачі в стандартному протоколі Contact ID"},
};

}  // namespace

FieldInventory CurrentFields() {
  return kCurrentFields;
}

std::span<const GroupSpec> CurrentGroups() {
  return kCurrentGroups;
}

}  // namespace tevral::current
