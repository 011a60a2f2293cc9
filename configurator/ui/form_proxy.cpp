#include "configurator/ui/form_proxy.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <exception>
#include <optional>
#include <stdexcept>
#include <type_traits>

namespace tevral::ui {

FormProxy::FormProxy(Form& target, QObject* gui_context)
    : target_(target), gui_context_(gui_context) {}

template <typename Call>
auto FormProxy::OnGuiThread(Call call) const -> decltype(call()) {
  using Result = decltype(call());
  if (!gui_context_) throw std::runtime_error("the window is gone");
  if (QThread::currentThread() == gui_context_->thread()) return call();
  std::exception_ptr error;
  if constexpr (std::is_void_v<Result>) {
    QMetaObject::invokeMethod(
        gui_context_.data(),
        [&] {
          try {
            call();
          } catch (...) {
            error = std::current_exception();
          }
        },
        Qt::BlockingQueuedConnection);
    if (error) std::rethrow_exception(error);
  } else {
    std::optional<Result> result;
    QMetaObject::invokeMethod(
        gui_context_.data(),
        [&] {
          try {
            result.emplace(call());
          } catch (...) {
            error = std::current_exception();
          }
        },
        Qt::BlockingQueuedConnection);
    if (error) std::rethrow_exception(error);
    return std::move(*result);
  }
}

std::string FormProxy::Text(std::string_view name) const {
  return OnGuiThread([&] { return target_.Text(name); });
}
void FormProxy::SetText(std::string_view name, const std::string& value) {
  OnGuiThread([&] { target_.SetText(name, value); });
}
bool FormProxy::Checked(std::string_view name) const {
  return OnGuiThread([&] { return target_.Checked(name); });
}
void FormProxy::SetChecked(std::string_view name, bool value) {
  OnGuiThread([&] { target_.SetChecked(name, value); });
}
int FormProxy::ItemIndex(std::string_view name) const {
  return OnGuiThread([&] { return target_.ItemIndex(name); });
}
void FormProxy::SetItemIndex(std::string_view name, int index) {
  OnGuiThread([&] { target_.SetItemIndex(name, index); });
}
void FormProxy::SetItems(std::string_view name, const std::vector<std::string>& items) {
  OnGuiThread([&] { target_.SetItems(name, items); });
}
void FormProxy::SetCaption(const std::string& caption) {
  OnGuiThread([&] { target_.SetCaption(caption); });
}
std::string FormProxy::Caption() const {
  return OnGuiThread([&] { return target_.Caption(); });
}
void FormProxy::SetProgressMax(int maximum) {
  OnGuiThread([&] { target_.SetProgressMax(maximum); });
}
void FormProxy::StepProgress() {
  OnGuiThread([&] { target_.StepProgress(); });
}
void FormProxy::ResetProgress() {
  OnGuiThread([&] { target_.ResetProgress(); });
}
void FormProxy::ShowMessage(const std::string& text) {
  OnGuiThread([&] { target_.ShowMessage(text); });
}
void FormProxy::ShowError(const std::string& message) {
  OnGuiThread([&] { target_.ShowError(message); });
}

}  // namespace tevral::ui
