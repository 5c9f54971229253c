#include "config/MainWindowAccess.h"

#include <stdexcept>

namespace MainWindowAccess {
namespace {

Services& Installed() {
    static Services services;
    return services;
}

template <class Function>
const Function& Require(const Function& function) {
    if (!function) throw std::logic_error("the main window is not loaded");
    return function;
}

}  // namespace

void Install(Services services) {
    Installed() = std::move(services);
}

QWidget& Window() {
    return *Require(Installed().window)();
}

void StartListening() {
    Require(Installed().startListening)();
}

void ShowMeterScale() {
    Require(Installed().showMeterScale)();
}

}  // namespace MainWindowAccess
