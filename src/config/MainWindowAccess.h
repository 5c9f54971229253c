#pragma once

#include <functional>

class QWidget;

// What the configuration windows ask of the main window, which lives in the library above
// theirs: the window itself (for the corner placement), starting its recogniser, and showing
// its meter-scale dialog modally. The main window installs them when it loads; asking before
// that throws std::logic_error.
namespace MainWindowAccess {

struct Services {
    std::function<QWidget*()> window;
    std::function<void()> startListening;
    std::function<void()> showMeterScale;
};

void Install(Services services);
QWidget& Window();
void StartListening();
void ShowMeterScale();

}  // namespace MainWindowAccess
