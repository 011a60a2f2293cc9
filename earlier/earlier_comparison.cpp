#include "earlier/earlier_comparison.h"

#include "earlier/earlier_fields.h"
#include "earlier/earlier_read_sequence.h"
#include "earlier/earlier_write_sequence.h"

namespace tevral::earlier {

namespace {

// Labels as the window shows them, server fields prefixed by their group.
// The limited path of a read skips the alternate number, the protocol, the
// password, the local ports and the transports.
constexpr ComparedField kCompared[] = {
    {"AdvEdit_Object", "Об'єкт №"},
    {"sComboBox_ChProtocol", "Протокол", true},
    {"AdvEdit_Password", "Пароль", true},
    {"AdvEdit_TestPer", "Передача тестів: період, годин"},
    {"AdvEdit_TestHou", "Передача тестів: години початку"},
    {"AdvEdit_TestMin", "Передача тестів: хвилини початку"},
    {"sCheckBoxVerConn", "Перевіряти з'єднання"},
    {"CheckEnTst", "Передачі для підтримки GPRS сесії"},
    {"EDIT_Test", "Текст передачі GPRS сесії"},
    {"AdvEditHeartHexSufix", "Суфікс $"},
    {"EDIT_TestPer", "Період * 5 сек."},
    {"EDIT_SurGardPref", "Префікс SUR-GARD"},
    {"AdvEdit_IP_1", "1-ий сервер IP-адреса"},
    {"sCheckBox_DNS_1", "1-ий сервер DNS"},
    {"AdvEdit_PORT_1", "1-ий сервер Порт сервера"},
    {"AdvEdit_PORT_LOCAL_1", "1-ий сервер Локальний порт", true},
    {"AdvEdit_POINT_1", "1-ий сервер Точка доступу"},
    {"RadioButton_TCP_1", "1-ий сервер TCP", true},
    {"RadioButton_UDP_1", "1-ий сервер UDP", true},
    {"AdvEdit_IP_2", "2-ий сервер IP-адреса"},
    {"sCheckBox_DNS_2", "2-ий сервер DNS"},
    {"AdvEdit_PORT_2", "2-ий сервер Порт сервера"},
    {"AdvEdit_PORT_LOCAL_2", "2-ий сервер Локальний порт", true},
    {"AdvEdit_POINT_2", "2-ий сервер Точка доступу"},
    {"RadioButton_TCP_2", "2-ий сервер TCP", true},
    {"RadioButton_UDP_2", "2-ий сервер UDP", true},
    {"AdvEditNomerAlter", "Номер аварійної передачі", true},
};

constexpr UnreadSetting kUnread[] = {
    {"Включити коди", "це вибір для запису, а не значення панелі"},
    {"Таблиця кодів подій", "записується з кодами, але читання її не отримує"},
};

}  // namespace

ComparisonPlan EarlierComparisonPlan() {
  ComparisonPlan plan;
  plan.fields = EarlierFields();
  plan.read = ReadFromEarlierPanel;
  // The panel in memory needs no pause before it takes the tables.
  plan.write = [](PanelSession& session) { return WriteToEarlierPanel(session, [](int) {}); };
  plan.compared = kCompared;
  plan.unread = kUnread;
  plan.read_success = kReadSuccessMessage;
  return plan;
}

}  // namespace tevral::earlier
