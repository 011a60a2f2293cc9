#include "earlier/earlier_fields.h"

namespace tevral::earlier {
namespace {

constexpr std::string_view kProtocolItems[] = {"SUR-GARD", "SOS 112"};

constexpr std::string_view kHexDigits = "0123456789ABCDEFabcdef";
constexpr std::string_view kPhoneDigits = "0123456789A";
constexpr std::string_view kDecimalDigits = "0123456789";

constexpr std::string_view kObjectSide[] = {"00"};
constexpr std::string_view kTestPerSide[] = {"в"};
constexpr std::string_view kTestHouSide[] = {":"};
constexpr std::string_view kKeepAlivePeriodSide[] = {"* 5 сек."};
constexpr std::string_view kNomerAlterSide[] = {
    "(якщо введений, після вичерпання спроб з'єднання в режимі GPRS проводяться три спроби",
    "дозвону після випадкової паузи від 0 до 60 секунд в протоколі Contact ID)"};

// The panel password the earlier firmware ships with.
constexpr std::string_view kDefaultPassword = "739164825073916";

// Access point names offered until a settings file or a panel says
// otherwise: those of two Ukrainian operators.
constexpr std::string_view kDefaultApn1 = "www.kyivstar.net";
constexpr std::string_view kDefaultApn2 = "www.umc.ua";

// Both server group boxes look alike; only their names and the default
// access point differ.
struct ServerGroup {
  ServerFieldNames names;
  std::string_view default_apn;
};

constexpr ServerGroup kServer1{kServer1Fields, kDefaultApn1};
constexpr ServerGroup kServer2{kServer2Fields, kDefaultApn2};

constexpr FieldSpec ServerAddressField(const ServerGroup& g) {
  return {.name = g.names.ip,
          .kind = FieldKind::kText,
          .group = g.names.box,
          .label = "IP-адреса",
          .default_text = "127.0.0.1"};
}

constexpr FieldSpec ServerPortField(const ServerGroup& g) {
  return {.name = g.names.port,
          .kind = FieldKind::kText,
          .group = g.names.box,
          .label = "Порт сервера",
          .filter = InputFilter::kDigitsOnly,
          .max_length = 5,
          .default_text = "3030",
          .alignment = Alignment::kCentre};
}

constexpr FieldSpec LocalPortField(const ServerGroup& g) {
  return {.name = g.names.local_port,
          .kind = FieldKind::kText,
          .group = g.names.box,
          .label = "Локальний порт",
          .filter = InputFilter::kListed,
          .allowed = kDecimalDigits,
          .max_length = 5,
          .default_text = "3030",
          .alignment = Alignment::kCentre};
}

constexpr FieldSpec AccessPointField(const ServerGroup& g) {
  return {.name = g.names.point,
          .kind = FieldKind::kText,
          .group = g.names.box,
          .label = "Точка доступу",
          .default_text = g.default_apn};
}

constexpr FieldSpec DnsField(const ServerGroup& g) {
  return {.name = g.names.dns,
          .kind = FieldKind::kCheck,
          .group = g.names.box,
          .label = "DNS",
          .hint = "Звернення по доменному імені"};
}

constexpr FieldSpec TransportField(const ServerGroup& g, std::string_view name,
                                   std::string_view caption, bool checked) {
  return {.name = name,
          .kind = FieldKind::kRadio,
          .group = g.names.box,
          .label = caption,
          .default_checked = checked,
          .radio_group = g.names.box};
}

constexpr FieldSpec kEarlierFields[] = {
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
    // The protocol and the event-code switch are set only by a read or by
    // the settings file: the event codes must match the station's protocol.
    {.name = "sComboBox_ChProtocol",
     .kind = FieldKind::kChoice,
     .group = "sGroupBox2",
     .label = "Протокол:",
     .default_index = kSurGardItem,
     .items = kProtocolItems,
     .enabled = false},
    {.name = "sCheckBox_IncCodes",
     .kind = FieldKind::kCheck,
     .group = "sGroupBox2",
     .label = "Включити коди",
     .default_checked = false,
     .enabled = false},
    {.name = "AdvEdit_Password",
     .kind = FieldKind::kText,
     .group = "sGroupBox2",
     .label = "Пароль:",
     .max_length = 15,
     .default_text = kDefaultPassword},
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
     .hint = "Суфікс: дві шістнадцяткові цифри коду символу",
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
    {.name = "EDIT_SurGardPref",
     .kind = FieldKind::kText,
     .group = "sGroupBox3",
     .label = "Текст",
     .default_text = "5000 18"},
    ServerAddressField(kServer1),
    DnsField(kServer1),
    ServerPortField(kServer1),
    LocalPortField(kServer1),
    AccessPointField(kServer1),
    TransportField(kServer1, kServer1.names.tcp, "TCP", true),
    TransportField(kServer1, kServer1.names.udp, "UDP", false),
    ServerAddressField(kServer2),
    DnsField(kServer2),
    ServerPortField(kServer2),
    LocalPortField(kServer2),
    AccessPointField(kServer2),
    TransportField(kServer2, kServer2.names.tcp, "TCP", true),
    TransportField(kServer2, kServer2.names.udp, "UDP", false),
    {.name = "AdvEditNomerAlter",
     .kind = FieldKind::kText,
     .group = "sGroupBoxNomerAlter",
     .side_labels = kNomerAlterSide,
     .hint = "\"A\" прирівнюється до \"+\" при введені номеру в міжнародному форматі",
     .filter = InputFilter::kListed,
     .allowed = kPhoneDigits,
     .max_length = 16},
    // The port list is filled at start from the system's serial ports.
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

constexpr GroupSpec kEarlierGroups[] = {
    {"sGroupBox4", ""},
    {"sGroupBox1", "Передачі для підтримки GPRS сесії"},
    {"sGroupBox3", "Префікс SUR-GARD"},
    {"sGroupBox2", ""},
    {"sGroupBox6", "1-ий сервер"},
    {"sGroupBox7", "2-ий сервер"},
    {"sGroupBoxNomerAlter", "Номер аварійної передачі в стандартному протоколі Contact ID"},
};

}  // namespace

FieldInventory EarlierFields() {
  return kEarlierFields;
}

std::span<const GroupSpec> EarlierGroups() {
  return kEarlierGroups;
}

}  // namespace tevral::earlier
