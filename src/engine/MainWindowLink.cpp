#include "engine/MainWindowLink.h"

#include <utility>

namespace MainWindowLink {
namespace {

struct Link {
    std::function<void()> onApplicationMatched;
    Hwnd windowHandle = 0;
};

Link& Current() {
    static Link link;
    return link;
}

}  // namespace

void SetOnApplicationMatched(std::function<void()> operation) {
    Current().onApplicationMatched = std::move(operation);
}

void RunOnApplicationMatched() {
    if (Current().onApplicationMatched) Current().onApplicationMatched();
}

void SetWindowHandle(Hwnd hWnd) {
    Current().windowHandle = hWnd;
}
Hwnd WindowHandle() {
    return Current().windowHandle;
}

}  // namespace MainWindowLink
