#include "forms/RunHandler.h"

#include <exception>
#include <string>

#include "common/ErrorRecord.h"
#include "common/MessageBox.h"

void RunHandler(const std::function<void()>& handler) noexcept {
    std::string message;
    try {
        handler();
        return;
    } catch (const ErrorRecord& e) {
        message = "Error " + std::to_string(e.Number()) + ": " + e.Description();
    } catch (const std::exception& e) {
        message = std::string("Error: ") + e.what();
    } catch (...) {
        message = "Error: unknown failure";
    }
    try {
        Dialogs::MsgBox(message, MsgButtons::OK, MsgIcon::Critical);
    } catch (...) {
        // Nothing more can be reported.
    }
}
