#include "current/current_comparison.h"

#include "current/fields.h"
#include "current/read_sequence.h"
#include "current/write_sequence.h"

namespace tevral::current {

namespace {

// Labels as the window shows them; a field without a label of its own is
// named by its group and what it holds.
constexpr ComparedField kCompared[] = {
    {"sComboBox_ChProtocol", "Протокол", true},
    {"AdvEdit_Object", "Об'єкт №"},
    {"AdvEdit_TestPer", "Передача тестів: період, годин"},
    {"AdvEdit_TestHou", "Передача тестів: години початку"},
    {"AdvEdit_TestMin", "Передача тестів: хвилини початку"},
    {"sCheckBoxVerConn", "Перевіряти з'єднання"},
    {"CheckEnTst", "Передачі для підтримки GPRS сесії"},
    {"EDIT_Test", "Текст передачі GPRS сесії"},
    {"AdvEditHeartHexSufix", "Суфікс $"},
    {"EDIT_TestPer", "Період * 5 сек."},
    {"AdvEdit_POINT_1", "SIM 1 Точка доступу"},
    {"AdvEdit_POINT_2", "SIM 2 Точка доступу"},
    {"AdvEditNomerAlter", "Номер аварійної передачі", true},
    {"AdvEdit_Sim1Serv1", "SIM 1 Сервер 1"},
    {"AdvEdit_Sim1Serv2", "SIM 1 Сервер 2"},
    {"AdvEdit_Sim1Serv3", "SIM 1 Сервер 3"},
    {"AdvEdit_LocalPortSim1Serv1", "SIM 1 Локальний порт 1"},
    {"AdvEdit_LocalPortSim1Serv2", "SIM 1 Локальний порт 2"},
    {"AdvEdit_LocalPortSim1Serv3", "SIM 1 Локальний порт 3"},
    {"AdvEdit_Sim2Serv1", "SIM 2 Сервер 1"},
    {"AdvEdit_Sim2Serv2", "SIM 2 Сервер 2"},
    {"AdvEdit_Sim2Serv3", "SIM 2 Сервер 3"},
    {"AdvEdit_LocalPortSim2Serv1", "SIM 2 Локальний порт 1"},
    {"AdvEdit_LocalPortSim2Serv2", "SIM 2 Локальний порт 2"},
    {"AdvEdit_LocalPortSim2Serv3", "SIM 2 Локальний порт 3"},
};

// Every write stores the fixed SUR-GARD prefix; no read fetches it back.
constexpr UnreadSetting kUnread[] = {
    {"Префікс SUR-GARD (\"5000 18\")", "записується завжди, але читання його не отримує"},
};

}  // namespace

ComparisonPlan CurrentComparisonPlan() {
  ComparisonPlan plan;
  plan.fields = CurrentFields();
  plan.read = ReadFromPanel;
  plan.write = WriteToPanel;
  plan.compared = kCompared;
  plan.unread = kUnread;
  plan.read_success = kReadSuccessMessage;
  return plan;
}

}  // namespace tevral::current
